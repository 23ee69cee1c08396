#pragma once
// The fixture of the editor's event and menu tests: a module of pages opened in the real frame and
// editor, and the messages an author's keys, clicks and menu choices send to their windows.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/core/FILE.h"
#include "app/core/PageFile.h"
#include "app/core/tests/FrameTest.h"
#include "components/textcontrol/win32/TextControl.h"
#include "ui/Menu.h"

namespace zv_test {

inline constexpr int kShiftKey = 1, kCtrlKey = 2;

class EditorTest : public FrameTest {
protected:
    // A module folder with one page file per text ("0001.txm" ...) of the given types ("Page" when
    // not given), its page map and marker; opened in an editor on its first page.
    std::filesystem::path OpenModule(const std::wstring& code, const std::vector<std::wstring>& texts,
                                     const std::vector<std::wstring>& types = {}) {
        const std::filesystem::path folder = root_ / code;
        std::filesystem::create_directories(folder);
        std::string map = ui::testing::Utf8(code) + "\r\nEvents\r\n" + std::to_string(texts.size()) + "\r\n";
        for (size_t i = 0; i < texts.size(); ++i) {
            tx::TextEngine page;
            page.SetSelText(texts[i]);
            const std::wstring name = PageFileNameOf(static_cast<std::int16_t>(i + 1));
            WritePageFile((folder / name).wstring(), page);
            const std::wstring type = i < types.size() ? types[i] : L"Page";
            map += ui::testing::Utf8(name) + "*" + ui::testing::Utf8(type) + (type == L"Topic" ? "*Topic" : "") + "\r\n";
        }
        std::ofstream(folder / "Map.txt", std::ios::binary) << map;
        std::ofstream(folder / (code + L".zvk"), std::ios::binary);
        OpenModuleFile((folder / (code + L".zvk")).wstring());
        Focus();
        return folder;
    }

    static tx::TextControl& control() { return editor().TXTextControl1.Control(); }
    static HWND TextWindow() { return editor().TXTextControl1.hWnd(); }
    static void Focus() {
        SetFocus(TextWindow());
        ui::DoEvents();
    }

    // A key pressed and let go in the text, modifiers held, as the keyboard sends it: through the
    // message loop, so that menu shortcuts see it first.
    static void Key(int vk, int mods = 0) {
        BYTE keys[256], saved[256];
        GetKeyboardState(keys);
        memcpy(saved, keys, sizeof keys);
        if (mods & kShiftKey) keys[VK_SHIFT] = 0x80;
        if (mods & kCtrlKey) keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        // The message loop translates the key into its character, as for a real key.
        PostMessageW(TextWindow(), WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
        ui::DoEvents();
        if (IsWindow(TextWindow())) PostMessageW(TextWindow(), WM_KEYUP, static_cast<WPARAM>(vk), static_cast<LPARAM>(0xC0000001));
        ui::DoEvents();
        SetKeyboardState(saved);
    }

    static void ClickToolbarButton(const std::wstring& key) { ClickFrameButton(frame(), key); }

    // The client pixel in the middle of a text position's line.
    static POINT PointOf(int position) {
        tx::TextEngine& e = engine();
        const POINT top = control().PositionToClient(position);
        const int lineHeight = MulDiv(e.GetLayout().PositionToPoint(position).height, GetDpi() * control().ZoomFactor(), 144000);
        return POINT{top.x + 1, top.y + std::max(1, lineHeight / 2)};
    }
    static int GetDpi() {
        HDC dc = GetDC(nullptr);
        const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
        return dpi;
    }
    static void Mouse(UINT msg, POINT p, WPARAM keys) {
        SendMessageW(TextWindow(), msg, keys, MAKELPARAM(p.x, p.y));
        ui::DoEvents();
    }
    static void Click(POINT p, int button = 1) {
        const bool left = button == 1;
        Mouse(left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, p, left ? MK_LBUTTON : MK_RBUTTON);
        Mouse(left ? WM_LBUTTONUP : WM_RBUTTONUP, p, 0);
    }
    static void MoveTo(POINT p) { Mouse(WM_MOUSEMOVE, p, 0); }

    // The clipboard's text, as another program puts it there and reads it.
    static void ToClipboard(const std::wstring& text) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(mem);
        SetClipboardData(CF_UNICODETEXT, mem);
        CloseClipboard();
    }
    static std::wstring ClipboardText() {
        std::wstring text;
        if (!OpenClipboard(nullptr)) return L"<the clipboard is busy>";
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) text = chars;
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }

    // A menu opened as the author opens it: the frame hears that its popup is about to show.
    static void Open(ui::MenuItem& menu) {
        menu.EnsurePopup();
        SendMessageW(frame().hWnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.PopupHandle()), 0);
        ui::DoEvents();
    }
    // An item chosen as the author chooses it: its command reaches the frame.
    static void Choose(ui::MenuItem& item) {
        if (item.ParentItem()) Open(*item.ParentItem());
        SendMessageW(frame().hWnd(), WM_COMMAND, MAKEWPARAM(item.CommandId(), 0), 0);
        ui::DoEvents();
    }
    // What the author reads on an item of the menu that shows: its text, grayed and checked.
    struct Shown {
        std::wstring text;
        bool grayed = false;
        bool checked = false;
    };
    static Shown Look(ui::MenuItem& item) {
        Shown s;
        HMENU menu = item.ParentItem() ? item.ParentItem()->PopupHandle() : GetMenu(frame().hWnd());
        const int count = GetMenuItemCount(menu);
        for (int i = 0; i < count; ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
            GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
            const bool match = item.PopupHandle() ? info.hSubMenu == item.PopupHandle() : info.wID == item.CommandId();
            if (!match) continue;
            wchar_t text[256] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
            s.text = text;
            s.grayed = (info.fState & MFS_GRAYED) != 0;
            s.checked = (info.fState & MFS_CHECKED) != 0;
            return s;
        }
        s.text = L"<not shown>";
        return s;
    }
};

}  // namespace zv_test
