#include "catalogue/channel_loader.h"

#include "app/main_form.h"
#include "catalogue/regex_matcher.h"
#include "ui/controls.h"
#include "ui/file_io.h"
#include "ui/text_encoding.h"

#include <mutex>
#include <new>
#include <vector>

namespace catalogue {
namespace {

// The matcher runs over pieces of about this size, cut after a line feed. No channel spans a
// line feed, so the pieces give exactly the matches of the whole text, and rows start to
// appear long before a big file has been matched to its end.
constexpr size_t kPieceBytes = 128 * 1024;
// Rows are handed to the GUI thread in batches: small enough to keep it answering within a few
// milliseconds, frequent enough that the list visibly grows.
constexpr size_t kBatchRows = 1024;
constexpr DWORD kBatchMilliseconds = 40;

struct RowHandOver {
    HWND list;
    const std::vector<ui::ListRow>* rows;
};

void AppendOnGuiThread(void* data) {
    const auto& handOver = *static_cast<RowHandOver*>(data);
    ui::ListViewAppendRows(handOver.list, *handOver.rows);
}

// Sent messages go before posted messages and input, so loaders that kept the GUI thread busy
// with one batch after another would starve the user's clicks (closing the window included).
// After each batch the GUI thread gets at least as long again to itself, whatever the number of
// loaders.
std::mutex handOverTurn;
ULONGLONG guiFreeUntil = 0;

// Hands the batch to the GUI thread and waits until it is in the list; false when the window is gone.
bool HandOver(std::vector<ui::ListRow>& batch) {
    if (batch.empty()) return true;
    std::lock_guard<std::mutex> turn(handOverTurn);
    const ULONGLONG now = GetTickCount64();
    if (now < guiFreeUntil) Sleep(static_cast<DWORD>(guiFreeUntil - now));
    RowHandOver handOver{app::ControlWindow(app::超级列表框1), &batch};
    const ULONGLONG start = GetTickCount64();
    const bool done = app::MainForm().CallOnGuiThread(&AppendOnGuiThread, &handOver);
    const ULONGLONG end = GetTickCount64();
    guiFreeUntil = end + (end - start);
    batch.clear();
    return done;
}

std::string_view NextPiece(std::string_view text, size_t start) {
    size_t end = start + kPieceBytes;
    if (end >= text.size()) return text.substr(start);
    const size_t lineFeed = text.find('\n', end);
    end = lineFeed == std::string_view::npos ? text.size() : lineFeed + 1;
    return text.substr(start, end - start);
}

void ShowLoadFailure() { ui::ShowMessage(L"获取失败", MB_ICONERROR | MB_OK); }

}  // namespace

std::string ChannelPattern() { return ui::WideToAnsi(L"//(.*?)#引号 label=#引号(.*?)#引号 />"); }

void OnCategorySelected() {
    HANDLE thread = CreateThread(nullptr, 0, &LoadChannels, nullptr, 0, nullptr);
    if (thread) CloseHandle(thread);
}

DWORD WINAPI LoadChannels(void*) {
    try {
        const std::wstring category = ui::WindowTextWide(app::ControlWindow(app::组合框1));
        const std::string bytes = ui::ReadWholeFile(ui::RunDirectory() + L"\\" + category + L".dll");
        FillChannelList(ui::TextFromBytes(bytes));
    } catch (const std::bad_alloc&) {
        ShowLoadFailure();  // out of memory: the file cannot be loaded
    }
    return 0;
}

int FillChannelList(std::string_view channelText) {
    RegexMatcher matcher;
    const std::string pattern = ChannelPattern();
    std::vector<ui::ListRow> batch;
    DWORD lastHandOver = GetTickCount();
    int rows = 0;
    bool failed = false;
    size_t start = 0;
    do {
        const std::string_view piece = NextPiece(channelText, start);
        start += piece.size();
        if (piece.find("//") == std::string_view::npos && !channelText.empty()) continue;
        if (!matcher.Run(pattern, piece, false, false, true, true)) {
            failed = true;
            break;
        }
        const int count = matcher.MatchCount();
        for (int i = 1; i <= count; ++i) {
            batch.push_back({ui::AnsiToWide(matcher.SubMatchText(i, 2)), ui::AnsiToWide(matcher.SubMatchText(i, 1))});
            if (batch.size() >= kBatchRows || GetTickCount() - lastHandOver >= kBatchMilliseconds) {
                if (!HandOver(batch)) return rows;
                lastHandOver = GetTickCount();
            }
        }
        rows += count;
    } while (start < channelText.size());
    if (!HandOver(batch)) return rows;
    if (failed || rows == 0) {
        ShowLoadFailure();
        return failed ? 0 : rows;
    }
    return rows;
}

}  // namespace catalogue
