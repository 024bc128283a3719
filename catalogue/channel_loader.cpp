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
constexpr size_t kPieceBytes = 512 * 1024;
// Rows are handed to the GUI thread in batches: small enough to keep it answering within a few
// tens of milliseconds even while the list grows its own storage (which now and then makes
// inserts several times slower), close enough in time that the list visibly grows several times
// a second.
constexpr size_t kBatchRows = 512;
constexpr DWORD kBatchMilliseconds = 30;
// When loaders take turns, the GUI thread gets this long to itself between their hand-overs. A
// loader alone needs no break: it matches and reads its next batch in the meantime.
constexpr ULONGLONG kGuiBreakMilliseconds = 3;
// While rows arrive the list draws again at this pace, from a timer rather than after every
// batch: resuming redraw has a fixed cost (the list recomputes its scroll bars; about 10 ms on
// slow systems), which the timer pays while the loaders go on matching.
constexpr UINT kRedrawMilliseconds = 80;
constexpr UINT_PTR kRedrawTimerId = 0x7E1D;

struct RowHandOver {
    HWND list;
    const std::vector<ui::ListRow>* rows;
    bool lastOfLoad;
};

// GUI thread only: when the list last drew again, and whether it is suspended now.
ULONGLONG lastRedraw = 0;
bool redrawSuspended = false;

void CALLBACK ResumeRedraw(HWND list, UINT, UINT_PTR, DWORD) {
    KillTimer(list, kRedrawTimerId);
    if (!redrawSuspended) return;
    redrawSuspended = false;
    lastRedraw = GetTickCount64();
    ui::ListViewResumeRedraw(list);
}

void AppendOnGuiThread(void* data) {
    const auto& handOver = *static_cast<RowHandOver*>(data);
    if (!redrawSuspended) {
        ui::ListViewSuspendRedraw(handOver.list);
        redrawSuspended = true;
    }
    ui::ListViewInsertRows(handOver.list, *handOver.rows);
    const ULONGLONG sinceRedraw = GetTickCount64() - lastRedraw;
    const UINT due = handOver.lastOfLoad || sinceRedraw >= kRedrawMilliseconds
                         ? USER_TIMER_MINIMUM
                         : static_cast<UINT>(kRedrawMilliseconds - sinceRedraw);
    SetTimer(handOver.list, kRedrawTimerId, due, &ResumeRedraw);
}

// Sent messages go before posted messages and input, so loaders that kept the GUI thread busy
// with one batch after another would starve the user's clicks (closing the window included).
// Hand-overs are therefore taken in turn, with a break for the GUI thread between loaders.
std::mutex handOverTurn;
ULONGLONG guiFreeUntil = 0;
DWORD lastLoader = 0;

// Hands the batch to the GUI thread and waits until it is in the list; false when the window is gone.
bool HandOver(std::vector<ui::ListRow>& batch, bool lastOfLoad = false) {
    if (batch.empty()) return true;
    std::lock_guard<std::mutex> turn(handOverTurn);
    const ULONGLONG now = GetTickCount64();
    const DWORD loader = GetCurrentThreadId();
    if (loader != lastLoader && now < guiFreeUntil) Sleep(static_cast<DWORD>(guiFreeUntil - now));
    lastLoader = loader;
    RowHandOver handOver{app::ControlWindow(app::超级列表框1), &batch, lastOfLoad};
    const bool done = app::MainForm().CallOnGuiThread(&AppendOnGuiThread, &handOver);
    guiFreeUntil = GetTickCount64() + kGuiBreakMilliseconds;
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
    if (!HandOver(batch, true)) return rows;
    if (failed || rows == 0) {
        ShowLoadFailure();
        return failed ? 0 : rows;
    }
    return rows;
}

}  // namespace catalogue
