// Picking categories with the mouse in the real program and reading the channel list from outside.
#include "support/program_under_test.h"
#include "support/remote_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testing_support;

namespace {

std::string Snippet(const std::string& address, const std::string& label) {
    return "<channel src=\"http://" + address + "\" label=\"" + label + "\" />";
}

// n channels whose label and address both carry their number, so each row can be checked whole.
std::string NumberedChannels(const std::string& prefix, int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += Snippet("127.0.0.1/" + prefix + "/" + std::to_string(i) + ".m3u8", prefix + " " + std::to_string(i)) + "\r\n";
    return text;
}

std::vector<ListRowText> Rows(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> rows) {
    std::vector<ListRowText> result;
    for (auto [label, address] : rows) result.push_back({label, address});
    return result;
}

class ChannelsTest : public testing::Test {
protected:
    void Start(const std::string& index) {
        directory.Write(L"Velmo.dll", index);
        program = std::make_unique<ProgramUnderTest>(directory);
        ASSERT_TRUE(program->Window());
        list = program->Control(app::超级列表框1);
    }
    bool WaitForRows(int count, DWORD timeoutMs = 20000) {
        return WaitUntil([&] { return ListRowCount(list) >= count; }, timeoutMs);
    }
    void ExpectFailureMessage() {
        ASSERT_TRUE(WaitUntil([&] { return program->MessageBoxWindow() != nullptr; }, 10000)) << "no failure message";
        const HWND box = program->MessageBoxWindow();
        EXPECT_EQ(WindowText(box), L"信息：");
        bool saysFailed = false;
        for (HWND child : Children(box)) saysFailed |= WindowText(child) == L"获取失败";
        EXPECT_TRUE(saysFailed);
        EXPECT_TRUE(program->Responsive()) << "the main window stays usable while the message is open";
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return program->MessageBoxWindow() == nullptr; }, 5000));
    }

    RunDirectory directory;
    std::unique_ptr<ProgramUnderTest> program;
    HWND list = nullptr;
};

TEST_F(ChannelsTest, PickedCategoriesAppendTheirChannelsInFileOrder) {
    Start("A\r\nB\r\n");
    directory.Write(L"A.dll", "<list>\r\n" + Snippet("h/a1.m3u8", "A one") + "\r\n" +
                                  Snippet("h/a2", "") + " " + "<c src=\"http://h/a3\" LABEL=\"A three\" />\r\n" +
                                  "<c src=\"http://h/broken\" label=\"over\r\ntwo lines\" />\r\n</list>");
    directory.Write(L"B.dll", Snippet("h/b1", "\xD1\xEB\xCA\xD3 B") + "\r\n");

    program->PickCategory(0);
    ASSERT_TRUE(WaitForRows(3));
    program->PickCategory(1);
    ASSERT_TRUE(WaitForRows(4));
    program->PickCategory(0);
    ASSERT_TRUE(WaitForRows(7));
    Pump(300);
    const auto a = Rows({{L"A one", L"h/a1.m3u8"}, {L"", L"h/a2"}, {L"A three", L"h/a3"}});
    std::vector<ListRowText> expected = a;
    expected.push_back({L"央视 B", L"h/b1"});
    expected.insert(expected.end(), a.begin(), a.end());
    EXPECT_EQ(ListRows(list), expected);
    EXPECT_EQ(program->MessageBoxWindow(), nullptr);
    EXPECT_EQ(program->CloseAndWait(), 0u);
}

TEST_F(ChannelsTest, FilesWithoutChannelsShowTheFailureMessageAndLeaveTheList) {
    Start("Good\r\nMissing\r\nEmpty\r\nBroken\r\nBinary\r\nUtf16\r\n");
    directory.Write(L"Good.dll", Snippet("h/g", "G"));
    directory.Write(L"Empty.dll", "");
    directory.Write(L"Broken.dll", "<c src=\"http://h/x\" label=\"X\"\r\n />");
    directory.Write(L"Binary.dll", std::string("\x00//h\" label=\"Z\" />", 19));
    directory.Write(L"Utf16.dll", std::string("/\0/\0h\0\"\0", 8));
    program->PickCategory(0);
    ASSERT_TRUE(WaitForRows(1));
    for (int category = 1; category <= 5; ++category) {
        SCOPED_TRACE(category);
        program->PickCategory(category);
        ExpectFailureMessage();
        EXPECT_EQ(ListRowCount(list), 1);
    }
    EXPECT_EQ(program->CloseAndWait(), 0u);
}

TEST_F(ChannelsTest, ConcurrentLoadsAppendEveryRowWhole) {
    Start("Big1\r\nBig2\r\n");
    const int n = 5000;
    directory.Write(L"Big1.dll", NumberedChannels("one", n));
    directory.Write(L"Big2.dll", NumberedChannels("two", n));
    program->PickCategory(0);
    program->PickCategory(1);
    ASSERT_TRUE(WaitForRows(2 * n, 60000));
    // Drawing is suspended while rows arrive (which takes WS_VISIBLE away) and must come back.
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(list) != FALSE; }, 2000)) << "the list does not draw again";
    EXPECT_TRUE(program->Responsive());
    const auto rows = ListRows(list);
    ASSERT_EQ(rows.size(), static_cast<size_t>(2 * n));
    int next[2] = {0, 0};
    for (const auto& row : rows) {
        const bool one = row.column0.rfind(L"one ", 0) == 0;
        const std::wstring prefix = one ? L"one" : L"two";
        int& expected = next[one ? 0 : 1];
        ASSERT_EQ(row.column0, prefix + L" " + std::to_wstring(expected));
        ASSERT_EQ(row.column1, L"127.0.0.1/" + prefix + L"/" + std::to_wstring(expected) + L".m3u8");
        ++expected;
    }
    EXPECT_EQ(next[0], n);
    EXPECT_EQ(next[1], n);
    EXPECT_EQ(program->CloseAndWait(), 0u);
}

TEST_F(ChannelsTest, ClosingWhileLoadsRunOrAMessageIsOpenEndsWithZero) {
    Start("Big\r\nMissing\r\n");
    directory.Write(L"Big.dll", NumberedChannels("big", 50000));
    program->PickCategory(1);
    ASSERT_TRUE(WaitUntil([&] { return program->MessageBoxWindow() != nullptr; }, 10000));
    for (int i = 0; i < 10; ++i) program->PickCategory(0);
    EXPECT_TRUE(program->Responsive());
    EXPECT_EQ(program->CloseAndWait(10000), 0u);
}

}  // namespace
