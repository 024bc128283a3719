#include "app/size_limits.h"

#include <cstring>

namespace app {

int32_t MinTrackWidth = 0;
int32_t MinTrackHeight = 0;
int32_t MaxTrackWidth = 0;
int32_t MaxTrackHeight = 0;
WNDPROC PreviousSizeLimitProc = nullptr;

void SetSizeLimits(HWND window, int32_t minWidth, int32_t minHeight, int32_t maxWidth, int32_t maxHeight) {
    MinTrackWidth = minWidth;
    MinTrackHeight = minHeight;
    MaxTrackWidth = maxWidth;
    MaxTrackHeight = maxHeight;
    PreviousSizeLimitProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SizeLimitWindowProc)));
}

LRESULT CALLBACK SizeLimitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETMINMAXINFO) {
        MINMAXINFO info;
        std::memcpy(&info, reinterpret_cast<const void*>(lParam), sizeof(info));
        info.ptMinTrackSize = {MinTrackWidth, MinTrackHeight};
        info.ptMaxTrackSize = {MaxTrackWidth, MaxTrackHeight};
        std::memcpy(reinterpret_cast<void*>(lParam), &info, sizeof(info));
    }
    return CallWindowProcW(PreviousSizeLimitProc, window, message, wParam, lParam);
}

}  // namespace app
