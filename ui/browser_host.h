// The window that hosts the system web-browser control through a small OLE container of our own.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

inline constexpr wchar_t kBrowserHostClass[] = L"VelmoBrowserHost";

bool RegisterBrowserHostClass(HINSTANCE instance);

// Starts navigating the browser in a host window to an address; returns without waiting for the page.
void BrowserNavigate(HWND host, const std::wstring& address);

}  // namespace ui
