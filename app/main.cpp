// Program entry: framework, layout lists, the main window, the message loop.
#include "app/main_form.h"
#include "layout/layout.h"
#include "ui/form.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    ui::InitialiseFramework(instance);
    layout::CreateLayoutLists();
    ui::AddExitNotification(&layout::ReleaseLayoutLists);
    if (!app::LoadMainForm()) return -1;
    app::MainForm().RunMessageLoop();
    ui::RunExitNotifications();
    return 0;
}
