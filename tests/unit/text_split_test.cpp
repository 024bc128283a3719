#include "catalogue/text_split.h"
#include "layout/layout.h"
#include "ui/text_encoding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using catalogue::FirstPiece;
using catalogue::SplitText;

namespace {

std::vector<std::string> Split(std::string_view text, std::string_view delimiter) {
    std::vector<std::string> pieces;
    for (auto piece : SplitText(text, delimiter)) pieces.emplace_back(piece);
    return pieces;
}

struct SplitCase {
    const char* what;
    std::string text;
    std::string delimiter;
    std::vector<std::string> pieces;
};

TEST(SplitText, FollowsTheCuttingRules) {
    const SplitCase cases[] = {
        {"empty text", "", "\r\n", {}},
        {"no delimiter", "abc", "\r\n", {"abc"}},
        {"trailing delimiter adds nothing", "a\r\nb\r\n", "\r\n", {"a", "b"}},
        {"leading delimiter gives an empty first piece", "\r\na", "\r\n", {"", "a"}},
        {"adjacent delimiters give an empty piece", "a\r\n\r\nb", "\r\n", {"a", "", "b"}},
        {"lone CR and LF are no break", "a\rb\nc", "\r\n", {"a\rb\nc"}},
        {"only a delimiter", "\r\n", "\r\n", {""}},
        {"two delimiters", "\r\n\r\n", "\r\n", {"", ""}},
        {"fields", "A----B----C", "----", {"A", "B", "C"}},
        {"five hyphens", "A-----B", "----", {"A", "-B"}},
        {"remainder shorter than the delimiter", "A----B-", "----", {"A", "B-"}},
        // 0xB2 0x2D is one double-byte character: its trail byte is no hyphen.
        {"no delimiter inside a double-byte character", "\xB2-----x", "----", {"\xB2-", "x"}},
        {"double-byte character swallows a CR", "a\x81\r\nb", "\r\n", {"a\x81\r\nb"}},
        {"lead byte at the very end", "ab\x81", "\r\n", {"ab\x81"}},
        {"GBK names kept whole", "\xD1\xEB\xCA\xD3----x\r\n \xCC\xE5\xD3\xFD \r\n", "\r\n",
         {"\xD1\xEB\xCA\xD3----x", " \xCC\xE5\xD3\xFD "}},
    };
    for (const auto& c : cases) EXPECT_EQ(Split(c.text, c.delimiter), c.pieces) << c.what;
}

TEST(SplitText, FirstPieceIsTheCategoryName) {
    EXPECT_EQ(FirstPiece("News----http://x----y", "----"), "News");
    EXPECT_EQ(FirstPiece("----tail", "----"), "");
    EXPECT_EQ(FirstPiece("whole line", "----"), "whole line");
    EXPECT_EQ(FirstPiece("a\nb----c", "----"), "a\nb");
}

TEST(TextFromBytes, EndsAtTheFirstZeroByte) {
    using namespace std::string_literals;
    EXPECT_EQ(ui::TextFromBytes("abc"s), "abc");
    EXPECT_EQ(ui::TextFromBytes("ab\0cd"s), "ab");
    EXPECT_EQ(ui::TextFromBytes("\0abc"s), "");
    EXPECT_EQ(ui::TextFromBytes(""), "");
}

TEST(TextEncoding, RoundTripsGbkUnderCodePage936) {
    ASSERT_EQ(GetACP(), 936u) << "the test bench runs with the Chinese code page";
    EXPECT_EQ(ui::AnsiToWide("\xD1\xEB\xCA\xD3"), L"央视");
    EXPECT_EQ(ui::WideToAnsi(L"资源分类"), "\xD7\xCA\xD4\xB4\xB7\xD6\xC0\xE0");
    EXPECT_EQ(ui::AnsiToWide(""), L"");
}

TEST(TruncateToInt32, TruncatesTowardZero) {
    EXPECT_EQ(layout::TruncateToInt32(221.99999999999997), 221);
    EXPECT_EQ(layout::TruncateToInt32(-2.9), -2);
    EXPECT_EQ(layout::TruncateToInt32(std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(layout::TruncateToInt32(-std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(layout::TruncateToInt32(std::nan("")), 0);
    EXPECT_EQ(layout::TruncateToInt32(222.0 / 408 * 408), 221);
}

}  // namespace
