#pragma once

namespace app {

// Runs while the main window is still hidden: layout, then size limits, then the categories.
void OnWindowCreated();

}  // namespace app
