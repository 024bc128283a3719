// The player page address: prefix, stream address and suffix joined, nothing escaped.
#pragma once
#include <string>
#include <string_view>

#ifndef VELMO_PLAYER_HOST
#define VELMO_PLAYER_HOST "127.0.0.1"
#endif

namespace playback {

inline constexpr char PlayerHost[] = VELMO_PLAYER_HOST;
inline const std::string PlayerPrefixWithScheme = std::string("http://") + PlayerHost +
                                                  "/ckplayer/ckplayer.swf?c=0&p=1&f=http://" + PlayerHost +
                                                  "/ckplayer/jym3u8.swf&a=http://";
inline const std::string PlayerPrefix = PlayerPrefixWithScheme.substr(0, PlayerPrefixWithScheme.size() - 7);
inline constexpr char PlayerSuffix[] = "&s=4&c=0&p=1&b=0&wh=16:9&lv=1";
inline constexpr wchar_t CaptionPrefix[] = L"Velmo福利播放器| 正在播放：";

// The player page for a stream address, in the system code page.
inline std::string PlayerPageAddress(const std::string& prefix, std::string_view streamAddress) {
    return prefix + std::string(streamAddress) + PlayerSuffix;
}

}  // namespace playback
