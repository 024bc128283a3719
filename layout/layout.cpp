#include "layout/layout.h"

#include <cmath>
#include <cwchar>
#include <deque>

namespace layout {

std::vector<HWND> ChildWindowList;
std::vector<std::unique_ptr<LayoutRecord>> LayoutRecordList;
std::vector<HWND> SubclassedWindowList;
std::vector<WNDPROC> SavedProcList;

namespace {

bool HasClass(HWND window, const wchar_t* className, bool ignoreCase) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return (ignoreCase ? _wcsicmp(name, className) : std::wcscmp(name, className)) == 0;
}

void RemoveAt(size_t index) {
    ChildWindowList.erase(ChildWindowList.begin() + static_cast<std::ptrdiff_t>(index));
    LayoutRecordList.erase(LayoutRecordList.begin() + static_cast<std::ptrdiff_t>(index));
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

void ComputeRecord(HWND window, LayoutRecord& record, HWND owner) {
    const HWND parent = GetParent(window);
    const SIZE client = ClientSize(parent);
    const double W = client.cx, H = client.cy;
    RECT outer{};
    GetWindowRect(window, &outer);
    POINT corner{outer.left, outer.top};
    ScreenToClient(parent, &corner);
    record.leftRatio = corner.x / W;
    record.topRatio = corner.y / H;
    record.widthRatio = (outer.right - outer.left) / W;
    const double h = outer.bottom - outer.top;
    record.height = record.fixedHeight ? h : h / H;
    record.owner = owner;
}

void Place(HWND window, const LayoutRecord& record) {
    const SIZE client = ClientSize(GetParent(window));
    const double W = client.cx, H = client.cy;
    const int32_t height = record.fixedHeight ? TruncateToInt32(record.height) : TruncateToInt32(H * record.height);
    SetWindowPos(window, HWND_TOP, TruncateToInt32(W * record.leftRatio), TruncateToInt32(H * record.topRatio),
                 TruncateToInt32(W * record.widthRatio), height, 0);
}

}  // namespace

int32_t TruncateToInt32(double value) {
    if (!std::isfinite(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(value);
}

void CreateLayoutLists() {
    ChildWindowList.clear();
    LayoutRecordList.clear();
    SubclassedWindowList.clear();
    SavedProcList.clear();
}

void ReleaseLayoutLists() {
    std::vector<HWND>().swap(ChildWindowList);
    std::vector<std::unique_ptr<LayoutRecord>>().swap(LayoutRecordList);
    std::vector<HWND>().swap(SubclassedWindowList);
    std::vector<WNDPROC>().swap(SavedProcList);
}

void RegisterLayout(HWND topLevel) {
    // Breadth first, so that every window is listed (and later laid out) after its parent.
    std::deque<HWND> queue{topLevel};
    while (!queue.empty()) {
        for (HWND child = FindWindowExW(queue.front(), nullptr, nullptr, nullptr); child;
             child = FindWindowExW(queue.front(), child, nullptr, nullptr)) {
            ChildWindowList.push_back(child);
            queue.push_back(child);
        }
        queue.pop_front();
    }
    LayoutRecordList.resize(ChildWindowList.size());
    for (auto& record : LayoutRecordList)
        if (!record) record = std::make_unique<LayoutRecord>();

    // Combo boxes are marked before headers are dropped; records travel with their windows.
    for (size_t i = 0; i < ChildWindowList.size(); ++i)
        if (HasClass(ChildWindowList[i], L"ComboBox", true)) LayoutRecordList[i]->fixedHeight = 1;
    for (size_t i = ChildWindowList.size(); i-- > 0;)
        if (HasClass(ChildWindowList[i], L"SysHeader32", false)) RemoveAt(i);

    for (size_t i = 0; i < ChildWindowList.size(); ++i)
        if (!LayoutRecordList[i]->owner) ComputeRecord(ChildWindowList[i], *LayoutRecordList[i], topLevel);

    SubclassedWindowList.push_back(topLevel);
    SavedProcList.push_back(reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(topLevel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LayoutWindowProc))));
}

LRESULT CALLBACK LayoutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        for (size_t i = ChildWindowList.size(); i-- > 0;)
            if (!IsWindow(ChildWindowList[i])) RemoveAt(i);
        for (size_t i = 0; i < ChildWindowList.size(); ++i)
            if (LayoutRecordList[i]->owner == window) Place(ChildWindowList[i], *LayoutRecordList[i]);
    }
    for (size_t i = 0; i < SubclassedWindowList.size(); ++i)
        if (SubclassedWindowList[i] == window) return CallWindowProcW(SavedProcList[i], window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace layout
