// The whole road to the player host: real input in the real program, the request seen on loopback.
#include "playback/player_page.h"
#include "support/http_recorder.h"
#include "support/program_under_test.h"
#include "support/remote_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const std::string kPrefix = "/ckplayer/ckplayer.swf?c=0&p=1&f=http://127.0.0.1/ckplayer/jym3u8.swf&a=";
const std::string kSuffix = "&s=4&c=0&p=1&b=0&wh=16:9&lv=1";

class PlaybackTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Listening()) << "port 80 on loopback is taken";
        std::string channels;
        channels += "<c src=\"http://127.0.0.1/live/one.m3u8\" label=\"First\" />\r\n";
        channels += "<c src=\"http://h/a.m3u8?x=1&y=2\" label=\"\xD1\xEB\xCA\xD3 &\" />\r\n";
        channels += "<c src=\"http://h/" + std::string(700, 'L') + "\" label=\"Long\" />\r\n";
        directory.Write(L"Velmo.dll", "Live\r\n");
        directory.Write(L"Live.dll", channels);
        program = std::make_unique<ProgramUnderTest>(directory);
        ASSERT_TRUE(program->Window());
        list = program->Control(app::超级列表框1);
    }
    // Rows are equally tall from the top of the client area (there is no header); the item
    // spacing gives their height without reading another process's memory.
    POINT RowCentre(int row) {
        const auto spacing = SendMessageW(list, LVM_GETITEMSPACING, TRUE, 0);
        const int height = HIWORD(spacing) ? HIWORD(spacing) : 16;
        return {60, height * row + height / 2};
    }
    std::string NextTarget() { return server.WaitForTarget(seen++); }

    HttpRecorder server;
    RunDirectory directory;
    std::unique_ptr<ProgramUnderTest> program;
    HWND list = nullptr;
    size_t seen = 0;
};

TEST_F(PlaybackTest, DoubleClickedChannelsAndTypedAddressesReachThePlayerHost) {
    // No row yet: the stream address is the bare scheme, the caption the bare prefix.
    program->Click(list, {60, 150}, true);
    EXPECT_EQ(NextTarget(), kPrefix + "http://" + kSuffix);
    EXPECT_EQ(WindowText(program->Window()), L"Velmo福利播放器| 正在播放：");

    program->PickCategory(0);
    ASSERT_TRUE(WaitUntil([&] { return ListRowCount(list) == 3; }));
    program->Click(list, RowCentre(0), true);
    EXPECT_EQ(NextTarget(), kPrefix + "http://127.0.0.1/live/one.m3u8" + kSuffix);
    EXPECT_EQ(WindowText(program->Window()), L"Velmo福利播放器| 正在播放：First");

    program->Click(list, RowCentre(1), true);
    EXPECT_EQ(NextTarget(), kPrefix + "http://h/a.m3u8?x=1&y=2" + kSuffix) << "nothing escaped";
    EXPECT_EQ(WindowText(program->Window()), L"Velmo福利播放器| 正在播放：央视 &");

    program->Click(list, RowCentre(2), true);
    EXPECT_EQ(NextTarget(), kPrefix + "http://h/" + std::string(700, 'L') + kSuffix) << "a cell over 511 bytes whole";

    // Right-button double-clicks and Enter play nothing and leave the caption.
    program->Click(list, RowCentre(0), true, true);
    program->TypeKey(VK_RETURN);
    Pump(1500);
    EXPECT_EQ(server.Targets().size(), seen);
    EXPECT_EQ(WindowText(program->Window()), L"Velmo福利播放器| 正在播放：Long");

    // 确认 plays the edit box's text as typed and leaves the caption.
    const HWND edit = program->Control(app::编辑框2);
    const HWND confirm = program->Control(app::按钮2);
    const struct { const wchar_t* typed; std::string onTheWire; } typedCases[] = {
        {L"", ""},
        {L" http://127.0.0.1/live/x.m3u8 ", "%20http://127.0.0.1/live/x.m3u8%20"},
        {L"http://h/s.m3u8&k=v", "http://h/s.m3u8&k=v"},
    };
    for (const auto& c : typedCases) {
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed));
        program->Click(confirm, {20, 10});
        const std::string target = NextTarget();
        // Spaces are kept; the browser may send them percent-encoded or raw.
        std::string raw = target;
        for (size_t at; (at = raw.find("%20")) != std::string::npos;) raw.replace(at, 3, " ");
        std::string expected = c.onTheWire;
        for (size_t at; (at = expected.find("%20")) != std::string::npos;) expected.replace(at, 3, " ");
        EXPECT_EQ(raw, kPrefix + expected + kSuffix);
    }
    EXPECT_EQ(WindowText(program->Window()), L"Velmo福利播放器| 正在播放：Long");
    EXPECT_EQ(program->CloseAndWait(), 0u);
}

TEST_F(PlaybackTest, UntouchedEditTextGoesOutAsItStands) {
    program->Click(program->Control(app::按钮2), {20, 10});
    const std::string target = NextTarget();
    ASSERT_EQ(target.rfind(kPrefix, 0), 0u) << target;
    ASSERT_GE(target.size(), kPrefix.size() + kSuffix.size());
    const std::string stream = target.substr(kPrefix.size(), target.size() - kPrefix.size() - kSuffix.size());
    // The browser puts non-ASCII characters on the wire in its own encoding: accept UTF-8
    // percent-encoded, raw UTF-8 or raw GBK, and nothing else.
    const std::string utf8 = "\xE8\xBF\x99\xE9\x87\x8C\xE6\x98\xAF\xE6\x92\xAD\xE6\x94\xBE" "m3u8"
                             "\xE6\xA0\xBC\xE5\xBC\x8F\xE7\x9A\x84\xE5\x9C\xB0\xE5\x9D\x80";
    std::string decoded;
    for (size_t i = 0; i < stream.size(); ++i) {
        if (stream[i] == '%' && i + 2 < stream.size()) {
            decoded.push_back(static_cast<char>(std::stoi(stream.substr(i + 1, 2), nullptr, 16)));
            i += 2;
        } else {
            decoded.push_back(stream[i]);
        }
    }
    EXPECT_TRUE(decoded == utf8 || decoded == Ansi(L"这里是播放m3u8格式的地址")) << stream;
    EXPECT_EQ(target.substr(target.size() - kSuffix.size()), kSuffix);
    EXPECT_EQ(WindowText(program->Window()), L"Velmo在线直播");
    EXPECT_EQ(program->CloseAndWait(), 0u);
}

}  // namespace
