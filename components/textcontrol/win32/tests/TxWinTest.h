#pragma once
// The fixture of the text control's window tests: a real top-level window holding a TextControl,
// and helpers that send the messages a user's keys and clicks would send.

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "components/textcontrol/win32/TextControl.h"
#include "ui/testing/UiTest.h"

namespace tx::testing {

// Key modifiers for the helpers.
inline constexpr int kShift = 1, kCtrl = 2, kAlt = 4;

class TxWinTest : public ui::testing::UiTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Presses and releases a key with modifiers held, as the keyboard would: key down, the
    // character it makes (if any), key up.
    void Key(int vk, int mods = 0);
    void Type(const std::wstring& text);
    // Client pixel of a text position's caret (middle of its line height).
    POINT PointOf(int position);
    void Click(POINT p, int mods = 0);
    void DoubleClick(POINT p);
    void Drag(POINT from, POINT to);
    // Pumps the thread's pending messages.
    void Pump();
    std::wstring Text() { return control_.Engine().Text(); }
    int SelStart() { return control_.Engine().SelStart(); }
    int SelLength() { return control_.Engine().SelLength(); }

    HWND frame_ = nullptr;
    TextControl control_;
};

// Sets the thread's modifier key state (what GetKeyState reads) for one scope.
class Modifiers {
public:
    explicit Modifiers(int mods);
    ~Modifiers();

private:
    BYTE saved_[256];
};

using ui::testing::Utf8;

// A 32-bit picture of a DC's area: 0x00RRGGBB per pixel, row by row.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned> px;
    // Outside the picture reads as white paper.
    unsigned At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFF;
        return px[static_cast<size_t>(y) * width + x];
    }
    bool Dark(int x, int y) const {
        const unsigned p = At(x, y);
        return ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 128;
    }
};
// Paints with `paint` into a fresh white 32-bit bitmap and reads it back.
Picture Capture(int width, int height, const std::function<void(HDC)>& paint);

}  // namespace tx::testing
