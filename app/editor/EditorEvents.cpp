// What the editor does on the text control's events: the dirty state, the one-page rule, the
// keyboard's page moves and styles, links (following them, showing their targets), the right
// button's menus, the header and footer buttons and the page-end markers.
#include <windows.h>

#include "app/core/AppState.h"
#include "app/core/PageControl.h"
#include "app/core/SharedCommands.h"
#include "app/editor/LinkTargets.h"
#include "app/editor/frmMDIChild.h"
#include "components/textcontrol/layout/RangeBoxes.h"
#include "ui/Application.h"
#include "ui/MsgBox.h"
#include "ui/Shell.h"

namespace {

// Posted to the editor's window: the control has finished the input that raised an event.
constexpr UINT kMsgAfterInput = WM_APP + 0x140;

constexpr const wchar_t* kHeaderFooterButtons[] = {L"HeaderProperties", L"SwitchBetweenHeaderAndFooter",
                                                   L"GoToFirstPage", L"GoToDefault"};

// Modifier states as the control reports them.
constexpr int kShiftKey = 1, kCtrlKey = 2;

}  // namespace

// ---------------------------------------------------------------- after the input

void frmMDIChild::AfterInput(std::function<void()> action) {
    afterInput_.push_back(std::move(action));
    if (afterInputPosted_ || !hWnd()) return;
    afterInputPosted_ = PostMessageW(hWnd(), kMsgAfterInput, 0, 0) != FALSE;
}

void frmMDIChild::RunAfterInput() {
    afterInputPosted_ = false;
    std::vector<std::function<void()>> actions;
    actions.swap(afterInput_);
    for (auto& action : actions) action();
}

LRESULT frmMDIChild::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kMsgAfterInput) {
        RunAfterInput();
        return 0;
    }
    return Form::HandleMessage(msg, wp, lp);
}

// ---------------------------------------------------------------- changes

void frmMDIChild::Change() {
    DirtyFlag = true;
    BringBackUndoneMovie();  // Undo reports the whole document changed
    // A deletion of text that runs past the page is the author removing it: no message then. The
    // control has laid out the change before telling it, so the page count costs nothing here,
    // and only a page that runs over waits for the end of the edit.
    if (!DeletingAction && !onePageCheckDue_ && TXTextControl1->PageCount() > 1) {
        onePageCheckDue_ = true;
        AfterInput([this] { CheckOnePage(); });
    }
    EnableToolbarButton(L"Next", true);
    DeletingAction = false;
}

void frmMDIChild::CheckOnePage() {
    onePageCheckDue_ = false;
    if (TXTextControl1->PageCount() < 2) return;
    ui::MsgBox(kPastOnePageMessage, ui::vbOKOnly);
    TXTextControl1->Refresh();
}

void frmMDIChild::FormatChanged() { DirtyFlag = true; }
void frmMDIChild::ObjectChanged() {
    DirtyFlag = true;
    BringBackUndoneMovie();
}
void frmMDIChild::StateChanged() {
    const tx::TextEngine& e = TXTextControl1.Engine();
    autoLinker_.SelectionChanged(e.SelStart(), e.SelLength());
    ShowTextState();
}

void frmMDIChild::ShowTextState() {
    if (toolbarHeld_ > 0) {
        toolbarDue_ = true;
        return;
    }
    toolbarDue_ = false;
    if (ActiveEditor() != this) return;
    // A key or a caret move changes what the text buttons show, never the clipboard: Paste
    // follows the clipboard itself, and asking the clipboard at every key costs that key time.
    if (IsEditorActive()) UpdateTextButtons(*this);
    else UpdateToolbar();
}

// ---------------------------------------------------------------- keys

void frmMDIChild::KeyDown(int& keyCode, int shift) {
    // (The spelling suggestions are a menu of their own: it is closed before any key reaches here.)
    if (shift == kCtrlKey) ctrlFlag_ = true;
    ctrlChordKey_ = (shift & kCtrlKey) ? keyCode : 0;
    // A paste by keyboard (Ctrl+V, Shift+Insert): its web addresses become links at key up.
    if ((shift == kCtrlKey && keyCode == 'V') || (shift == kShiftKey && keyCode == VK_INSERT)) {
        App().AutoLinkPending = true;
        App().AutoLinkStart = TXTextControl1.Engine().SelStart();
    }
    if (keyCode == VK_INSERT && shift == 0) {
        insertMode_ = !TXTextControl1.Engine().InsertMode();
        TXTextControl1.Engine().SetInsertMode(insertMode_);
    }
    if ((keyCode == VK_BACK || keyCode == VK_DELETE) && TXTextControl1->PageCount() > 1) DeletingAction = true;
    DisableMovie(keyCode);
}

void frmMDIChild::KeyPress(int& keyAscii) { AutoLinkKeyPress(keyAscii); }

void frmMDIChild::KeyUp(int& keyCode, int shift) {
    ShowMovieAgain();
    const bool pressedWithCtrl = keyCode == ctrlChordKey_;
    if (pressedWithCtrl) ctrlChordKey_ = 0;
    if ((shift & kCtrlKey) || pressedWithCtrl) {
        tx::TextEngine& e = TXTextControl1.Engine();
        switch (keyCode) {
        case VK_LEFT: AfterInput([] { RunCommand([] { GoToPreviousPage(); }); }); break;
        case VK_UP: AfterInput([this] { FirstPage(); }); break;
        case VK_RIGHT: AfterInput([] { RunCommand([] { GoToNextPage(); }); }); break;
        case VK_DOWN: AfterInput([this] { LastPage(); }); break;
        case 'B': e.SetBold(!e.Bold()); break;
        case 'I': e.SetItalic(!e.Italic()); break;
        case 'U': e.SetUnderline(!e.Underline()); break;
        default: break;
        }
    }
    if (App().AutoLinkPending) {
        AutoLinkRange(App().AutoLinkStart, TXTextControl1.Engine().SelStart());
        App().AutoLinkPending = false;
        App().AutoLinkStart = 0;
    }
}

void frmMDIChild::Form_KeyDown(int& KeyCode, int /*Shift*/) { DisableMovie(KeyCode); }

// ---------------------------------------------------------------- mouse

void frmMDIChild::MouseDown(int button, int /*shift*/, int x, int y) { RecordTableUnderMouse(button, x, y); }

void frmMDIChild::MouseMove(int button, int /*shift*/, int x, int y) {
    if (button & 2) DragTable();
    const int dpi = static_cast<int>(1440 / ui::Screen().TwipsPerPixelX() + 0.5);
    mouse_ = POINT{MulDiv(x, dpi, 1440), MulDiv(y, dpi, 1440)};
    // The tooltip goes once the mouse leaves the link's text, on whichever of its lines it was.
    if (!hoverRects_.empty() && !OverHoveredLink()) {
        hoverRects_.clear();
        hoverField_ = 0;
        TXTextControl1->SetToolTipText(L"");
    }
}

bool frmMDIChild::OverHoveredLink() const {
    for (const RECT& r : hoverRects_)
        if (PtInRect(&r, mouse_)) return true;
    return false;
}

void frmMDIChild::MouseUp(int button, int /*shift*/, int /*x*/, int /*y*/) {
    if (button == 2) AfterInput([this] { RightButtonMenus(); });
    StartAutoLinkMatchers(TXTextControl1.Engine().SelStart());
}

void frmMDIChild::RightButtonMenus() {
    tx::TextEngine& e = TXTextControl1.Engine();
    if (e.ObjectCurrent() != 0) {
        ShowImageProperties();
    } else if (e.TableAtInputPos() <= 0) {
        mnuEdSep6.SetVisible(true);
        mnuEdit_Thesaurus.SetVisible(true);
        PopupMenu(mnuEdit);
    }
    // Inside a table nothing pops up.
}

// ---------------------------------------------------------------- fields and objects

void frmMDIChild::FieldEntered(int fieldId) {
    TXTextControl1.Engine().SetFieldCurrent(fieldId);
    ShowTextState();
}

void frmMDIChild::FieldLinkHover(int fieldId, int& cursor) {
    tx::TextEngine& e = TXTextControl1.Engine();
    if (fieldId != hoverField_ || hoverRects_.empty()) {
        // Where the link's text stands as the control shows it now (zoom, view, scroll), line by line.
        hoverRects_.clear();
        hoverField_ = fieldId;
        if (const tx::Field* field = e.Doc().FindField(fieldId)) {
            tx::TextControl& control = TXTextControl1.Control();
            for (const tx::RangeBox& b : tx::RangeBoxes(e.GetLayout(), field->start, field->length)) {
                const POINT topLeft = control.PageToClient(b.page, b.x, b.y);
                const POINT bottomRight = control.PageToClient(b.page, b.x + b.width, b.y + b.height);
                hoverRects_.push_back(RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y});
            }
        }
    }
    // The control reports the link nearest the mouse; beside a wrapped link's lines it is not over it.
    if (!OverHoveredLink()) {
        cursor = tx::kCursorDefault;
        hoverRects_.clear();
        hoverField_ = 0;
        TXTextControl1->SetToolTipText(L"");
        return;
    }
    cursor = tx::kCursorHand;
    TXTextControl1->SetToolTipText(e.FieldLinkTarget(fieldId));
    e.SetFieldCurrent(fieldId);
}

void frmMDIChild::FieldLinkClicked(int linkKind, const std::wstring& target) {
    AfterInput([this, linkKind, target] { RunCommand([&] { FollowLink(linkKind, target); }); });
}

void frmMDIChild::FollowLink(int kind, const std::wstring& target) {
    AppState& app = App();
    LinkContext context;
    context.moduleCode = app.ModuleCode;
    context.modulePath = app.ModulePath;
    context.isPage = [](const std::wstring& name) { return GetPageIndex(name) > 0; };
    const LinkDecision d = DecideLink(kind, target, context);
    tx::TextEngine& e = TXTextControl1.Engine();
    switch (d.action) {
    case LinkAction::GoToMark:
        if (e.GoToMark(d.mark)) ShowCaretLine();
        break;
    case LinkAction::OpenWeb:
        ui::ShellExecuteFile(L"Open", d.address);
        break;
    case LinkAction::OpenHtml:
        e.SetLoadSaveAttribute(tx::attr::kImportLinks, 1);
        e.Load(d.file, 0, tx::kFormatHtml);
        if (!d.mark.empty() && e.GoToMark(d.mark)) ShowCaretLine();
        break;
    case LinkAction::OpenPage:
        OpenLinkedPage(d.page);
        break;
    case LinkAction::Refuse:
        ui::MsgBox(d.message, d.style);
        break;
    }
}

void frmMDIChild::ShowCaretLine() {
    tx::TextControl& control = TXTextControl1.Control();
    if (!control.hWnd()) return;
    const POINT p = control.PositionToClient(TXTextControl1.Engine().SelStart());
    RECT client{};
    GetClientRect(control.hWnd(), &client);
    const int lineRoom = MulDiv(control.ZoomFactor(), 24, 100);  // about a line of 12-point text
    if (p.y >= 0 && p.y + lineRoom <= client.bottom) return;
    control.SetScrollPosY(control.ScrollPosY() + control.PixelsToTwips(p.y) * 100 / control.ZoomFactor());
}

void frmMDIChild::ObjectClicked(int objectId) { TXTextControl1.Engine().SetObjectCurrent(objectId); }

void frmMDIChild::ObjectDeselected() {
    ZOrder(0);
    TXTextControl1.Engine().SetObjectCurrent(0);
}

void frmMDIChild::ObjectGetName(int /*objectId*/, std::wstring& name) { NameMovieObject(name); }
void frmMDIChild::ObjectCreateHostWindow(int objectId, HWND& hostWindow) { HostMovie(objectId, hostWindow); }
void frmMDIChild::ObjectRestored(int objectId, const std::wstring& name) { RestoreMovie(objectId, name); }

// ---------------------------------------------------------------- header, footer, tables, scrolling

void frmMDIChild::HeaderFooterActivated(int kind) {
    for (const wchar_t* key : kHeaderFooterButtons) EnableToolbarButton(key, true);
    HeaderFooterActive = static_cast<std::int16_t>(kind);
}

void frmMDIChild::HeaderFooterDeactivated() {
    for (const wchar_t* key : kHeaderFooterButtons) EnableToolbarButton(key, false);
}

void frmMDIChild::TableCreated(int tableId) { InitTableDims(static_cast<std::int16_t>(tableId)); }

void frmMDIChild::VScroll(int /*scrollPosY*/) { PlacePageEndMarkers(); }
