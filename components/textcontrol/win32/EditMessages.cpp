#include "components/textcontrol/win32/EditMessages.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "components/textcontrol/win32/TextControl.h"

namespace tx {

namespace {

// An edit window packs two 16-bit values into its answer; beyond them it answers -1.
LRESULT Packed(int low, int high) {
    if (low < 0 || high < 0 || low > 0xFFFF || high > 0xFFFF) return -1;
    return static_cast<LRESULT>(MAKELONG(low, high));
}

LRESULT PackedSigned(int low, int high) {
    return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(static_cast<WORD>(static_cast<short>(low)),
                                                            static_cast<WORD>(static_cast<short>(high)))));
}

}  // namespace

bool AnswerEditMessage(TextControl& control, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    TextEngine& engine = control.Engine();
    switch (msg) {
    case WM_GETTEXTLENGTH:
        result = engine.TextLength();
        return true;
    case WM_GETTEXT: {
        // wParam counts the buffer's characters with room for the closing zero.
        auto* buffer = reinterpret_cast<wchar_t*>(lp);
        result = 0;
        if (!buffer || wp == 0) return true;
        const std::wstring text = engine.Text();
        const std::size_t count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(wp) - 1);
        std::memcpy(buffer, text.data(), count * sizeof(wchar_t));
        buffer[count] = L'\0';
        result = static_cast<LRESULT>(count);
        return true;
    }
    case EM_GETSEL: {
        const int start = engine.SelStart(), end = engine.SelStart() + engine.SelLength();
        if (auto* out = reinterpret_cast<DWORD*>(wp)) *out = static_cast<DWORD>(start);
        if (auto* out = reinterpret_cast<DWORD*>(lp)) *out = static_cast<DWORD>(end);
        result = Packed(start, end);
        return true;
    }
    case EM_SETSEL: {
        const int length = engine.TextLength();
        const auto start = static_cast<long long>(static_cast<int>(wp));
        const auto end = static_cast<long long>(static_cast<int>(lp));
        if (start == -1) {
            // Deselects: the caret stays where it is.
            engine.SetSelStart(engine.SelCaret());
        } else {
            // The caret goes to the end given second, as in an edit window, whichever end is lower.
            const int from = static_cast<int>(std::clamp<long long>(start, 0, length));
            const int to = end < 0 ? length : static_cast<int>(std::clamp<long long>(end, 0, length));
            engine.Select(from, to);
        }
        result = 0;
        return true;
    }
    case EM_REPLACESEL: {
        // wParam (may it be undone) is not asked: every change here can be undone.
        if (const auto* text = reinterpret_cast<const wchar_t*>(lp)) {
            engine.ReplaceSel(text);
            control.ScrollCaretIntoView();
        }
        result = 0;
        return true;
    }
    case EM_SCROLLCARET:
        control.ScrollCaretIntoView();
        result = 0;
        return true;
    case EM_POSFROMCHAR: {
        const auto position = static_cast<long long>(static_cast<int>(wp));
        if (position < 0 || position > engine.TextLength()) {
            result = -1;
            return true;
        }
        const POINT p = control.PositionToClient(static_cast<int>(position));
        result = PackedSigned(p.x, p.y);
        return true;
    }
    default: return false;
    }
}

}  // namespace tx
