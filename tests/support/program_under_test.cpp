#include "support/program_under_test.h"

#include "support/remote_window.h"

#include <gtest/gtest.h>

namespace testing_support {
namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
    const wchar_t* className;
};

BOOL CALLBACK FindVisibleTopLevel(HWND window, LPARAM data) {
    auto search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && ClassName(window) == search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindById(HWND parent, int id) {
    for (HWND child : Children(parent)) {
        if (GetDlgCtrlID(child) == id && ClassName(child) != L"SysHeader32") return child;
        if (HWND inner = FindById(child, id)) return inner;
    }
    return nullptr;
}

void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

}  // namespace

ProgramUnderTest::ProgramUnderTest(const RunDirectory& directory) {
    const std::wstring exe = directory.Path() + L"\\velmo.exe";
    CopyFileW((BinaryDirectory() + L"\\velmo.exe").c_str(), exe.c_str(), FALSE);
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.Path().c_str(),
                        &startup, &info)) {
        ADD_FAILURE() << "velmo.exe did not start, error " << GetLastError();
        return;
    }
    CloseHandle(info.hThread);
    process_ = ui::UniqueHandle(info.hProcess);
    processId_ = info.dwProcessId;
    // The window may be seen a moment before every control is where it belongs: wait for all.
    const auto allControlsThere = [&] {
        for (int control = 0; control < app::FormControlCount; ++control)
            if (!Control(static_cast<app::FormControl>(control))) return false;
        return true;
    };
    WaitUntil([&] {
        WindowSearch search{processId_, nullptr, L"VelmoForm"};
        EnumWindows(&FindVisibleTopLevel, reinterpret_cast<LPARAM>(&search));
        window_ = search.found;
        return window_ != nullptr && allControlsThere();
    }, 30000);
    if (!window_) ADD_FAILURE() << "velmo.exe showed no window";
}

ProgramUnderTest::~ProgramUnderTest() {
    if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.Get(), 99);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

HWND ProgramUnderTest::Control(app::FormControl control) const { return FindById(window_, 1000 + control); }

DWORD ProgramUnderTest::CloseAndWait(DWORD timeoutMs) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_.Get(), timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(process_.Get(), &code);
    return code;
}

HWND ProgramUnderTest::MessageBoxWindow() const {
    WindowSearch search{processId_, nullptr, L"#32770"};
    EnumWindows(&FindVisibleTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ProgramUnderTest::Responsive(DWORD timeoutMs) const {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &answer) != 0;
}

void ProgramUnderTest::Activate() const {
    SetForegroundWindow(window_);
    WaitUntil([&] { return GetForegroundWindow() == window_; }, 2000);
}

void ProgramUnderTest::Click(HWND target, POINT client, bool doubleClick, bool rightButton, int settleMilliseconds) const {
    Activate();
    ClientToScreen(target, &client);
    SetCursorPos(client.x, client.y);
    Pump(50);
    const DWORD down = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    const DWORD up = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    for (int i = 0; i < (doubleClick ? 2 : 1); ++i) {
        SendMouse(down);
        SendMouse(up);
    }
    Pump(settleMilliseconds);
}

void ProgramUnderTest::PickCategory(int index, int settleMilliseconds) const {
    const HWND combo = Control(app::组合框1);
    RECT field{};
    GetClientRect(combo, &field);
    Click(combo, {field.right / 2, field.bottom / 2});
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }, 3000))
        << "the drop-down did not open";
    // The drop-down is a top-level "ComboLBox" window of the program (GetComboBoxInfo does not
    // work across processes everywhere).
    WindowSearch search{processId_, nullptr, L"ComboLBox"};
    EnumWindows(&FindVisibleTopLevel, reinterpret_cast<LPARAM>(&search));
    ASSERT_TRUE(search.found) << "no drop-down list window";
    RECT item{};
    SendMessageW(search.found, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    Click(search.found, {(item.left + item.right) / 2, (item.top + item.bottom) / 2}, false, false, settleMilliseconds);
}

void ProgramUnderTest::TypeKey(WORD virtualKey) const {
    Activate();
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = virtualKey;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    Pump(100);
}

}  // namespace testing_support
