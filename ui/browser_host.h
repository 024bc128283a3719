// The window that hosts the system web-browser control.
#pragma once
#include <windows.h>

namespace ui {

inline constexpr wchar_t kBrowserHostClass[] = L"VelmoBrowserHost";

bool RegisterBrowserHostClass(HINSTANCE instance);

}  // namespace ui
