// The category index: one combo item per line of Velmo.dll beside the executable.
#pragma once
#include <windows.h>

#include <string_view>

namespace catalogue {

inline constexpr wchar_t kCategoryIndexFile[] = L"\\Velmo.dll";

// Fills 组合框1 from the category index file, leaving nothing selected.
void LoadCategories();

// Replaces the combo's items by the category names of an index text.
void FillCategoryCombo(HWND combo, std::string_view indexText);

}  // namespace catalogue
