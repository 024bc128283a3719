#include "playback/playback_handlers.h"

#include "app/main_form.h"
#include "playback/player_page.h"
#include "ui/browser_host.h"
#include "ui/controls.h"
#include "ui/text_encoding.h"

namespace playback {

void OnChannelDoubleClicked(const ui::EventInfo&) {
    const HWND list = app::ControlWindow(app::超级列表框1);
    const std::string address = ui::ListViewCellText(list, ui::ListViewSelectedRow(list), 1);
    ui::BrowserNavigate(app::ControlWindow(app::超文本浏览框1),
                        ui::AnsiToWide(PlayerPageAddress(PlayerPrefixWithScheme, address)));
    const std::string label = ui::ListViewCellText(list, ui::ListViewSelectedRow(list), 0);
    ui::SetCaption(app::MainWindow(), CaptionPrefix + ui::AnsiToWide(label));
}

void OnConfirmClicked() {
    // The typed text is UTF-16 already: it goes into the address without a detour through the
    // code page, which could not hold every character a user may type.
    const std::wstring typed = ui::WindowTextWide(app::ControlWindow(app::编辑框2));
    ui::BrowserNavigate(app::ControlWindow(app::超文本浏览框1),
                        ui::AnsiToWide(PlayerPrefix) + typed + ui::AnsiToWide(PlayerSuffix));
}

}  // namespace playback
