#pragma once
// Test automation: answer message boxes, common dialogs and popup menus, and act inside modal forms,
// so that a test drives the real windows without a person. With "no real dialogs" on (tests), a
// dialog that has no answer queued fails the test with a message instead of waiting for a click.

#include <functional>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

namespace ui {
class Form;
class Control;
class CommonDialog;
class TextBox;

namespace test {

void SetNoRealDialogs(bool on);
bool NoRealDialogs();

// Called with a description when a dialog has nothing queued (or a queued answer does not fit).
// The default prints the description and aborts the process, which no window procedure can swallow.
void SetFailureHandler(std::function<void(const std::wstring&)> handler);
void Fail(const std::wstring& description);

// What a failure handler throws to end the test's step: a failure recorded already, which the
// guards at window procedures let pass without reporting it a second time.
struct RecordedFailure {
    std::wstring description;
};

// Under Wine without a window manager: makes this program's windows unmanaged, so that hiding
// and destroying them does not wait for a manager that is not there. False when the setting was
// only now made: it takes effect from the program's next start.
bool UseUnmanagedWindowsUnderWine();

// Forgets every queued answer and every record (call between tests).
void Reset();

// ---- message boxes ----
struct MsgBoxRecord {
    std::wstring prompt;
    int style = 0;
    std::wstring title;
    int result = 0;
};
void AnswerNextMsgBox(int result);  // vbOK, vbYes, ...
size_t PendingMsgBoxAnswers();
const std::vector<MsgBoxRecord>& MsgBoxes();  // every box shown since Reset
MsgBoxRecord LastMsgBox();                    // empty record when none was shown

// ---- modal forms ----
// Runs the action inside the next form of class T shown modally, once it is loaded, shown and
// activated; the action usually ends by clicking a button that unloads the form. A form still open
// after its action fails the test.
void QueueModalAction(std::type_index type, std::function<void(Form&)> action);
template <class T>
void OnNextModal(std::function<void(T&)> action) {
    QueueModalAction(std::type_index(typeid(T)), [action](Form& f) { action(static_cast<T&>(f)); });
}
size_t PendingModalActions();

// ---- common dialogs ----
struct CommonDialogRecord {
    std::wstring kind;  // "Open", "Save", "Color", "Font", "Printer"
    std::wstring title;
    std::wstring filter;
    std::wstring fileName;  // as the dialog was opened
    long flags = 0;
};
void ChooseFileInNextDialog(const std::wstring& path, int filterIndex = 0);
void CancelNextDialog();
// For colour, font and printer dialogs: the action sets the dialog's properties as a person would
// and returns true for OK, false for Cancel.
void OnNextCommonDialog(std::function<bool(CommonDialog&)> action);
size_t PendingCommonDialogAnswers();
const std::vector<CommonDialogRecord>& CommonDialogs();

// ---- popup menus ----
void ChooseInNextPopup(const std::wstring& itemName, int index = -1);  // "" dismisses the menu
const std::vector<std::wstring>& PopupMenusShown();  // names of the menus popped up
std::pair<long, long> LastPopupPoint();              // where the last one opened, screen pixels

// ---- driving controls like a person ----
// A real click through the control's window; fails the test when the control is disabled or hidden,
// since a person could not click it either.
void Click(Control& control);
// Posts a key press to the focused window (or the given one) and lets the runtime translate it.
void PressKey(int virtualKey, bool shift = false, bool ctrl = false);
void PressAccessKey(wchar_t letter);  // Alt+letter
// Replaces the text as typing would (the Change event fires).
void Type(TextBox& box, const std::wstring& text);

// ---- used by the runtime ----
namespace detail {
bool TakeMsgBoxAnswer(const std::wstring& prompt, int style, const std::wstring& title, int& result);
void RecordMsgBox(const std::wstring& prompt, int style, const std::wstring& title, int result);
bool TakeModalAction(Form& form, std::function<void(Form&)>& action);
struct CommonDialogAnswer {
    enum Kind { File, Cancel, Action } kind = Cancel;
    std::wstring path;
    int filterIndex = 0;
    std::function<bool(CommonDialog&)> action;
};
bool TakeCommonDialogAnswer(CommonDialogAnswer& answer);
void RecordCommonDialog(CommonDialogRecord record);
bool TakePopupChoice(std::wstring& name, int& index);
void RecordPopup(const std::wstring& name, long x, long y);
std::wstring TypeName(const std::type_info& type);
}  // namespace detail

}  // namespace test
}  // namespace ui
