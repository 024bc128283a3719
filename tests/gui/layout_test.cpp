// Proportional layout and size limits on real windows of this process, resized for real.
#include "app/main_form.h"
#include "app/size_limits.h"
#include "layout/layout.h"
#include "support/layout_arithmetic.h"
#include "support/program_under_test.h"
#include "support/remote_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

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

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

SIZE OuterSize(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

bool operator==(SIZE a, SIZE b) { return a.cx == b.cx && a.cy == b.cy; }

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
        EXPECT_EQ(g.left, ScaledLikeTheLayout(size.width, 100, 500));
        EXPECT_EQ(g.top, ScaledLikeTheLayout(size.height, -3, 408));
        EXPECT_EQ(g.right - g.left, ScaledLikeTheLayout(size.width, 300, 500));
        EXPECT_EQ(g.bottom - g.top, ScaledLikeTheLayout(size.height, 408, 408));
        RECT inner{};
        GetClientRect(group, &inner);
        const RECT l = Place(label);
        EXPECT_EQ(l.left, ScaledLikeTheLayout(inner.right, 7, 300));
        EXPECT_EQ(l.top, ScaledLikeTheLayout(inner.bottom, 222, 408));
        const RECT c = Place(combo);
        EXPECT_EQ(c.bottom - c.top, comboHeight) << "combo boxes keep their height";
        EXPECT_EQ(c.right - c.left, ScaledLikeTheLayout(inner.right, 200, 300));
        const RECT h = Place(hidden);
        EXPECT_EQ(h.top, ScaledLikeTheLayout(inner.bottom, 300, 408)) << "hidden windows are laid out too";
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

    SetWindowPos(top, nullptr, 0, 0, 100, 50, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(OuterSize(top).cx, 300);
    EXPECT_EQ(OuterSize(top).cy, 200);
    SetWindowPos(top, nullptr, 0, 0, 5000, 5000, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(OuterSize(top).cx, 1600);
    EXPECT_EQ(OuterSize(top).cy, 1200);
}

// Our own computation of every control's place from the form table, for the sizes the window and
// its group boxes have now: the stored place scaled from the parent's client area at start-up
// (a group box's client area is its stored size) with the same 64-bit arithmetic, truncated.
void ExpectEveryControlLaidOut(const ProgramUnderTest& program, SIZE client0, int comboHeight) {
    const ui::FormSpec& form = app::MainFormDescription();
    for (size_t i = 0; i < form.controlCount; ++i) {
        const ui::ControlSpec& stored = form.controls[i];
        SCOPED_TRACE(testing::Message() << "control " << i);
        const bool onForm = stored.parent == ui::kFormItself;
        const HWND parent = onForm ? program.Window() : program.Control(static_cast<app::FormControl>(stored.parent));
        RECT client{};
        GetClientRect(parent, &client);
        const double W = client.right, H = client.bottom;
        const double W0 = onForm ? client0.cx : form.controls[stored.parent].width;
        const double H0 = onForm ? client0.cy : form.controls[stored.parent].height;
        const int expected[4] = {ScaledLikeTheLayout(W, stored.left, W0), ScaledLikeTheLayout(H, stored.top, H0),
                                 ScaledLikeTheLayout(W, stored.width, W0),
                                 stored.kind == ui::ControlKind::ComboBox ? comboHeight
                                                                          : ScaledLikeTheLayout(H, stored.height, H0)};
        const RECT place = RectInParent(program.Control(static_cast<app::FormControl>(i)));
        const int actual[4] = {place.left, place.top, place.right - place.left, place.bottom - place.top};
        EXPECT_EQ(std::vector<int>(actual, actual + 4), std::vector<int>(expected, expected + 4));
    }
}

class ProgramLayout : public testing::Test {
protected:
    void SetUp() override {
        directory.Write(L"Velmo.dll", "A\r\n");
        program = std::make_unique<ProgramUnderTest>(directory);
        ASSERT_TRUE(program->Window());
        client0 = ClientSize(program->Window());
        RECT combo{};
        GetWindowRect(program->Control(app::组合框1), &combo);
        comboHeight = combo.bottom - combo.top;
    }
    void TearDown() override {
        if (program) {
            EXPECT_EQ(program->CloseAndWait(), 0u);
        }
    }

    RunDirectory directory;
    std::unique_ptr<ProgramUnderTest> program;
    SIZE client0{};
    int comboHeight = 0;
};

TEST_F(ProgramLayout, ResizedFromOutsideEveryControlKeepsItsProportionsWithinTheLimits) {
    const HWND window = program->Window();
    const SIZE sizes[] = {{1200, 700}, {801, 445}, {1000, 1300}, {804, 490}};
    for (const SIZE size : sizes) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        Pump(100);
        EXPECT_TRUE(OuterSize(window) == size);
        ExpectEveryControlLaidOut(*program, client0, comboHeight);
        // The web-browser control fills its host again.
        const HWND host = program->Control(app::超文本浏览框1);
        const HWND browser = GetWindow(host, GW_CHILD);
        ASSERT_TRUE(browser) << "the web-browser control has no window in its host";
        RECT hostClient{};
        GetClientRect(host, &hostClient);
        const RECT browserPlace = RectInParent(browser);
        EXPECT_EQ(std::vector<LONG>({browserPlace.left, browserPlace.top, browserPlace.right, browserPlace.bottom}),
                  std::vector<LONG>({0, 0, hostClient.right, hostClient.bottom}));
    }
    SetWindowPos(window, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(OuterSize(window) == (SIZE{800, 444}));
    ExpectEveryControlLaidOut(*program, client0, comboHeight);
    SetWindowPos(window, nullptr, 0, 0, 100000, 100000, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(OuterSize(window) == (SIZE{2 * GetSystemMetrics(SM_CXSCREEN), 2 * GetSystemMetrics(SM_CYSCREEN)}));
    ExpectEveryControlLaidOut(*program, client0, comboHeight);
}

// Moves the mouse to a point of the screen with absolute input, as a real mouse would report it.
void MoveMouseTo(POINT point) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    // The system maps 0..65535 onto the screen's pixels, rounding down: aim at the pixel's middle.
    input.mi.dx = static_cast<LONG>((point.x * 65536.0 + 32768) / GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = static_cast<LONG>((point.y * 65536.0 + 32768) / GetSystemMetrics(SM_CYSCREEN));
    SendInput(1, &input, sizeof(input));
}

void SendButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

bool InMoveOrSize(HWND window) {
    GUITHREADINFO info{sizeof(info)};
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && (info.flags & GUI_INMOVESIZE);
}

// Drags the window's bottom-right frame corner by an offset, in steps, with real mouse input.
// Under a busy desktop a press can arrive before the window is ready for it; like a user, the
// drag then presses again.
bool DragBottomRightCorner(HWND window, int dx, int dy) {
    RECT outer{};
    GetWindowRect(window, &outer);
    const POINT from{outer.right - 2, outer.bottom - 2};
    bool sizing = false;
    for (int attempt = 0; attempt < 3 && !sizing; ++attempt) {
        MoveMouseTo(from);
        Pump(50);
        SendButton(MOUSEEVENTF_LEFTDOWN);
        sizing = WaitUntil([&] { return InMoveOrSize(window); }, 500);
        if (!sizing) {
            SendButton(MOUSEEVENTF_LEFTUP);
            Pump(200);
        }
    }
    if (!sizing) return false;
    constexpr int kSteps = 10;
    for (int step = 1; step <= kSteps; ++step) {
        MoveMouseTo({from.x + dx * step / kSteps, from.y + dy * step / kSteps});
        Pump(30);
    }
    SendButton(MOUSEEVENTF_LEFTUP);
    return WaitUntil([&] { return !InMoveOrSize(window); }, 2000);
}

// Needs a desktop that draws window frames: the test command runs it in a Wine desktop, not with the rest.
TEST_F(ProgramLayout, FrameDraggedWithTheMouseLaysOutAndStopsAtTheMinimum) {
    const HWND window = program->Window();
    SetForegroundWindow(window);
    SetWindowPos(window, nullptr, 20, 20, 900, 520, SWP_NOZORDER);
    Pump(100);
    RECT outer{};
    GetWindowRect(window, &outer);
    ASSERT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(outer.right - 2, outer.bottom - 2)), HTBOTTOMRIGHT);

    ASSERT_TRUE(DragBottomRightCorner(window, 160, 90)) << "the press on the frame did not start sizing";
    EXPECT_TRUE(OuterSize(window) == (SIZE{1060, 610})) << OuterSize(window).cx << " x " << OuterSize(window).cy;
    ExpectEveryControlLaidOut(*program, client0, comboHeight);

    ASSERT_TRUE(DragBottomRightCorner(window, -600, -400)) << "the press on the frame did not start sizing";
    EXPECT_TRUE(OuterSize(window) == (SIZE{800, 444})) << OuterSize(window).cx << " x " << OuterSize(window).cy;
    ExpectEveryControlLaidOut(*program, client0, comboHeight);
}

}  // namespace
