#pragma once
// The first picture of each video file the Windows Media player is given, decoded by the
// platform's media stack on a thread of its own, so that a page change never waits for it, and
// kept per file (a file changed on disk is decoded again). A file the stack cannot decode keeps
// its poster.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace players {

struct VideoFrame {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
};

// Posted to the windows that asked for a file once its decoding has ended (decoded or not).
inline constexpr UINT kMsgFirstFrameDone = WM_APP + 0x2A1;

// The file's first picture when it has been decoded; null while it is being decoded, when it
// cannot be, and before anyone asked for it.
std::shared_ptr<const VideoFrame> DecodedFirstFrame(const std::wstring& path);
// Starts decoding the file's first picture unless it is decoded or under way already; `notify`
// (may be null) hears kMsgFirstFrameDone when it ends.
void RequestFirstFrame(const std::wstring& path, HWND notify);

}  // namespace players
