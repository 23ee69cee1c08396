#pragma once
// The rich-text control's window: it wraps a TextEngine, maps keyboard and mouse messages onto it,
// paints the engine's layout with GDI in three view modes at any zoom, scrolls in twips, talks to
// the clipboard, prints pages onto any device context and raises TextControlEvents.
//
// The object outlives its window: a form can set it up before its window exists and read it after
// the window is gone. Every member the program calls by the control's own names is either here or
// on Engine().

#include <windows.h>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <vector>
#include <set>
#include <string>

#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/win32/GdiMeasurer.h"
#include "components/textcontrol/win32/ImageCache.h"
#include "components/textcontrol/win32/GdiSurface.h"
#include "components/textcontrol/win32/TextControlEvents.h"
#include "ui/Handles.h"

namespace tx {

inline constexpr wchar_t kTextControlClass[] = L"ZvTextControl";
// The point of a text position: wParam = the position, lParam = POINT* that receives the top-left
// corner of that position's line box in the control's client pixels. Returns TRUE when it could.
inline constexpr UINT kMsgPositionToPoint = WM_USER + 170;
// Sent to itself: the windowed objects inserted since get their names now that the inserting
// call has returned.
inline constexpr UINT kMsgNameNewObjects = WM_USER + 171;
// Sent to itself: the bound ruler, button bar and status bar see what the changes since showed.
inline constexpr UINT kMsgUpdateTools = WM_USER + 172;

enum ViewMode : int {
    kViewNormal = 0,        // the pages' text column from the window's top-left, pages edge to edge
    kViewPageLayout = 1,    // each page a sheet on a grey desk, at the left
    kViewPageCentered = 2,  // the same, centred in the window
};

class TextControl : private EngineEvents {
public:
    TextControl();
    ~TextControl() override;
    TextControl(const TextControl&) = delete;
    TextControl& operator=(const TextControl&) = delete;

    // Creates the window as a child (or any style); false when Windows refuses.
    bool Create(HWND parent, const RECT& pixels, DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, UINT id = 0);
    // The next window of kTextControlClass created on this thread belongs to `control` (for
    // wrappers that create the window through another runtime).
    static void AdoptNextWindow(TextControl* control);
    static TextControl* FromHwnd(HWND hwnd);
    static void RegisterWindowClass();

    TextEngine& Engine() { return engine_; }
    const TextEngine& Engine() const { return engine_; }
    HWND hWnd() const { return hwnd_; }
    void SetEvents(TextControlEvents* events) { events_ = events; }

    // ---- view ----
    int ViewMode() const { return viewMode_; }
    void SetViewMode(int mode);
    int ZoomFactor() const { return zoom_; }
    void SetZoomFactor(int percent);  // clamped to 10..400
    int ScrollPosY() const { return scrollY_; }
    void SetScrollPosY(int twips);
    // The top of the part in view in the first page's own coordinates (0 at its top edge), kept on
    // that page: where something placed "in view" goes on a one-page document.
    int VisiblePageTop() const;
    int ScrollPosX() const { return scrollX_; }
    void SetScrollPosX(int twips);
    void Refresh();
    // The top-left corner of a position's line box, in client pixels.
    POINT PositionToClient(int position);
    // The width of client area, in twips at 100 %, that shows the whole width of a page.
    static int ViewWidthTwips(int pageWidth, int viewMode);
    // Scrolls so that the caret shows, as typing does.
    void ScrollCaretIntoView() { EnsureCaretVisible(); }
    // A point on a page (twips from the page's corner) in client pixels, as the view shows it.
    POINT PageToClient(int page, int x, int y) const;
    // Twips of the control's own coordinates (events, host geometry) from client pixels.
    int PixelsToTwips(int pixels) const { return MulDiv(pixels, 1440, screenMeasurer_.Dpi()); }
    // The text position under a client pixel.
    int ClientToPosition(POINT pixel);
    // The table under a point of the event coordinates (twips from the control's top-left), the
    // few pixels beside a column border that start its resize included; 0 over none.
    int TableAt(int x, int y);
    // The text position under a point of the event coordinates; -1 off the text: outside the
    // window, or beside every page.
    int PositionAt(int x, int y);
    void SetToolTipText(const std::wstring& text);
    const std::wstring& ToolTipText() const { return toolTip_; }

    // ---- dragging ----
    // Called while the mouse button that went down in the control is held (at a mouse move): once
    // the mouse has moved past the system's drag distance from where the button went down, the
    // control drags what the host asked it to. The caret follows the mouse to show the drop
    // point, the selection stays; letting go over the text raises DragDrop, Escape ends the drag
    // with nothing raised. True while a drag runs.
    bool Drag();
    bool Dragging() const { return dragging_; }

    // ---- clipboard ----
    void Clip(int action);  // 1 cut, 2 copy, 3 paste, 4 delete
    bool CanCopy() const { return engine_.CanCopy(); }
    bool CanPaste() const;
    static UINT OwnClipboardFormat();
    static UINT RtfClipboardFormat();

    // ---- output ----
    HDC PrintDevice() const { return printDevice_; }
    void SetPrintDevice(HDC dc) { printDevice_ = dc; }
    int PrintZoom() const { return printZoom_; }
    void SetPrintZoom(int percent) { printZoom_ = percent; }
    // Draws page n (from 1) onto the print device at the print zoom, laid out with that device's
    // resolution; false when there is no device or no such page.
    bool PrintPage(int page);
    int PageCount();

    // ---- tools bound by their windows ----
    void SetRulerHandle(HWND ruler);
    void SetButtonBarHandle(HWND bar);
    void SetStatusBarHandle(HWND bar);
    HWND RulerHandle() const { return ruler_; }
    HWND ButtonBarHandle() const { return buttonBar_; }
    HWND StatusBarHandle() const { return statusBar_; }
    // The caret's line on its page (from 1) and column in that line (from 1).
    std::pair<int, int> CaretLineAndColumn();

    // ---- for tests and benchmarks ----
    // Paints the visible part of the view into a DC of the client's size.
    void PaintTo(HDC dc);
    const ImageCache& Images() const { return images_; }
    int CaretPosition() const { return engine_.SelCaret(); }

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);

    // EngineEvents
    void Changed(ChangeKind kind) override;
    void ObjectNameRequest(int objectId, std::wstring& name) override;
    void HostWindowRequest(int objectId, std::uintptr_t& hostWindow) override;
    void ObjectRestored(int objectId, const std::wstring& name) override;
    void ObjectAwaitsName(int objectId) override;
    void HostWindowExtent(std::uintptr_t hostWindow, int scaleX, int scaleY, int& width, int& height) override;

    // Geometry: view twips (pages stacked as the view mode shows them) and client pixels.
    double Scale() const;
    int Gap() const;
    int PageTop(int page) const;
    int PageLeft() const;
    int ViewHeight();
    int ClientWidthTwips() const;
    int ClientHeightTwips() const;
    int MaxScrollX() const;
    struct PagePoint { int page, x, y; };
    PagePoint ClientToPage(POINT pixel);

    void UseDpi(int dpi);
    const Layout& ScreenLayout();
    void UpdateScrollBars();
    void ScrollTo(int twips, bool raise);
    void EnsureCaretVisible();
    void UpdateCaret();
    POINT EventToClient(int x, int y) const;
    int PositionOnPage(POINT pixel);
    // The cell whose right edge (a column border) is within grabbing distance of a client pixel.
    std::optional<PlacedCell> BorderUnderPoint(POINT pixel);
    // The dragged column's width were the mouse let go at a client pixel.
    int ResizedWidthAt(POINT pixel);
    RECT TrackLine() const;
    void InvalidateTrackLine();
    void FollowDrag(POINT pixel);
    // Ends a column resize or a drag without applying or raising anything; cancelled (Escape,
    // another button, the capture lost), the held button's mouse up is no click either.
    void EndMouseModes();
    void CancelMouseModes();
    void InvalidateAll();
    int FieldUnderPoint(POINT pixel);
    int ObjectUnderPoint(POINT pixel);
    void PlaceHostWindows();
    // A host window was resized by its owner: the object takes the new extent.
    void HostResized(HWND host);
    static LRESULT CALLBACK HostSubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void ReleaseHosts();
    void NotifyTools();
    void CheckFieldEntered();
    bool ObjectsChanged();
    int Shift() const;

    void OnKeyDown(int key);
    void OnChar(wchar_t c);
    void OnMouseDown(int button, WPARAM wp, LPARAM lp);
    void OnMouseMove(WPARAM wp, LPARAM lp);
    void OnMouseUp(int button, WPARAM wp, LPARAM lp);
    void OnPaint();

    TextEngine engine_;
    TextControlEvents* events_ = nullptr;
    TextControlEvents noEvents_;
    HWND hwnd_ = nullptr;
    GdiMeasurer screenMeasurer_;
    std::unique_ptr<GdiMeasurer> deviceMeasurer_;
    int activeDpi_ = 0;
    ImageCache images_;
    GdiFonts screenFonts_;  // at the screen's resolution and the current zoom

    int viewMode_ = kViewNormal;
    int zoom_ = 100;
    int scrollY_ = 0, scrollX_ = 0;
    bool selecting_ = false;
    int downField_ = 0;
    int hoverField_ = 0;
    int cursor_ = kCursorDefault;
    int lastField_ = 0;
    int headerFooter_ = 0;
    std::set<int> knownTables_;
    unsigned documentsShown_ = 0;  // the engine's DocumentsLoaded() when this window last showed one
    // Where each object was at the last change: a difference is an object change for the host.
    std::vector<std::array<int, 8>> objectState_;
    // Every host window seen, and whether this control hid it because its object left the text
    // (a deletion, an undo, another document): it shows again when the object comes back.
    std::map<HWND, bool> hosts_;
    bool placingHosts_ = false;
    bool namesPosted_ = false;
    bool toolsPosted_ = false;
    // A column border being dragged: the column, where the mouse went down and the width then (page
    // twips), the border's page, its x and the table's top and bottom there, and the width the
    // tracking line stands for now.
    int resizeTable_ = 0, resizeCol_ = 0, resizeStartX_ = 0, resizeStartWidth_ = 0;
    int resizePage_ = 1, resizeEdge_ = 0, resizeTop_ = 0, resizeBottom_ = 0, trackWidth_ = 0;
    // The last mouse down in the window (client pixels) and whether its button is still held.
    POINT downPoint_{0, 0};
    WPARAM downButton_ = 0;
    bool buttonHeld_ = false;
    POINT lastMouse_{0, 0};
    WPARAM lastKeys_ = 0;
    WPARAM ignoreUp_ = 0;  // the button whose next mouse up ends nothing
    bool dragging_ = false;
    int dragCaret_ = -1;  // the drop point the caret shows, -1 off the text
    bool focused_ = false;  // between the window's WM_SETFOCUS and WM_KILLFOCUS
    bool caretShown_ = false;
    int caretHeight_ = 0, caretWidth_ = 0;
    POINT caretAt_{0, 0};  // where the caret was last put, in client pixels
    bool invalid_ = false;  // the whole client waits for its paint
    HDC printDevice_ = nullptr;
    int printZoom_ = 100;
    HWND ruler_ = nullptr, buttonBar_ = nullptr, statusBar_ = nullptr;
    HWND toolTipWindow_ = nullptr;
    std::wstring toolTip_;
    std::array<int, 3> lastScroll_{-1, -1, -1}, lastScrollX_{-1, -1, -1};
    bool updatingScrollBars_ = false;
    bool scrollBarsStale_ = false;  // changed while hidden: the bars are set when it shows
    bool horizontalBar_ = false;
    ui::OwnedDc backDc_;
    ui::Bitmap backBitmap_;
    SIZE backSize_{0, 0};
};

}  // namespace tx
