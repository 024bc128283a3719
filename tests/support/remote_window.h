// Reading windows of another process from outside, as a user's tools would.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
// The outer rectangle in the client coordinates of the window's parent.
RECT RectInParent(HWND window);
// The direct children of a window, in the system's order.
std::vector<HWND> Children(HWND window);

std::vector<std::wstring> ComboItems(HWND combo);

struct ListRowText {
    std::wstring column0;
    std::wstring column1;
    bool operator==(const ListRowText& other) const { return column0 == other.column0 && column1 == other.column1; }
};
// All rows of a list view in another process (its item texts live in that process's memory).
std::vector<ListRowText> ListRows(HWND list);
std::wstring ListCell(HWND list, int row, int column);
int ListRowCount(HWND list);

// Pumps this thread's messages while waiting for a condition; false on time-out.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
void Pump(DWORD milliseconds);

}  // namespace testing_support
