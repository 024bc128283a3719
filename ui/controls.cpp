#include "ui/controls.h"

#include "ui/text_encoding.h"

#include <commctrl.h>

namespace ui {

void ComboResetContent(HWND combo) { SendMessageW(combo, CB_RESETCONTENT, 0, 0); }

void ComboReserve(HWND combo, size_t items, size_t textBytes) {
    SendMessageW(combo, CB_INITSTORAGE, items, static_cast<LPARAM>(textBytes * sizeof(wchar_t)));
}

void ComboAddItem(HWND combo, std::string_view text) {
    const std::wstring wide = AnsiToWide(text);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void ComboSetCurrentSelection(HWND combo, int index) { SendMessageW(combo, CB_SETCURSEL, index, 0); }

std::wstring WindowTextWide(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    return text;
}

std::string WindowTextAnsi(HWND window) { return WideToAnsi(WindowTextWide(window)); }

void SetCaption(HWND window, const std::wstring& text) { SetWindowTextW(window, text.c_str()); }

void ListViewAddColumns(HWND list, const ListColumn* columns, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = columns[i].width;
        column.pszText = const_cast<wchar_t*>(columns[i].title);
        column.iSubItem = static_cast<int>(i);
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void ListViewAppendRows(HWND list, const std::vector<ListRow>& rows) {
    if (rows.empty()) return;
    ListViewSuspendRedraw(list);
    ListViewInsertRows(list, rows);
    ListViewResumeRedraw(list);
}

void ListViewInsertRows(HWND list, const std::vector<ListRow>& rows) {
    for (const ListRow& row : rows) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = INT_MAX;  // past the end: appended
        item.pszText = const_cast<wchar_t*>(row.column0.c_str());
        const int index = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        if (index < 0) break;
        LVITEMW cell{};
        cell.iSubItem = 1;
        cell.pszText = const_cast<wchar_t*>(row.column1.c_str());
        SendMessageW(list, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&cell));
    }
}

void ListViewSuspendRedraw(HWND list) { SendMessageW(list, WM_SETREDRAW, FALSE, 0); }

void ListViewResumeRedraw(HWND list) {
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, FALSE);
}

int ListViewRowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

int ListViewSelectedRow(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::string ListViewCellText(HWND list, int row, int column) {
    if (row < 0 || row >= ListViewRowCount(list)) return {};
    // The control truncates to the buffer it is given; grow until the text fits with room to spare.
    std::wstring buffer(512, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto length = static_cast<size_t>(SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < buffer.size()) {
            buffer.resize(length);
            return WideToAnsi(buffer);
        }
        buffer.resize(buffer.size() * 4);
    }
}

void ShowMessage(const std::wstring& text, UINT style) {
    MessageBoxW(nullptr, text.c_str(), L"信息：", style | MB_TASKMODAL);
}

}  // namespace ui
