// velmo.exe started as its own process in a run directory, inspected and driven from outside.
#pragma once
#include "app/main_form.h"
#include "support/run_directory.h"
#include "ui/owners.h"

#include <windows.h>

namespace testing_support {

class ProgramUnderTest {
public:
    // Copies velmo.exe into the run directory, starts it and waits for its window to be shown.
    explicit ProgramUnderTest(const RunDirectory& directory);
    ~ProgramUnderTest();

    HWND Window() const { return window_; }
    HWND Control(app::FormControl control) const;
    HANDLE Process() const { return process_.Get(); }

    // Closes the window as a user would and returns the exit code (STILL_ACTIVE on a hang).
    DWORD CloseAndWait(DWORD timeoutMs = 15000);

    // Real input: brings the window to the front and clicks or double-clicks at a point of a window.
    void Click(HWND target, POINT client, bool doubleClick = false, bool rightButton = false, int settleMilliseconds = 100) const;
    // Picks a combo item with the mouse: opens the drop-down and clicks the item.
    void PickCategory(int index, int settleMilliseconds = 100) const;
    void TypeKey(WORD virtualKey) const;

    // A visible message box of the program ("#32770"), or null.
    HWND MessageBoxWindow() const;
    // True when the GUI thread answers a message within the time.
    bool Responsive(DWORD timeoutMs = 2000) const;

private:
    void Activate() const;

    ui::UniqueHandle process_;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
};

}  // namespace testing_support
