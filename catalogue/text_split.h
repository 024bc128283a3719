// Splitting catalogue text at a delimiter, aware of double-byte characters.
#pragma once
#include <string_view>
#include <vector>

namespace catalogue {

// Position of the first delimiter at or after `from`, or npos. A delimiter is recognised only at a
// character boundary: a byte with its high bit set starts a two-byte character.
size_t FindDelimiter(std::string_view text, std::string_view delimiter, size_t from = 0);

// Calls visit(piece) for each piece of text cut at delimiter. A trailing delimiter gives no empty
// last piece; an empty text gives no pieces.
template <typename Visit>
void ForEachPiece(std::string_view text, std::string_view delimiter, Visit&& visit) {
    size_t cut = 0;
    for (size_t found; (found = FindDelimiter(text, delimiter, cut)) != std::string_view::npos;) {
        visit(text.substr(cut, found - cut));
        cut = found + delimiter.size();
    }
    if (cut < text.size()) visit(text.substr(cut));
}

std::vector<std::string_view> SplitText(std::string_view text, std::string_view delimiter);

// The text before the first delimiter: the first field of a line.
std::string_view FirstPiece(std::string_view text, std::string_view delimiter);

}  // namespace catalogue
