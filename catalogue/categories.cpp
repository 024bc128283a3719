#include "catalogue/categories.h"

#include "app/main_form.h"
#include "catalogue/text_split.h"
#include "ui/controls.h"
#include "ui/file_io.h"
#include "ui/text_encoding.h"

#include <new>

namespace catalogue {

void FillCategoryCombo(HWND combo, std::string_view indexText) {
    ui::ComboResetContent(combo);
    size_t lines = 0;
    ForEachPiece(indexText, "\r\n", [&](std::string_view) { ++lines; });
    ui::ComboReserve(combo, lines, indexText.size());
    try {
        ForEachPiece(indexText, "\r\n", [&](std::string_view line) {
            // An empty line splits into no fields at all, so it names no category: skip it rather
            // than invent an item for it.
            if (line.empty()) return;
            ui::ComboAddItem(combo, FirstPiece(line, "----"));
        });
    } catch (const std::bad_alloc&) {
        // Out of memory on a huge index: keep the categories added so far.
    }
    ui::ComboSetCurrentSelection(combo, -1);
}

void LoadCategories() {
    const HWND combo = app::ControlWindow(app::组合框1);
    ui::ComboResetContent(combo);
    const std::string bytes = ui::ReadWholeFile(ui::RunDirectory() + kCategoryIndexFile);
    FillCategoryCombo(combo, ui::TextFromBytes(bytes));
}

}  // namespace catalogue
