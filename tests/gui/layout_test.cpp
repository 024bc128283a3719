// Proportional layout and size limits on real windows of this process, resized for real.
#include "app/size_limits.h"
#include "layout/layout.h"
#include "support/program_under_test.h"
#include "support/remote_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

constexpr UINT kProbeMessage = WM_APP + 77;

LRESULT CALLBACK BaseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbeMessage) return static_cast<LRESULT>(wParam * 3 + lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND Child(const wchar_t* className, HWND parent, int x, int y, int w, int h, DWORD style = WS_VISIBLE) {
    return CreateWindowExW(0, className, L"", WS_CHILD | style, x, y, w, h, parent, nullptr, nullptr, nullptr);
}

RECT Place(HWND window) { return RectInParent(window); }

class LayoutTest : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = BaseProc;
        windowClass.lpszClassName = L"LayoutTestTop";
        RegisterClassW(&windowClass);
        layout::CreateLayoutLists();
        // A client area of exactly 500 x 408, so that the stored places below are easy to scale.
        RECT outer{0, 0, 500, 408};
        AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
        top = CreateWindowExW(0, L"LayoutTestTop", L"t", WS_OVERLAPPEDWINDOW, 0, 0, outer.right - outer.left,
                              outer.bottom - outer.top, nullptr, nullptr, nullptr, nullptr);
        group = Child(L"BUTTON", top, 100, -3, 300, 408, WS_VISIBLE | BS_GROUPBOX);
        label = Child(L"STATIC", group, 7, 222, 56, 16);
        combo = Child(L"COMBOBOX", group, 7, 238, 200, 160, WS_VISIBLE | CBS_DROPDOWNLIST);
        list = Child(WC_LISTVIEWW, group, 3, 16, 290, 200, WS_VISIBLE | LVS_REPORT);
        hidden = Child(L"EDIT", group, 10, 300, 60, 24, 0);
        header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
        RECT combo0{};
        GetWindowRect(combo, &combo0);
        comboHeight = combo0.bottom - combo0.top;
        headerPlace = Place(header);
        layout::RegisterLayout(top);
        app::SetSizeLimits(top, 300, 200, 1600, 1200);
    }
    void TearDown() override {
        DestroyWindow(top);
        layout::ReleaseLayoutLists();
    }
    void ResizeClient(int width, int height) {
        RECT outer{0, 0, width, height};
        AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
        SetWindowPos(top, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER);
    }

    HWND top{}, group{}, label{}, combo{}, list{}, hidden{}, header{};
    int comboHeight = 0;
    RECT headerPlace{};
};

int Scale(int size, int stored, int storedSize) {
    return static_cast<int>(size * (static_cast<double>(stored) / storedSize));
}

TEST_F(LayoutTest, RecordsEveryDescendantButHeadersBreadthFirst) {
    const std::vector<HWND> expected = {group, label, combo, list, hidden};
    EXPECT_EQ(layout::ChildWindowList, expected);
    ASSERT_EQ(layout::LayoutRecordList.size(), expected.size());
    EXPECT_EQ(layout::LayoutRecordList[2]->fixedHeight, 1);
    EXPECT_EQ(layout::LayoutRecordList[2]->height, comboHeight);
    EXPECT_EQ(layout::LayoutRecordList[1]->topRatio, 222.0 / 408);
    EXPECT_EQ(layout::LayoutRecordList[0]->owner, top);
    EXPECT_EQ(layout::SubclassedWindowList, std::vector<HWND>{top});
}

TEST_F(LayoutTest, ResizingScalesNestedWindowsAgainstTheirOwnParents) {
    struct { int width, height; } sizes[] = {{1000, 816}, {731, 523}, {500, 408}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
        ResizeClient(size.width, size.height);
        const RECT g = Place(group);
        EXPECT_EQ(g.left, Scale(size.width, 100, 500));
        EXPECT_EQ(g.top, static_cast<int>(size.height * (-3.0 / 408)));
        EXPECT_EQ(g.right - g.left, Scale(size.width, 300, 500));
        EXPECT_EQ(g.bottom - g.top, Scale(size.height, 408, 408));
        RECT inner{};
        GetClientRect(group, &inner);
        const RECT l = Place(label);
        EXPECT_EQ(l.left, Scale(inner.right, 7, 300));
        EXPECT_EQ(l.top, Scale(inner.bottom, 222, 408));
        const RECT c = Place(combo);
        EXPECT_EQ(c.bottom - c.top, comboHeight) << "combo boxes keep their height";
        EXPECT_EQ(c.right - c.left, Scale(inner.right, 200, 300));
        const RECT h = Place(hidden);
        EXPECT_EQ(h.top, Scale(inner.bottom, 300, 408)) << "hidden windows are laid out too";
        const RECT headerNow = Place(header);
        EXPECT_EQ(headerNow.left, headerPlace.left) << "headers are never moved by the layout";
        EXPECT_EQ(headerNow.top, headerPlace.top);
    }
    EXPECT_EQ(Place(label).top, 221) << "222 of 408, scaled back to 408, truncates to 221";
}

TEST_F(LayoutTest, EmptyClientAreaAndBackRestoresProportions) {
    ResizeClient(800, 600);
    const RECT before = Place(label);
    SendMessageW(top, WM_SIZE, SIZE_MINIMIZED, 0);
    ShowWindow(top, SW_SHOWMINNOACTIVE);
    RECT client{};
    GetClientRect(top, &client);
    if (client.right == 0) {
        const RECT g = Place(group);
        EXPECT_EQ(g.right - g.left, 0);
        EXPECT_EQ(Place(combo).bottom - Place(combo).top, comboHeight);
    }
    ShowWindow(top, SW_RESTORE);
    ResizeClient(800, 600);
    const RECT after = Place(label);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
}

TEST_F(LayoutTest, LaterWindowsAndDestroyedWindowsAreHandled) {
    const HWND late = Child(L"STATIC", group, 5, 5, 10, 10);
    DestroyWindow(hidden);
    ResizeClient(900, 700);
    EXPECT_EQ(Place(late).left, 5) << "windows created after registration are left alone";
    EXPECT_EQ(layout::ChildWindowList.size(), 4u) << "destroyed windows are dropped";
}

TEST_F(LayoutTest, SizeLimitsClampAndTheChainPassesEverythingOn) {
    EXPECT_EQ(SendMessageW(top, kProbeMessage, 5, 2), 17) << "results come back through both procedures";
    MINMAXINFO info{};
    info.ptMaxSize = {11, 12};
    info.ptMaxPosition = {13, 14};
    SendMessageW(top, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 300);
    EXPECT_EQ(info.ptMinTrackSize.y, 200);
    EXPECT_EQ(info.ptMaxTrackSize.x, 1600);
    EXPECT_EQ(info.ptMaxTrackSize.y, 1200);
    EXPECT_EQ(info.ptMaxSize.x, 11);
    EXPECT_EQ(info.ptMaxPosition.y, 14);

    RECT outer{};
    SetWindowPos(top, nullptr, 0, 0, 100, 50, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(top, &outer);
    EXPECT_EQ(outer.right - outer.left, 300);
    EXPECT_EQ(outer.bottom - outer.top, 200);
    SetWindowPos(top, nullptr, 0, 0, 5000, 5000, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(top, &outer);
    EXPECT_EQ(outer.right - outer.left, 1600);
    EXPECT_EQ(outer.bottom - outer.top, 1200);
}

TEST(ProgramLayout, ResizedFromOutsideEveryControlKeepsItsProportionsWithinTheLimits) {
    RunDirectory directory;
    directory.Write(L"Velmo.dll", "A\r\n");
    ProgramUnderTest program(directory);
    const HWND window = program.Window();
    ASSERT_TRUE(window);
    RECT client0{};
    GetClientRect(window, &client0);

    SetWindowPos(window, nullptr, 0, 0, 1200, 700, SWP_NOMOVE | SWP_NOZORDER);
    Pump(300);
    RECT client{};
    GetClientRect(window, &client);
    const RECT confirm = RectInParent(program.Control(app::按钮2));
    EXPECT_EQ(confirm.left, Scale(client.right, 664, client0.right));
    EXPECT_EQ(confirm.top, Scale(client.bottom, 424, client0.bottom));
    const HWND home = program.Control(app::分组框1);
    RECT homeClient{};
    GetClientRect(home, &homeClient);
    const RECT list = RectInParent(program.Control(app::超级列表框1));
    EXPECT_EQ(list.right - list.left, Scale(homeClient.right, 304, 310));
    EXPECT_EQ(list.bottom - list.top, Scale(homeClient.bottom, 200, 408));
    const RECT browser = RectInParent(program.Control(app::超文本浏览框1));
    EXPECT_EQ(browser.right - browser.left, Scale(RectInParent(program.Control(app::分组框2)).right -
                                                  RectInParent(program.Control(app::分组框2)).left, 450, 457));

    RECT outer{};
    SetWindowPos(window, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, 800);
    EXPECT_EQ(outer.bottom - outer.top, 444);
    SetWindowPos(window, nullptr, 0, 0, 100000, 100000, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, 2 * GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(outer.bottom - outer.top, 2 * GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(program.CloseAndWait(), 0u);
}

}  // namespace
