#include "support/run_directory.h"

#include "ui/file_io.h"
#include "ui/owners.h"
#include "ui/text_encoding.h"

#include <windows.h>

#include <atomic>
#include <vector>

namespace testing_support {
namespace {

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring full = path + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full);
            else DeleteFileW(full.c_str());
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace

RunDirectory::RunDirectory() {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"velmo-run-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(counter++);
    if (!path_.empty() && path_.back() == L'\\') path_.pop_back();
    CreateDirectoryW(path_.c_str(), nullptr);
}

RunDirectory::~RunDirectory() { RemoveTree(path_); }

void RunDirectory::Write(const std::wstring& name, std::string_view bytes) const {
    ui::UniqueHandle file(CreateFileW((path_ + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        if (!WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) break;
        done += written;
    }
}

std::string Ansi(const std::wstring& text) { return ui::WideToAnsi(text); }

std::wstring BinaryDirectory() { return ui::RunDirectory(); }

}  // namespace testing_support
