// Conversion between the system code page (catalogue data) and UTF-16 (the API boundary).
#pragma once
#include <string>
#include <string_view>

namespace ui {

// Decodes bytes of the system ANSI code page into UTF-16.
std::wstring AnsiToWide(std::string_view text);
// Encodes UTF-16 into the system ANSI code page.
std::string WideToAnsi(std::wstring_view text);
// The text of a byte set: everything before its first zero byte.
std::string_view TextFromBytes(std::string_view bytes);

}  // namespace ui
