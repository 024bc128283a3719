// Loading a category's channels into the channel list, on a worker thread per pick.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace catalogue {

// Starts a worker running LoadChannels for the category 组合框1 shows; returns at once.
void OnCategorySelected();
// The worker: reads the category's channel file beside the executable and fills the list.
DWORD WINAPI LoadChannels(void* unused);
// Appends one row per channel of the text to 超级列表框1; the number of rows, 0 on failure (with a message).
int FillChannelList(std::string_view channelText);

// The channel snippet: //ADDRESS" label="LABEL" />, with the quote marker for each double quote.
std::string ChannelPattern();

}  // namespace catalogue
