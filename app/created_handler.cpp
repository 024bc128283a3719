#include "app/created_handler.h"

#include "app/main_form.h"
#include "app/size_limits.h"
#include "catalogue/categories.h"
#include "layout/layout.h"

namespace app {

void OnWindowCreated() {
    // The layout must record the form geometry before anything moves, and the size limits must be
    // installed after it so that they come first in the chain of window procedures.
    layout::RegisterLayout(MainWindow());
    const int maxWidth = layout::TruncateToInt32(GetSystemMetrics(SM_CXSCREEN) * 2.0);
    const int maxHeight = layout::TruncateToInt32(GetSystemMetrics(SM_CYSCREEN) * 2.0);
    SetSizeLimits(MainWindow(), 800, 444, maxWidth, maxHeight);
    catalogue::LoadCategories();
}

}  // namespace app
