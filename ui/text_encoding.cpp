#include "ui/text_encoding.h"

#include <windows.h>

#include <climits>
#include <cstring>

namespace ui {

std::wstring AnsiToWide(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string WideToAnsi(std::wstring_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

std::string_view TextFromBytes(std::string_view bytes) {
    const void* zero = std::memchr(bytes.data(), 0, bytes.size());
    if (!zero) return bytes;
    return bytes.substr(0, static_cast<size_t>(static_cast<const char*>(zero) - bytes.data()));
}

}  // namespace ui
