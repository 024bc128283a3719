// Proportional layout: every descendant of a registered top-level window keeps its place and size
// as fractions of its parent's client area whenever the top-level window is resized.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace layout {

struct LayoutRecord {
    double leftRatio = 0;
    double topRatio = 0;
    double widthRatio = 0;
    double height = 0;  // a ratio, or pixels for a fixed-height window
    HWND owner = nullptr;
    int32_t fixedHeight = 0;
};

extern std::vector<HWND> ChildWindowList;
extern std::vector<std::unique_ptr<LayoutRecord>> LayoutRecordList;
extern std::vector<HWND> SubclassedWindowList;
extern std::vector<WNDPROC> SavedProcList;

void CreateLayoutLists();
void ReleaseLayoutLists();

// Records every descendant of the window at its current geometry and subclasses the window.
void RegisterLayout(HWND topLevel);
LRESULT CALLBACK LayoutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Truncation toward zero; a value that is not finite gives 0, one beyond the range its nearest bound.
int32_t TruncateToInt32(double value);

}  // namespace layout
