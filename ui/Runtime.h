#pragma once
// Internals shared by the runtime's files: window lookup, window classes, the message pump and the
// guard that keeps C++ exceptions out of window procedures. Not for program code.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/Handles.h"

namespace ui {
class Control;
class Form;

namespace detail {

inline constexpr wchar_t kFormClass[] = L"ZvForm";
inline constexpr wchar_t kMdiFrameClass[] = L"ZvMdiFrame";
inline constexpr wchar_t kMdiChildClass[] = L"ZvMdiChild";
inline constexpr wchar_t kFrameClass[] = L"ZvFrame";
inline constexpr wchar_t kPictureClass[] = L"ZvPicture";

HINSTANCE Instance();
std::wstring WindowText(HWND hwnd);
ui::Font MakeFont(const FontSpec& spec);
void EnsureClasses();

void MapControl(HWND hwnd, Control* c);
void UnmapControl(HWND hwnd);
Control* ControlFromHwnd(HWND hwnd);
void MapForm(HWND hwnd, Form* f);
void UnmapForm(HWND hwnd);
Form* FormFromHwnd(HWND hwnd);
// The form a window belongs to (the nearest form window among it and its ancestors).
Form* FormOfWindow(HWND hwnd);

// Subclasses a window of ours: every message goes to the handler first, with `data`; the handler
// hands on what it does not take with CallOriginalProc. Undone by itself once WM_NCDESTROY has
// been through the handler. The common controls' subclassing reads a window property on every
// message, and under Wine each read is a trip to the window server: this keeps its table here.
using SubclassHandler = LRESULT (*)(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, void* data);
void Subclass(HWND hwnd, SubclassHandler handler, void* data);
// The window procedure the window had before Subclass.
LRESULT CallOriginalProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// Child notifications (commands, notifies, scrolls, colours) for any window that holds controls.
bool ContainerMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
// Draws the windowless controls (line, shape, image) whose container is this window.
void PaintWindowless(HWND container, HDC dc);
// Mouse events for windowless controls under the point; true when one took it.
bool WindowlessMouse(HWND container, UINT msg, WPARAM wp, LPARAM lp);

// Runs f; an exception is stopped here, since none may cross a window procedure.
void Guard(const std::function<void()>& f) noexcept;

// A control array member unloaded from inside its own event is freed once the event has returned.
void Bury(std::unique_ptr<Control> c);
void FreeBuried();
// A form going away frees its buried controls at once (they point at it).
void FreeBuriedOf(const Form* form);

// One message through the runtime's translation (key preview, dialog keys, MDI keys).
void Dispatch(MSG& msg);
// The modifier keys down now, as events report them: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftState();
// Counts a window we created (WM_NCCREATE/WM_NCDESTROY of our own windows).
void CountWindow(int delta);

LRESULT CALLBACK FrameWndProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PictureWndProc(HWND, UINT, WPARAM, LPARAM);
// Controls of a form in tab order that can take the focus now.
std::vector<Control*> TabStops(Form& form);
// Reports an exception stopped at a window procedure.
void ReportStopped(const std::wstring& description);

// The hourglass: applied by WM_SETCURSOR in our windows.
int CurrentMousePointer();

}  // namespace detail
}  // namespace ui
