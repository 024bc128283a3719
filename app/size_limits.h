// The main window's size limits, answered to WM_GETMINMAXINFO.
#pragma once
#include <windows.h>

#include <cstdint>

namespace app {

extern int32_t MinTrackWidth;
extern int32_t MinTrackHeight;
extern int32_t MaxTrackWidth;
extern int32_t MaxTrackHeight;
extern WNDPROC PreviousSizeLimitProc;

// Stores the limits and puts SizeLimitWindowProc in front of the window's procedure (one window only).
void SetSizeLimits(HWND window, int32_t minWidth, int32_t minHeight, int32_t maxWidth, int32_t maxHeight);
LRESULT CALLBACK SizeLimitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace app
