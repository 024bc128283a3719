// Whole-file reading and the run directory.
#pragma once
#include <string>

namespace ui {

// All bytes of the file, or nothing when it is missing, unreadable, empty or too big for memory.
// Others may read but not write the file while it is being read.
std::string ReadWholeFile(const std::wstring& path);

// The directory of the executable, without a trailing backslash.
std::wstring RunDirectory();

}  // namespace ui
