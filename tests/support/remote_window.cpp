#include "support/remote_window.h"

#include "ui/owners.h"

#include <commctrl.h>

namespace testing_support {

std::wstring WindowText(HWND window) {
    // WM_GETTEXT, not GetWindowText: across processes the latter returns only the internal caption.
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                        &copied);
    text.resize(copied);
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

RECT RectInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> Children(HWND window) {
    std::vector<HWND> children;
    for (HWND child = FindWindowExW(window, nullptr, nullptr, nullptr); child;
         child = FindWindowExW(window, child, nullptr, nullptr))
        children.push_back(child);
    return children;
}

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        text.resize(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        items.push_back(text);
    }
    return items;
}

namespace {

// A buffer in the list's process for one LVITEMW and its text.
class RemoteItemBuffer {
public:
    explicit RemoteItemBuffer(HWND list) {
        DWORD process = 0;
        GetWindowThreadProcessId(list, &process);
        process_ = ui::UniqueHandle(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process));
        memory_ = VirtualAllocEx(process_.Get(), nullptr, sizeof(LVITEMW) + kChars * sizeof(wchar_t), MEM_COMMIT,
                                 PAGE_READWRITE);
    }
    ~RemoteItemBuffer() { VirtualFreeEx(process_.Get(), memory_, 0, MEM_RELEASE); }

    std::wstring Cell(HWND list, int row, int column) {
        LVITEMW item{};
        item.iSubItem = column;
        item.cchTextMax = kChars;
        item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(memory_) + sizeof(LVITEMW));
        WriteProcessMemory(process_.Get(), memory_, &item, sizeof(item), nullptr);
        const auto length = static_cast<size_t>(SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(memory_)));
        std::wstring text(length, L'\0');
        ReadProcessMemory(process_.Get(), item.pszText, text.data(), length * sizeof(wchar_t), nullptr);
        return text;
    }

private:
    static constexpr int kChars = 1 << 16;
    ui::UniqueHandle process_;
    void* memory_ = nullptr;
};

}  // namespace

int ListRowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring ListCell(HWND list, int row, int column) { return RemoteItemBuffer(list).Cell(list, row, column); }

std::vector<ListRowText> ListRows(HWND list) {
    RemoteItemBuffer buffer(list);
    std::vector<ListRowText> rows;
    const int count = ListRowCount(list);
    for (int i = 0; i < count; ++i) rows.push_back({buffer.Cell(list, i, 0), buffer.Cell(list, i, 1)});
    return rows;
}

void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Pump(10);
    }
    return true;
}

}  // namespace testing_support
