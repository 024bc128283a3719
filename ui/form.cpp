#include "ui/form.h"

#include "ui/browser_host.h"

#include <commctrl.h>
#include <ole2.h>

namespace ui {
namespace {

constexpr wchar_t kFormClass[] = L"VelmoForm";
constexpr UINT kCallOnGuiThreadMessage = WM_APP + 1;
// Posted by a combo box to itself on CBN_SELENDOK, so the event runs after the pick is complete.
constexpr UINT kListItemSelectedMessage = WM_APP + 2;
constexpr int kFirstControlId = 1000;
constexpr int kDropDownTotalHeight = 160;
constexpr UINT_PTR kControlSubclassId = 1;

HINSTANCE moduleInstance = nullptr;
std::vector<void (*)()> exitNotifications;

struct KindInfo {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

KindInfo InfoOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::PushButton: return {L"BUTTON", BS_PUSHBUTTON, 0};
        case ControlKind::EditBox: return {L"EDIT", 0, WS_EX_CLIENTEDGE};
        case ControlKind::GroupBox: return {L"BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT};
        case ControlKind::WebBrowser: return {kBrowserHostClass, WS_CLIPCHILDREN, 0};
        case ControlKind::Label: return {L"STATIC", SS_LEFT, 0};
        case ControlKind::TransparentLabel: return {L"STATIC", SS_LEFT, WS_EX_TRANSPARENT};
        case ControlKind::ListView:
            return {WC_LISTVIEWW, LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                    WS_EX_CLIENTEDGE};
        case ControlKind::ComboBox: return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0};
        case ControlKind::SpinControl: return {UPDOWN_CLASSW, UDS_HORZ, 0};
    }
    return {L"STATIC", 0, 0};
}

unsigned ModifierKeys(WPARAM mouseKeys) {
    unsigned modifiers = 0;
    if (mouseKeys & MK_CONTROL) modifiers |= 1;
    if (mouseKeys & MK_SHIFT) modifiers |= 2;
    if (GetKeyState(VK_MENU) < 0) modifiers |= 4;
    return modifiers;
}

}  // namespace

bool InitialiseFramework(HINSTANCE instance) {
    moduleInstance = instance;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    OleInitialize(nullptr);  // the browser control needs an OLE apartment on the GUI thread
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &Form::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFormClass;
    return RegisterClassExW(&windowClass) != 0 && RegisterBrowserHostClass(instance);
}

HINSTANCE ModuleInstance() { return moduleInstance; }

void AddExitNotification(void (*notification)()) { exitNotifications.push_back(notification); }

void RunExitNotifications() {
    for (auto notification : exitNotifications) notification();
    exitNotifications.clear();
}

bool Form::Load(const FormSpec& description) {
    spec_ = &description;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - description.outerWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - description.outerHeight) / 2;
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kFormClass, description.caption, WS_OVERLAPPEDWINDOW, left, top,
                              description.outerWidth, description.outerHeight, nullptr, nullptr, moduleInstance, this);
    if (!window_) return false;
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageW(window_, WM_SETFONT, font, FALSE);

    controls_.assign(description.controlCount, nullptr);
    for (size_t i = 0; i < description.controlCount; ++i) {
        controls_[i] = CreateControl(description.controls[i], static_cast<int>(i));
        if (!controls_[i]) { DestroyWindow(window_); return false; }
    }
    if (description.configure) description.configure(*this);
    // Controls of a group box become real children of it, keeping their stored coordinates.
    for (size_t i = 0; i < description.controlCount; ++i) {
        const int parent = description.controls[i].parent;
        if (parent != kFormItself) SetParent(controls_[i], controls_[static_cast<size_t>(parent)]);
    }
    for (size_t i = 0; i < description.controlCount; ++i)
        ShowWindow(controls_[i], (description.controls[i].flags & kVisible) ? SW_SHOWNA : SW_HIDE);

    Raise(kFormItself, EventKind::Created);
    if (IsWindow(window_)) {
        ShowWindow(window_, SW_SHOWNORMAL);
        UpdateWindow(window_);
    }
    return true;
}

HWND Form::CreateControl(const ControlSpec& control, int index) {
    const KindInfo info = InfoOf(control.kind);
    DWORD style = WS_CHILD | info.style | control.style;
    if (control.flags & kTabStop) style |= WS_TABSTOP;
    const int height =
        control.kind == ControlKind::ComboBox ? (control.height > kDropDownTotalHeight ? control.height : kDropDownTotalHeight)
                                              : control.height;
    HWND window = CreateWindowExW(info.exStyle, info.className, control.text ? control.text : L"", style, control.left,
                                  control.top, control.width, height, window_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
                                  moduleInstance, nullptr);
    if (!window) return nullptr;
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    // Some edit implementations keep the creation text only in their own buffer; store it as the
    // window's own text too, so that tools reading the text from outside see what is shown.
    if (control.kind == ControlKind::EditBox && control.text)
        DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(control.text));
    // Only the kinds that need it are subclassed: a subclassed list view costs over a hundred
    // microseconds more per inserted row on some systems, twenty times the insert itself.
    if (control.kind == ControlKind::GroupBox || control.kind == ControlKind::ComboBox)
        SetWindowSubclass(window, &Form::ControlProc, kControlSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return window;
}

int Form::IndexOf(HWND control) const {
    for (size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i] == control) return static_cast<int>(i);
    return kFormItself - 1;
}

ControlKind Form::KindOf(HWND control) const {
    const int index = IndexOf(control);
    return index >= 0 ? spec_->controls[index].kind : ControlKind::Label;
}

void Form::Raise(int control, EventKind kind, const EventInfo& info) const {
    for (size_t i = 0; i < spec_->eventCount; ++i) {
        const EventBinding& binding = spec_->events[i];
        if (binding.control == control && binding.kind == kind) binding.handler(info);
    }
}

void Form::OnCommand(WPARAM wParam, LPARAM lParam) {
    const HWND control = reinterpret_cast<HWND>(lParam);
    const int index = IndexOf(control);
    if (index < 0) return;
    switch (HIWORD(wParam)) {
        case BN_CLICKED:
            if (spec_->controls[index].kind == ControlKind::PushButton) Raise(index, EventKind::Clicked);
            break;
        case CBN_SELENDOK:
            if (spec_->controls[index].kind == ControlKind::ComboBox)
                PostMessageW(control, kListItemSelectedMessage, 0, 0);
            break;
    }
}

LRESULT Form::OnNotify(const NMHDR& header) {
    const int index = IndexOf(header.hwndFrom);
    if (index >= 0 && header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_FOCUSED))
            Raise(index, EventKind::CurrentItemChanged);
    }
    return 0;
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_COMMAND:
            if (form) form->OnCommand(wParam, lParam);
            return 0;
        case WM_NOTIFY:
            return form ? form->OnNotify(*reinterpret_cast<const NMHDR*>(lParam)) : 0;
        case kCallOnGuiThreadMessage:
            reinterpret_cast<void (*)(void*)>(wParam)(reinterpret_cast<void*>(lParam));
            return 1;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Group boxes and combo boxes pass here first: group boxes hand their children's notifications to the form,
// combo boxes turn their posted selection message into the list-item-selected event.
LRESULT CALLBACK Form::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR formData) {
    auto form = reinterpret_cast<Form*>(formData);
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
            if (form->KindOf(window) == ControlKind::GroupBox)
                return SendMessageW(form->window_, message, wParam, lParam);
            break;
        case kListItemSelectedMessage:
            form->Raise(form->IndexOf(window), EventKind::ListItemSelected);
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, &Form::ControlProc, kControlSubclassId);
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

bool Form::FilterMessage(const MSG& message) const {
    if (message.message == WM_LBUTTONDBLCLK) {
        const int index = IndexOf(message.hwnd);
        if (index >= 0) {
            EventInfo info{LOWORD(message.lParam), HIWORD(message.lParam), ModifierKeys(message.wParam)};
            Raise(index, EventKind::DoubleClicked, info);
        }
    }
    return IsDialogMessageW(window_, const_cast<MSG*>(&message)) != FALSE;
}

int Form::RunMessageLoop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (FilterMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

bool Form::CallOnGuiThread(void (*routine)(void*), void* context) const {
    return SendMessageW(window_, kCallOnGuiThreadMessage, reinterpret_cast<WPARAM>(routine),
                        reinterpret_cast<LPARAM>(context)) != 0;
}

}  // namespace ui
