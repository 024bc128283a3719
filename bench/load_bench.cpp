// Benchmarks: channel loading in the real program against the single-thread floor, and layout passes.
// Prints figures; asserts nothing.
#include "app/main_form.h"
#include "catalogue/channel_loader.h"
#include "catalogue/regex_matcher.h"
#include "layout/layout.h"
#include "support/program_under_test.h"
#include "support/remote_window.h"
#include "ui/controls.h"
#include "ui/file_io.h"
#include "ui/form.h"
#include "ui/text_encoding.h"

#include <commctrl.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A channel file of n channels, about 80 bytes a line, labels in GBK.
std::string GenerateChannels(int n) {
    std::string text = "<?xml version=\"1.0\" encoding=\"gbk\"?>\r\n<channels>\r\n";
    const std::string label = Ansi(L"频道");
    for (int i = 0; i < n; ++i)
        text += "  <channel src=\"http://127.0.0.1/live/stream" + std::to_string(i) + ".m3u8\" label=\"" + label +
                std::to_string(i) + "\" />\r\n";
    return text + "</channels>\r\n";
}

struct FloorTimes {
    double read, match, extract, insert;
    double Total() const { return read + match + extract + insert; }
};

// Reading, matching and inserting the same rows in one thread with redraw suspended.
FloorTimes Floor(const std::wstring& file, HWND list) {
    FloorTimes times{};
    double start = Now();
    const std::string bytes = ui::ReadWholeFile(file);
    times.read = Now() - start;
    start = Now();
    catalogue::RegexMatcher matcher;
    matcher.Run(catalogue::ChannelPattern(), ui::TextFromBytes(bytes), false, false, true, true);
    times.match = Now() - start;
    start = Now();
    const int count = matcher.MatchCount();
    std::vector<ui::ListRow> rows;
    rows.reserve(static_cast<size_t>(count));
    for (int i = 1; i <= count; ++i)
        rows.push_back({ui::AnsiToWide(matcher.SubMatchText(i, 2)), ui::AnsiToWide(matcher.SubMatchText(i, 1))});
    times.extract = Now() - start;
    start = Now();
    ui::ListViewAppendRows(list, rows);
    times.insert = Now() - start;
    return times;
}

void BenchLoad(int n, HWND floorList) {
    RunDirectory directory;
    directory.Write(L"Velmo.dll", "Bench\r\n");
    directory.Write(L"Bench.dll", GenerateChannels(n));
    SendMessageW(floorList, LVM_DELETEALLITEMS, 0, 0);
    // The faster of two runs: the first one in a process also loads the scripting engine.
    FloorTimes floorTimes = Floor(directory.Path() + L"\\Bench.dll", floorList);
    SendMessageW(floorList, LVM_DELETEALLITEMS, 0, 0);
    const FloorTimes second = Floor(directory.Path() + L"\\Bench.dll", floorList);
    if (second.Total() < floorTimes.Total()) floorTimes = second;
    const double floor = floorTimes.Total();

    ProgramUnderTest program(directory);
    const HWND list = program.Control(app::超级列表框1);
    double start = 0, worst = 0, longestStill = 0, lastGrowth = 0;
    int lastCount = 0;
    program.PickCategory(0, 0);  // the clock starts as the click goes out
    start = Now();
    lastGrowth = start;
    double loaded = 0;
    while (Now() - start < 60) {
        const double before = Now();
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(program.Window(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
        const double latency = Now() - before;
        worst = std::max(worst, latency);
        const int count = ListRowCount(list);
        if (count != lastCount) {
            if (lastCount > 0) longestStill = std::max(longestStill, Now() - lastGrowth);
            lastGrowth = Now();
            lastCount = count;
        }
        if (count >= n) { loaded = Now() - start; break; }
        Sleep(5);
    }
    PROCESS_MEMORY_COUNTERS memory{sizeof(memory)};
    GetProcessMemoryInfo(program.Process(), &memory, sizeof(memory));
    std::printf("load %7d channels: last row %7.3f s  floor %7.3f s  ratio %5.2f  worst GUI latency %6.1f ms  "
                "longest time without growth %6.1f ms  peak working set %6.1f MB  peak private %6.1f MB\n",
                n, loaded, floor, floor > 0 ? loaded / floor : 0, worst * 1000, longestStill * 1000,
                memory.PeakWorkingSetSize / 1048576.0, memory.PeakPagefileUsage / 1048576.0);
    std::printf("      floor parts: read %.3f s, match %.3f s, read captures %.3f s, insert %.3f s\n", floorTimes.read,
                floorTimes.match, floorTimes.extract, floorTimes.insert);
    program.CloseAndWait();
}

struct ProcessUsage {
    ULONG handles, threads;
    double privateMegabytes;
};

// Handle and thread counts as the system lists them (GetProcessHandleCount does not work on
// another process everywhere).
ProcessUsage UsageOf(HANDLE process) {
    ProcessUsage usage{};
    PROCESS_MEMORY_COUNTERS memory{sizeof(memory)};
    GetProcessMemoryInfo(process, &memory, sizeof(memory));
    usage.privateMegabytes = memory.PagefileUsage / 1048576.0;
    std::vector<unsigned char> buffer(4 << 20);
    ULONG needed = 0;
    if (NtQuerySystemInformation(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed) != 0)
        return usage;
    const DWORD id = GetProcessId(process);
    for (size_t offset = 0;;) {
        const auto& entry = *reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + offset);
        if (HandleToUlong(entry.UniqueProcessId) == id) {
            usage.handles = entry.HandleCount;
            usage.threads = entry.NumberOfThreads;
            break;
        }
        if (!entry.NextEntryOffset) break;
        offset += entry.NextEntryOffset;
    }
    return usage;
}

// The same small category picked again and again: what a load leaves behind besides its rows.
void BenchRepeatedLoads(int loads) {
    constexpr int kChannels = 10;
    RunDirectory directory;
    directory.Write(L"Velmo.dll", "Bench\r\n");
    directory.Write(L"Bench.dll", GenerateChannels(kChannels));
    ProgramUnderTest program(directory);
    const HWND list = program.Control(app::超级列表框1);
    constexpr int kWarmUp = 10;  // the first loads create what later loads reuse (COM, heaps)
    ProcessUsage first{};
    for (int load = 1; load <= loads; ++load) {
        program.PickCategory(0, 0);
        if (!WaitUntil([&] { return ListRowCount(list) >= load * kChannels; }, 10000)) {
            std::printf("repeated loads: load %d did not finish\n", load);
            return;
        }
        if (load == kWarmUp) first = UsageOf(program.Process());
    }
    Sleep(500);  // the last worker thread ends
    const ProcessUsage last = UsageOf(program.Process());
    std::printf("repeated loads of %d channels, after load %d and after load %d: handles %lu -> %lu, threads %lu -> %lu, "
                "private %.2f -> %.2f MB (with %d rows added to the list)\n",
                kChannels, kWarmUp, loads, first.handles, last.handles, first.threads, last.threads,
                first.privateMegabytes, last.privateMegabytes, (loads - kWarmUp) * kChannels);
    program.CloseAndWait();
}

void BenchLayout() {
    ui::InitialiseFramework(GetModuleHandleW(nullptr));
    layout::CreateLayoutLists();
    if (!app::LoadMainForm()) return;
    const HWND window = app::MainWindow();
    const int passes = 200;
    double start = Now();
    for (int i = 0; i < passes; ++i) SendMessageW(window, WM_SIZE, SIZE_RESTORED, 0);
    const double pass = (Now() - start) / passes;
    start = Now();
    for (int step = 0; step < 100; ++step)
        SetWindowPos(window, nullptr, 0, 0, 804 + step * 4, 490 + step * 3, SWP_NOMOVE | SWP_NOZORDER);
    const double burst = Now() - start;
    std::printf("layout: one pass over the form %.3f ms (%zu windows); a 100-step resize burst %.1f ms\n", pass * 1000,
                layout::ChildWindowList.size(), burst * 1000);
    DestroyWindow(window);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes = {1000, 10000, 100000};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const HWND host = CreateWindowExW(0, L"STATIC", L"floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                      nullptr, nullptr, nullptr);
    const HWND floorList = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 380, 280,
                                           host, nullptr, nullptr, nullptr);
    const ui::ListColumn columns[] = {{L"1", 280}, {L"2", 0}};
    ui::ListViewAddColumns(floorList, columns, 2);
    for (int n : sizes) BenchLoad(n, floorList);
    DestroyWindow(host);
    BenchRepeatedLoads(100);
    BenchLayout();
    return 0;
}
