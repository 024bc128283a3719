#include "catalogue/text_split.h"

#include <cstring>

namespace catalogue {

size_t FindDelimiter(std::string_view text, std::string_view delimiter, size_t from) {
    if (delimiter.empty()) return std::string_view::npos;
    size_t position = from;
    while (position <= text.size() && text.size() - position >= delimiter.size()) {
        if (std::memcmp(text.data() + position, delimiter.data(), delimiter.size()) == 0) return position;
        position += (static_cast<unsigned char>(text[position]) & 0x80) ? 2 : 1;
    }
    return std::string_view::npos;
}

std::vector<std::string_view> SplitText(std::string_view text, std::string_view delimiter) {
    std::vector<std::string_view> pieces;
    ForEachPiece(text, delimiter, [&](std::string_view piece) { pieces.push_back(piece); });
    return pieces;
}

std::string_view FirstPiece(std::string_view text, std::string_view delimiter) {
    return text.substr(0, FindDelimiter(text, delimiter));
}

}  // namespace catalogue
