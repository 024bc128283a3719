// Operations on the standard controls. Texts of catalogue data are ANSI bytes of the system
// code page and are converted only here, where they reach a control.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace ui {

void ComboResetContent(HWND combo);
// Reserves room for a number of items, so that long lists are added without repeated growth.
void ComboReserve(HWND combo, size_t items, size_t textBytes);
void ComboAddItem(HWND combo, std::string_view text);
void ComboSetCurrentSelection(HWND combo, int index);

// The window's whole text (for a drop-down list: the selected item's text).
std::string WindowTextAnsi(HWND window);
std::wstring WindowTextWide(HWND window);
void SetCaption(HWND window, const std::wstring& text);

struct ListColumn {
    const wchar_t* title;
    int width;
};
void ListViewAddColumns(HWND list, const ListColumn* columns, size_t count);

// One list row as it reaches the control: the text of column 0 and of column 1.
struct ListRow {
    std::wstring column0;
    std::wstring column1;
};
// Appends the rows at the end, in order, with drawing suspended while they go in.
void ListViewAppendRows(HWND list, const std::vector<ListRow>& rows);
// Appends the rows at the end, in order, leaving drawing as it is.
void ListViewInsertRows(HWND list, const std::vector<ListRow>& rows);
// Each change to a list that draws repaints it at once; suspended, a row costs microseconds.
void ListViewSuspendRedraw(HWND list);
// Draws the list again, whole.
void ListViewResumeRedraw(HWND list);
int ListViewRowCount(HWND list);
// The lowest selected row, or -1.
int ListViewSelectedRow(HWND list);
// The whole text of a cell, however long; empty for a row that does not exist.
std::string ListViewCellText(HWND list, int row, int column);

// The task-modal message box of the catalogue, owned by no window.
void ShowMessage(const std::wstring& text, UINT style);

}  // namespace ui
