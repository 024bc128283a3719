// velmo.exe started in a run directory of our own and inspected from outside.
#include "support/layout_arithmetic.h"
#include "support/program_under_test.h"
#include "support/remote_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testing_support;
using namespace std::string_literals;

namespace {

struct ExpectedControl {
    app::FormControl control;
    const wchar_t* className;
    HWND (*parent)(const ProgramUnderTest&);
    RECT place;  // left, top, right, bottom in the parent's client area
    const wchar_t* text;
    bool visible;
    bool tabStop;
};

HWND MainWindowOf(const ProgramUnderTest& program) { return program.Window(); }
HWND PlayGroupOf(const ProgramUnderTest& program) { return program.Control(app::分组框2); }
HWND HomeGroupOf(const ProgramUnderTest& program) { return program.Control(app::分组框1); }

// Where one layout pass puts a window stored at `stored` when its parent's client size is unchanged.
RECT AfterFirstLayout(RECT stored, HWND parent, bool fixedHeight) {
    RECT client{};
    GetClientRect(parent, &client);
    const double W = client.right, H = client.bottom;
    const auto scale = [](double size, double value) { return ScaledLikeTheLayout(size, value, size); };
    RECT placed;
    placed.left = scale(W, stored.left);
    placed.top = scale(H, stored.top);
    placed.right = placed.left + scale(W, stored.right - stored.left);
    placed.bottom = fixedHeight ? 0 : placed.top + scale(H, stored.bottom - stored.top);
    return placed;
}

std::vector<std::string> AnsiItems(HWND combo) {
    std::vector<std::string> items;
    for (const auto& item : ComboItems(combo)) items.push_back(Ansi(item));
    return items;
}

TEST(Startup, MainWindowAndEveryControlMatchTheForm) {
    RunDirectory directory;
    directory.Write(L"Velmo.dll", "A----1\r\nB\r\n");
    ProgramUnderTest program(directory);
    const HWND window = program.Window();
    ASSERT_TRUE(window);

    EXPECT_EQ(WindowText(window), L"Velmo在线直播");
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, 804);
    EXPECT_EQ(outer.bottom - outer.top, 490);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 804) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 490) / 2);
    const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    for (DWORD bit : {WS_CAPTION, WS_THICKFRAME, WS_SYSMENU, WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_VISIBLE})
        EXPECT_EQ(style & bit, bit) << std::hex << bit;
    EXPECT_FALSE(IsIconic(window));
    EXPECT_FALSE(IsZoomed(window));

    const ExpectedControl expected[] = {
        {app::按钮2, L"Button", MainWindowOf, {664, 424, 776, 456}, L"确认", true, true},
        {app::编辑框2, L"Edit", MainWindowOf, {8, 418, 648, 458}, L"这里是播放m3u8格式的地址", true, true},
        {app::分组框2, L"Button", MainWindowOf, {323, -3, 780, 405}, L"播放区域", true, false},
        {app::超文本浏览框1, L"VelmoBrowserHost", PlayGroupOf, {3, 17, 453, 407}, L"", true, true},
        {app::分组框1, L"Button", MainWindowOf, {9, -3, 319, 405}, L"首页", true, false},
        {app::标签1, L"Static", HomeGroupOf, {7, 217, 63, 233}, L"资源分类", true, false},
        {app::超级列表框1, L"SysListView32", HomeGroupOf, {3, 16, 307, 216}, L"", true, true},
        {app::组合框1, L"ComboBox", HomeGroupOf, {7, 238, 303, 0}, L"", true, false},
        {app::透明标签1, L"Static", HomeGroupOf, {142, 222, 206, 246}, L"?\\?", false, false},
        {app::按钮1, L"Button", HomeGroupOf, {214, 222, 302, 246}, L"跳转", false, true},
        {app::调节器1, L"msctls_updown32", HomeGroupOf, {86, 222, 134, 246}, L"", false, false},
        {app::编辑框1, L"Edit", HomeGroupOf, {7, 222, 79, 246}, L"", false, true},
    };
    // Mapping the window on the display resizes it once more, and that first layout pass moves
    // 按钮2 from 664 to 663: wait for it so that every place below is read after it.
    const HWND button = program.Control(app::按钮2);
    EXPECT_TRUE(WaitUntil([&] { return RectInParent(button).left == AfterFirstLayout(expected[0].place, window, false).left; }, 3000));
    for (const auto& e : expected) {
        SCOPED_TRACE(testing::Message() << "control " << e.control);
        const HWND control = program.Control(e.control);
        ASSERT_TRUE(control);
        EXPECT_EQ(_wcsicmp(ClassName(control).c_str(), e.className), 0) << ClassName(control).c_str();
        EXPECT_EQ(GetParent(control), e.parent(program));
        // Showing the window sizes it once, so the layout has placed every control already: the
        // stored place scaled from and to the same client area, truncated (222 of 408 gives 221).
        const RECT place = RectInParent(control);
        const RECT expectedPlace = AfterFirstLayout(e.place, GetParent(control), e.control == app::组合框1);
        EXPECT_EQ(place.left, expectedPlace.left);
        EXPECT_EQ(place.top, expectedPlace.top);
        EXPECT_EQ(place.right, expectedPlace.right);
        if (e.place.bottom) {
            EXPECT_EQ(place.bottom, expectedPlace.bottom);
        }
        if (e.control != app::组合框1) {
            EXPECT_EQ(WindowText(control), e.text);
        }
        EXPECT_EQ(IsWindowVisible(control) != FALSE, e.visible);
        EXPECT_EQ((GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) != 0, e.tabStop);
        EXPECT_TRUE(IsWindowEnabled(control));
    }

    const HWND combo = program.Control(app::组合框1);
    EXPECT_EQ(GetWindowLongW(combo, GWL_STYLE) & 3, CBS_DROPDOWNLIST) << "a pick-only drop-down list";
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(AnsiItems(combo), (std::vector<std::string>{"A", "B"}));

    const HWND list = program.Control(app::超级列表框1);
    const auto listStyle = static_cast<DWORD>(GetWindowLongW(list, GWL_STYLE));
    EXPECT_EQ(listStyle & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
    EXPECT_TRUE(listStyle & LVS_NOCOLUMNHEADER);
    EXPECT_TRUE(listStyle & LVS_SINGLESEL);
    EXPECT_TRUE(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 280);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), 0);
    EXPECT_EQ(ListRowCount(list), 0);
    EXPECT_TRUE(GetWindowLongW(program.Control(app::编辑框2), GWL_STYLE) & ES_MULTILINE);

    EXPECT_EQ(program.CloseAndWait(), 0u);
}

struct CategoryCase {
    const char* what;
    std::string index;  // nullopt-like: "<missing>" writes no file
    std::vector<std::string> items;
};

TEST(Startup, CategoryIndexGivesTheItemsOfItsRules) {
    const std::string yangshi = "\xD1\xEB\xCA\xD3", tiyu = "\xCC\xE5\xD3\xFD";
    const CategoryCase cases[] = {
        {"no index file", "<missing>", {}},
        {"empty file", "", {}},
        {"two lines, final CR LF", "News----http://a\r\nSport\r\n", {"News", "Sport"}},
        {"two lines, no final CR LF", "News----http://a\r\nSport", {"News", "Sport"}},
        {"leading ---- gives an empty item", "A\r\n----x\r\nB", {"A", "", "B"}},
        {"several ----", "A----B----C\r\n", {"A"}},
        {"LF alone breaks no line", "A\nB----x\nC", {"A\nB"}},
        {"zero byte ends the text", "A\r\nBC\0D\r\nE"s, {"A", "BC"}},
        {"GBK names and spaces kept", " " + yangshi + " ----x\r\n" + tiyu + "\r\n", {" " + yangshi + " ", tiyu}},
        {"empty lines are skipped", "\r\nA\r\n\r\nB\r\n\r\n", {"A", "B"}},
        {"UTF-8 mark stays in the first name", "\xEF\xBB\xBF" "A\r\nB", {"\xEF\xBB\xBF" "A", "B"}},
        {"UTF-16 ends at its first zero byte", "\xFF\xFE" "A\0\r\0\n\0B\0"s, {"\xFF\xFE" "A"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RunDirectory directory;
        if (c.index != "<missing>") directory.Write(L"Velmo.dll", c.index);
        ProgramUnderTest program(directory);
        ASSERT_TRUE(program.Window());
        const HWND combo = program.Control(app::组合框1);
        EXPECT_EQ(AnsiItems(combo), c.items);
        EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
        EXPECT_EQ(program.CloseAndWait(), 0u);
    }
}

TEST(Startup, LargeAndHostileIndexFilesStillGiveAResponsiveWindow) {
    std::string thousands;
    for (int i = 0; i < 5000; ++i) thousands += "Category" + std::to_string(i) + "----x\r\n";
    std::string binary(1 << 20, '\0');
    for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>((i * 7919 + 13) % 251 + 1);
    const std::string longLine(8 << 20, 'x');
    struct { const char* what; std::string index; size_t items; } cases[] = {
        {"thousands of categories", thousands, 5000},
        {"binary bytes", binary, 0},
        {"one line of 8 MB", longLine + "----y\r\nB", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RunDirectory directory;
        directory.Write(L"Velmo.dll", c.index);
        ProgramUnderTest program(directory);
        ASSERT_TRUE(program.Window());
        DWORD_PTR answer = 0;
        EXPECT_TRUE(SendMessageTimeoutW(program.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
        const auto count = static_cast<size_t>(SendMessageW(program.Control(app::组合框1), CB_GETCOUNT, 0, 0));
        if (c.items) {
            EXPECT_EQ(count, c.items);
        } else {
            EXPECT_GT(count, 0u);
        }
        EXPECT_EQ(program.CloseAndWait(), 0u);
    }
}

}  // namespace
