#include "catalogue/channel_loader.h"
#include "catalogue/regex_matcher.h"

#include <gtest/gtest.h>

#include <thread>

using catalogue::RegexMatcher;

namespace {

class RegexMatcherTest : public testing::Test {
protected:
    RegexMatcher matcher;
};

TEST_F(RegexMatcherTest, ChannelPatternTakesAddressAndLabelOfEachSnippet) {
    const std::string subject =
        "<a src=\"http://h/one.m3u8\" label=\"One\" />\r\n"
        "x //two\"q\" label=\"Two \"2\"\" /> and //three\" LABEL=\"\" />\r\n"
        "<b src=\"http://broken\" label=\"Broken\r\n\" />\r\n"
        "//http://nested//inner\" label=\"N\" />";
    ASSERT_TRUE(matcher.Run(catalogue::ChannelPattern(), subject, false, false, true, true));
    ASSERT_EQ(matcher.MatchCount(), 4);
    const std::pair<std::string, std::string> expected[] = {
        {"h/one.m3u8", "One"}, {"two\"q", "Two \"2\""}, {"three", ""}, {"http://nested//inner", "N"}};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(matcher.SubMatchText(i, 1), expected[i - 1].first) << i;
        EXPECT_EQ(matcher.SubMatchText(i, 2), expected[i - 1].second) << i;
    }
    EXPECT_EQ(matcher.SubMatchCount(), 2);
    EXPECT_EQ(matcher.GetPattern(), "//(.*?)\" label=\"(.*?)\" />");
}

TEST_F(RegexMatcherTest, OptionsAndDefaults) {
    EXPECT_TRUE(matcher.Run("abc", "xABCx abc"));  // case-insensitive and global when omitted
    EXPECT_EQ(matcher.MatchCount(), 2);
    EXPECT_TRUE(matcher.Run("abc", "xABCx abc", true));
    EXPECT_EQ(matcher.MatchCount(), 1);
    EXPECT_TRUE(matcher.Run("a", "aaa", false, true, false));
    EXPECT_EQ(matcher.MatchCount(), 1);
    EXPECT_TRUE(matcher.Run("^b", "a\nb", false, true));  // multi-line: ^ after a line feed
    EXPECT_EQ(matcher.MatchCount(), 1);
    EXPECT_TRUE(matcher.Run("a.b", "a\nb"));  // "." never takes a line feed
    EXPECT_EQ(matcher.MatchCount(), 0);
    EXPECT_TRUE(matcher.Run(catalogue::QuoteMarker() + "x", "\"x", false, true, true, false));  // marker kept when not asked
    EXPECT_EQ(matcher.MatchCount(), 0);
}

TEST_F(RegexMatcherTest, EmptySubjectSucceedsWithNoMatches) {
    EXPECT_TRUE(matcher.Run("a", ""));
    EXPECT_EQ(matcher.MatchCount(), 0);
    EXPECT_EQ(matcher.MatchText(1), "");
}

TEST_F(RegexMatcherTest, FailuresAndOutOfRangeNumbersGiveEmptyResults) {
    EXPECT_EQ(matcher.MatchCount(), 0);  // before any Run
    EXPECT_EQ(matcher.SubMatchText(1, 1), "");
    EXPECT_EQ(matcher.GetPattern(), "");
    EXPECT_FALSE(matcher.Run("(unclosed", "text (unclosed"));
    EXPECT_EQ(matcher.MatchCount(), 0);
    EXPECT_EQ(matcher.MatchText(1), "");
    EXPECT_EQ(matcher.SubMatchCount(), 0);

    ASSERT_TRUE(matcher.Run("(a)(b)?", "ab a"));
    ASSERT_EQ(matcher.MatchCount(), 2);
    EXPECT_EQ(matcher.MatchText(0), "");
    EXPECT_EQ(matcher.MatchText(3), "");
    EXPECT_EQ(matcher.SubMatchText(1, 3), "");
    EXPECT_EQ(matcher.SubMatchText(1, 0), "");
    EXPECT_EQ(matcher.SubMatchText(2, 2), "") << "a capture that took no part";
    EXPECT_EQ(matcher.SubMatchText(1, 2), "b");
}

TEST_F(RegexMatcherTest, SecondRunReplacesTheFirst) {
    ASSERT_TRUE(matcher.Run("x(\\d)", "x1 x2 x3"));
    ASSERT_TRUE(matcher.Run("y(\\d)", "y9"));
    EXPECT_EQ(matcher.MatchCount(), 1);
    EXPECT_EQ(matcher.SubMatchText(1, 1), "9");
    EXPECT_EQ(matcher.ReplaceMatches("[$1]"), "[9]");
}

TEST_F(RegexMatcherTest, DoubleByteTextRoundTripsAndPositionsAreByteOffsets) {
    const std::string yangshi = "\xD1\xEB\xCA\xD3";  // 央视 in GBK
    ASSERT_TRUE(matcher.Run("(.)(.)", yangshi));
    ASSERT_EQ(matcher.MatchCount(), 1);
    EXPECT_EQ(matcher.SubMatchText(1, 1), "\xD1\xEB") << "'.' takes a whole double-byte character";
    int position = 0;
    ASSERT_TRUE(matcher.Run("b+", "aabbb"));
    EXPECT_EQ(matcher.MatchText(1, &position, true), "bbb");
    EXPECT_EQ(position, 2);
    ASSERT_TRUE(matcher.Run("x(y)", "--xy"));
    EXPECT_EQ(matcher.SubMatchText(1, 1, &position, true), "y");
    EXPECT_EQ(position, 3);
}

TEST_F(RegexMatcherTest, CloneSharesTheResults) {
    ASSERT_TRUE(matcher.Run("(\\w+)", "one two"));
    const auto clone = matcher.Clone();
    EXPECT_EQ(clone->MatchCount(), 2);
    EXPECT_EQ(clone->SubMatchText(2, 1), "two");
    EXPECT_EQ(clone->ReplaceMatches("<$1>"), "<one> <two>");
}

TEST(RegexMatcherLifetime, LeavesTheThreadsComInitialisationAsItWas) {
    HRESULT afterwards = E_FAIL;
    std::thread([&] {
        {
            RegexMatcher matcher;
            matcher.Run("a", "a");
            auto clone = matcher.Clone();
        }
        afterwards = CoInitialize(nullptr);  // S_OK only on a thread that is not initialised
        CoUninitialize();
    }).join();
    EXPECT_EQ(afterwards, S_OK);
}

}  // namespace
