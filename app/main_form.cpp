#include "app/main_form.h"

#include "app/created_handler.h"
#include "catalogue/channel_loader.h"
#include "playback/playback_handlers.h"
#include "ui/controls.h"

#include <commctrl.h>

namespace app {
namespace {

using ui::ControlKind;
using ui::kFormItself;
using ui::kTabStop;
using ui::kVisible;

const ui::ControlSpec kControls[] = {
    {L"按钮2", ControlKind::PushButton, kFormItself, 664, 424, 112, 32, L"确认", kVisible | kTabStop, 0},
    {L"编辑框2", ControlKind::EditBox, kFormItself, 8, 418, 640, 40, L"这里是播放m3u8格式的地址", kVisible | kTabStop,
     ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL},
    {L"分组框2", ControlKind::GroupBox, kFormItself, 323, -3, 457, 408, L"播放区域", kVisible, 0},
    {L"超文本浏览框1", ControlKind::WebBrowser, 分组框2, 3, 17, 450, 390, nullptr, kVisible | kTabStop, 0},
    {L"分组框1", ControlKind::GroupBox, kFormItself, 9, -3, 310, 408, L"首页", kVisible, 0},
    {L"标签1", ControlKind::Label, 分组框1, 7, 217, 56, 16, L"资源分类", kVisible, 0},
    {L"超级列表框1", ControlKind::ListView, 分组框1, 3, 16, 304, 200, nullptr, kVisible | kTabStop, 0},
    {L"组合框1", ControlKind::ComboBox, 分组框1, 7, 238, 296, 20, nullptr, kVisible, 0},
    {L"透明标签1", ControlKind::TransparentLabel, 分组框1, 142, 222, 64, 24, L"?\\?", 0, 0},
    {L"按钮1", ControlKind::PushButton, 分组框1, 214, 222, 88, 24, L"跳转", kTabStop, 0},
    {L"调节器1", ControlKind::SpinControl, 分组框1, 86, 222, 48, 24, nullptr, 0, 0},
    {L"编辑框1", ControlKind::EditBox, 分组框1, 7, 222, 72, 24, L"", kTabStop, ES_AUTOHSCROLL},
};
static_assert(sizeof(kControls) / sizeof(kControls[0]) == FormControlCount);

// Column 1 holds the channel's address and is zero pixels wide, so it is never seen.
const ui::ListColumn kChannelColumns[] = {{L"1", 280}, {L"2", 0}};

const ui::EventBinding kEvents[] = {
    {kFormItself, ui::EventKind::Created, [](const ui::EventInfo&) { OnWindowCreated(); }},
    {按钮2, ui::EventKind::Clicked, [](const ui::EventInfo&) { playback::OnConfirmClicked(); }},
    {超级列表框1, ui::EventKind::DoubleClicked, &playback::OnChannelDoubleClicked},
    {超级列表框1, ui::EventKind::CurrentItemChanged, [](const ui::EventInfo&) {}},
    {组合框1, ui::EventKind::ListItemSelected, [](const ui::EventInfo&) { catalogue::OnCategorySelected(); }},
};

void ConfigureControls(ui::Form& form) {
    const HWND list = form.Control(超级列表框1);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, LVS_EX_FULLROWSELECT);
    SendMessageW(list, LVM_SETTEXTCOLOR, 0, RGB(0, 0, 0));
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
    SendMessageW(list, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
    ui::ListViewAddColumns(list, kChannelColumns, sizeof(kChannelColumns) / sizeof(kChannelColumns[0]));
    SendMessageW(form.Control(编辑框2), EM_SETLIMITTEXT, 0, 0);
}

const ui::FormSpec kMainForm = {
    kInitialCaption, 804, 490, kControls, FormControlCount, kEvents, sizeof(kEvents) / sizeof(kEvents[0]),
    &ConfigureControls,
};

ui::Form mainForm;

}  // namespace

bool LoadMainForm() { return mainForm.Load(kMainForm); }
const ui::FormSpec& MainFormDescription() { return kMainForm; }
ui::Form& MainForm() { return mainForm; }
HWND MainWindow() { return mainForm.Window(); }
HWND ControlWindow(FormControl control) { return mainForm.Control(control); }

}  // namespace app
