#include "ui/TestHooks.h"

#include <windows.h>

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>

#include "ui/Application.h"
#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/Form.h"
#include "ui/MsgBox.h"
#include "ui/OptionButton.h"
#include "ui/Runtime.h"
#include "ui/Shell.h"
#include "ui/TextBox.h"

namespace ui::test {
namespace {
struct ModalAction {
    std::type_index type;
    std::function<void(Form&)> action;
};

struct HookState {
    bool noRealDialogs = false;
    std::function<void(const std::wstring&)> failureHandler;
    std::deque<int> msgBoxAnswers;
    std::vector<MsgBoxRecord> msgBoxes;
    std::deque<ModalAction> modalActions;
    std::deque<detail::CommonDialogAnswer> dialogAnswers;
    std::vector<CommonDialogRecord> dialogs;
    std::deque<std::pair<std::wstring, int>> popupChoices;
    std::vector<std::wstring> popups;
    std::pair<long, long> lastPopupPoint{0, 0};
};

HookState& State() {
    static HookState state;
    return state;
}

std::string ToUtf8(const std::wstring& w) {
    int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

bool ChainEnabled(HWND h) {
    for (; h; h = GetParent(h)) {
        if (!IsWindowEnabled(h)) return false;
        if (!(GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD)) break;
    }
    return true;
}
}  // namespace

void SetNoRealDialogs(bool on) {
    State().noRealDialogs = on;
    // For libraries of the process that carry their own copy of the runtime.
    SetEnvironmentVariableW(L"ZV_NO_REAL_DIALOGS", on ? L"1" : nullptr);
}
bool NoRealDialogs() { return State().noRealDialogs; }

void SetFailureHandler(std::function<void(const std::wstring&)> handler) { State().failureHandler = std::move(handler); }

void Fail(const std::wstring& description) {
    if (auto h = State().failureHandler) {
        h(description);
        return;
    }
    std::fprintf(stderr, "\n[ui::test] FAILED: %s\n", ToUtf8(description).c_str());
    std::fflush(stderr);
    std::abort();
}

bool UseUnmanagedWindowsUnderWine() {
    // Without a window manager (Xvfb), Wine waits two seconds for one each time a managed window
    // hides or goes. Unmanaged windows need no such answer. Wine reads the setting when the
    // program starts.
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) return true;
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring exe = path;
    auto slash = exe.find_last_of(L"\\/");
    if (slash != std::wstring::npos) exe = exe.substr(slash + 1);
    std::wstring key = L"Software\\Wine\\AppDefaults\\" + exe + L"\\X11 Driver";
    HKEY k = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS)
        return true;
    wchar_t value[8] = {};
    DWORD size = sizeof value;
    bool already = RegQueryValueExW(k, L"Managed", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
                   value[0] == L'N';
    if (!already) RegSetValueExW(k, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"N"), 2 * sizeof(wchar_t));
    RegCloseKey(k);
    return already;
}

void Reset() {
    auto& s = State();
    s.msgBoxAnswers.clear();
    s.msgBoxes.clear();
    s.modalActions.clear();
    s.dialogAnswers.clear();
    s.dialogs.clear();
    s.popupChoices.clear();
    s.popups.clear();
    s.lastPopupPoint = {0, 0};
    detail::ResetShellHooks();
}

void AnswerNextMsgBox(int result) { State().msgBoxAnswers.push_back(result); }
size_t PendingMsgBoxAnswers() { return State().msgBoxAnswers.size(); }
const std::vector<MsgBoxRecord>& MsgBoxes() { return State().msgBoxes; }
MsgBoxRecord LastMsgBox() { return State().msgBoxes.empty() ? MsgBoxRecord{} : State().msgBoxes.back(); }

void QueueModalAction(std::type_index type, std::function<void(Form&)> action) {
    State().modalActions.push_back({type, std::move(action)});
}
size_t PendingModalActions() { return State().modalActions.size(); }

void ChooseFileInNextDialog(const std::wstring& path, int filterIndex) {
    detail::CommonDialogAnswer a;
    a.kind = detail::CommonDialogAnswer::File;
    a.path = path;
    a.filterIndex = filterIndex;
    State().dialogAnswers.push_back(std::move(a));
}

void CancelNextDialog() {
    detail::CommonDialogAnswer a;
    a.kind = detail::CommonDialogAnswer::Cancel;
    State().dialogAnswers.push_back(std::move(a));
}

void OnNextCommonDialog(std::function<bool(CommonDialog&)> action) {
    detail::CommonDialogAnswer a;
    a.kind = detail::CommonDialogAnswer::Action;
    a.action = std::move(action);
    State().dialogAnswers.push_back(std::move(a));
}

size_t PendingCommonDialogAnswers() { return State().dialogAnswers.size(); }
const std::vector<CommonDialogRecord>& CommonDialogs() { return State().dialogs; }

void ChooseInNextPopup(const std::wstring& itemName, int index) { State().popupChoices.emplace_back(itemName, index); }
const std::vector<std::wstring>& PopupMenusShown() { return State().popups; }
std::pair<long, long> LastPopupPoint() { return State().lastPopupPoint; }

void Click(Control& control) {
    std::wstring name = control.Name() + (control.Index() >= 0 ? L"(" + std::to_wstring(control.Index()) + L")" : L"");
    if (control.IsWindowless()) {
        HWND container = control.ContainerWindow();
        if (!control.IsCreated() || !control.Visible() || !container || !IsWindowVisible(container)) {
            Fail(L"Cannot click " + name + L": it is not shown.");
            return;
        }
        if (!control.Enabled() || !ChainEnabled(container)) {
            Fail(L"Cannot click " + name + L": it is disabled.");
            return;
        }
        RECT r = control.PixelRect();
        LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageW(container, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(container, WM_LBUTTONUP, 0, at);
        DoEvents();
        return;
    }
    HWND h = control.hWnd();
    if (!h || !IsWindowVisible(h)) {
        Fail(L"Cannot click " + name + L": it is not shown.");
        return;
    }
    if (!ChainEnabled(h)) {
        Fail(L"Cannot click " + name + L": it is disabled.");
        return;
    }
    if (dynamic_cast<CommandButton*>(&control) || dynamic_cast<CheckBox*>(&control) || dynamic_cast<OptionButton*>(&control)) {
        // What a click ends in: the button tells its parent it was clicked.
        SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(control.ControlId(), BN_CLICKED), reinterpret_cast<LPARAM>(h));
    } else {
        RECT r;
        GetClientRect(h, &r);
        LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(h, WM_LBUTTONUP, 0, at);
    }
    DoEvents();
}

void PressKey(int virtualKey, bool shift, bool ctrl) {
    HWND target = GetFocus();
    if (!target) target = GetActiveWindow();
    if (!target) {
        Fail(L"No window has the focus for a key press.");
        return;
    }
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE saved[256];
    memcpy(saved, keys, sizeof keys);
    if (shift) keys[VK_SHIFT] = 0x80;
    if (ctrl) keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(target, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1);
    DoEvents();
    PostMessageW(GetFocus() ? GetFocus() : target, WM_KEYUP, static_cast<WPARAM>(virtualKey), static_cast<LPARAM>(0xC0000001));
    DoEvents();
    SetKeyboardState(saved);
}

void PressAccessKey(wchar_t letter) {
    HWND target = GetFocus();
    if (!target) target = GetActiveWindow();
    if (!target) {
        Fail(L"No window has the focus for an access key.");
        return;
    }
    PostMessageW(target, WM_SYSCHAR, letter, static_cast<LPARAM>(0x20000001));
    DoEvents();
}

void Type(TextBox& box, const std::wstring& text) {
    HWND h = box.hWnd();
    if (!h || !IsWindowVisible(h) || !ChainEnabled(h)) {
        Fail(L"Cannot type into " + box.Name() + L": it is hidden or disabled.");
        return;
    }
    if (box.Locked()) {
        Fail(L"Cannot type into " + box.Name() + L": it is locked.");
        return;
    }
    SendMessageW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(h, EM_SETSEL, text.size(), text.size());
    DoEvents();
}

namespace detail {

bool TakeMsgBoxAnswer(const std::wstring& prompt, int style, const std::wstring& title, int& result) {
    auto& s = State();
    if (s.msgBoxAnswers.empty()) {
        if (!s.noRealDialogs) return false;
        s.msgBoxes.push_back({prompt, style, title, 0});
        Fail(L"A message box was shown with no answer queued: \"" + prompt + L"\" (" + title + L")");
        result = vbCancel;
        if (!MsgBoxOffers(style, result)) result = (style & 0xF) == vbYesNo ? vbNo : vbOK;
        return true;
    }
    result = s.msgBoxAnswers.front();
    s.msgBoxAnswers.pop_front();
    s.msgBoxes.push_back({prompt, style, title, result});
    if (!MsgBoxOffers(style, result)) {
        Fail(L"The queued answer " + std::to_wstring(result) + L" is not a button of the message box \"" + prompt +
             L"\" (buttons: " + MsgBoxButtonsText(style) + L")");
    }
    return true;
}

void RecordMsgBox(const std::wstring& prompt, int style, const std::wstring& title, int result) {
    State().msgBoxes.push_back({prompt, style, title, result});
}

bool TakeModalAction(Form& form, std::function<void(Form&)>& action) {
    auto& q = State().modalActions;
    if (q.empty()) return false;
    if (q.front().type != std::type_index(typeid(form))) return false;
    action = std::move(q.front().action);
    q.pop_front();
    return true;
}

bool TakeCommonDialogAnswer(CommonDialogAnswer& answer) {
    auto& q = State().dialogAnswers;
    if (q.empty()) return false;
    answer = std::move(q.front());
    q.pop_front();
    return true;
}

void RecordCommonDialog(CommonDialogRecord record) { State().dialogs.push_back(std::move(record)); }

bool TakePopupChoice(std::wstring& name, int& index) {
    auto& q = State().popupChoices;
    if (q.empty()) return false;
    name = q.front().first;
    index = q.front().second;
    q.pop_front();
    return true;
}

void RecordPopup(const std::wstring& name, long x, long y) {
    State().popups.push_back(name);
    State().lastPopupPoint = {x, y};
}

std::wstring TypeName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> d(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
    std::string n = status == 0 && d ? d.get() : type.name();
    auto colon = n.rfind("::");
    if (colon != std::string::npos) n = n.substr(colon + 2);
    return std::wstring(n.begin(), n.end());
}

}  // namespace detail
}  // namespace ui::test
