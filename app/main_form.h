// The main window's form: its controls by their form names, and the one form of the program.
#pragma once
#include "ui/form.h"

namespace app {

// Form order, which is also the order of creation.
enum FormControl : int {
    按钮2,
    编辑框2,
    分组框2,
    超文本浏览框1,
    分组框1,
    标签1,
    超级列表框1,
    组合框1,
    透明标签1,
    按钮1,
    调节器1,
    编辑框1,
    FormControlCount
};

inline constexpr wchar_t kInitialCaption[] = L"Velmo在线直播";

// Loads the main window with its controls; false when it cannot be created.
bool LoadMainForm();
// The form's description: its controls' stored places, texts and kinds.
const ui::FormSpec& MainFormDescription();
ui::Form& MainForm();
HWND MainWindow();
HWND ControlWindow(FormControl control);

}  // namespace app
