// The window-and-control framework: a form description, its loading, events and the message loop.
#pragma once
#include <windows.h>

#include <cstddef>
#include <vector>

namespace ui {

enum class ControlKind { PushButton, EditBox, GroupBox, WebBrowser, Label, ListView, ComboBox, TransparentLabel, SpinControl };

enum ControlFlags : DWORD { kVisible = 1, kTabStop = 2 };

constexpr int kFormItself = -1;

// One control of a form; places are relative to the client area of its parent.
struct ControlSpec {
    const wchar_t* name;
    ControlKind kind;
    int parent;  // index of a group box in the same table, or kFormItself
    int left, top, width, height;
    const wchar_t* text;
    DWORD flags;  // ControlFlags
    DWORD style;  // kind-specific window styles added to the kind's own
};

enum class EventKind { Created, Clicked, DoubleClicked, ListItemSelected, CurrentItemChanged };

// Pointer position in the control's client coordinates and modifier keys (1 Ctrl, 2 Shift, 4 Alt).
struct EventInfo {
    unsigned x = 0, y = 0;
    unsigned modifiers = 0;
};

using EventHandler = void (*)(const EventInfo&);

struct EventBinding {
    int control;  // index in the form's table, or kFormItself for the created event
    EventKind kind;
    EventHandler handler;
};

class Form;

struct FormSpec {
    const wchar_t* caption;
    int outerWidth, outerHeight;
    const ControlSpec* controls;
    size_t controlCount;
    const EventBinding* events;
    size_t eventCount;
    void (*configure)(Form&);  // control settings applied before the created event; may be null
};

class Form {
public:
    // Creates the window hidden, its controls, re-parents them, shows them, raises the created
    // event and shows the window. False when the window cannot be created.
    bool Load(const FormSpec& description);

    HWND Window() const { return window_; }
    HWND Control(int index) const { return controls_[static_cast<size_t>(index)]; }

    // Runs the message loop until the window is destroyed; returns the quit code.
    int RunMessageLoop();

    // Runs a routine on the GUI thread and waits for it; false when the window is gone.
    bool CallOnGuiThread(void (*routine)(void*), void* context) const;

    // The framework's own procedure of the form window.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR form);
    HWND CreateControl(const ControlSpec& control, int index);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnNotify(const NMHDR& header);
    void Raise(int control, EventKind kind, const EventInfo& info = {}) const;
    bool FilterMessage(const MSG& message) const;
    int IndexOf(HWND control) const;
    ControlKind KindOf(HWND control) const;

    const FormSpec* spec_ = nullptr;
    HWND window_ = nullptr;
    std::vector<HWND> controls_;
};

// Exit notifications: run once, in registration order, after the message loop has ended.
void AddExitNotification(void (*notification)());
void RunExitNotifications();

// Initialises the framework: common controls and OLE on the GUI thread.
bool InitialiseFramework(HINSTANCE instance);
HINSTANCE ModuleInstance();

}  // namespace ui
