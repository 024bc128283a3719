#include "ui/file_io.h"

#include "ui/owners.h"

#include <algorithm>
#include <new>

namespace ui {

std::string ReadWholeFile(const std::wstring& path) {
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return {};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0) return {};
    if (static_cast<unsigned long long>(size.QuadPart) > std::string().max_size()) return {};
    std::string bytes;
    try {
        bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return {};  // out of memory: the file counts as unreadable
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        DWORD read = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, chunk, &read, nullptr)) return {};
        if (read == 0) break;  // the file shrank while we read it
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

std::wstring RunDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) { path.resize(length); break; }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace ui
