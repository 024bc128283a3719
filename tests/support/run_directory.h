// A fresh run directory with catalogue files written byte for byte; removed afterwards.
#pragma once
#include <string>
#include <string_view>

namespace testing_support {

class RunDirectory {
public:
    RunDirectory();
    ~RunDirectory();
    RunDirectory(const RunDirectory&) = delete;
    RunDirectory& operator=(const RunDirectory&) = delete;

    const std::wstring& Path() const { return path_; }
    void Write(const std::wstring& name, std::string_view bytes) const;

private:
    std::wstring path_;
};

// The system code page bytes of a text (GBK under the test bench's locale).
std::string Ansi(const std::wstring& text);
// The directory holding the test programs and velmo.exe.
std::wstring BinaryDirectory();

}  // namespace testing_support
