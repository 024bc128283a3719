// Playing a channel of the list (double-click) or a typed address (确认).
#pragma once
#include "ui/form.h"

namespace playback {

// Plays the selected row's address and names its label in the caption.
void OnChannelDoubleClicked(const ui::EventInfo& pointer);
// Plays the text of 编辑框2 as typed; the caption stays.
void OnConfirmClicked();

}  // namespace playback
