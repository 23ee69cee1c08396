#include "controls/ColorList.h"

#include <new>

#include "controls/CtrlMsg.h"

namespace palvex {

namespace {
constexpr int32_t kListStyle = 0x300010;  // WS_VSCROLL | WS_HSCROLL | LBS_OWNERDRAWFIXED
constexpr int32_t kMultiSelectBit = LBS_MULTIPLESEL;
constexpr int32_t kWantKeyboardInputBit = LBS_WANTKEYBOARDINPUT;
constexpr int32_t kMultiColumnBit = LBS_MULTICOLUMN;
}  // namespace

HRESULT ColorList::CreateInstance(REFIID iid, void** out) {
    ColorList* control = new (std::nothrow) ColorList();
    if (!control) return E_OUTOFMEMORY;
    const HRESULT hr = control->QueryInterface(iid, out);
    control->Release();
    return hr;
}

ColorList::ColorList()
    : ColorControl(CLSID_ColorList, IID__ColorList, DIID___ColorList, L"ColorList", listWnd_), listWnd_(this) {
    listWnd_.SetStyle(kListStyle);
    listWnd_.SetThreedBorder(true);
}

ColorList::~ColorList() { WindowDestroying(); }

void ColorList::RegisterWindow(HWND window) { RegisterList(this, window); }
WNDPROC ColorList::ControlProcedure() const { return ListWndProc; }
void ColorList::UnregisterWindow() { UnregisterList(this); }

int32_t ColorList::ListStyle() const {
    int32_t style = kListStyle;
    if (multiSelect_) style |= kMultiSelectBit;
    if (multiColumn_) style |= kMultiColumnBit;
    if (wantKeyboardInput_) style |= kWantKeyboardInputBit;
    return style;
}

// --- the style properties ---

HRESULT ColorList::get_MultiSelect(VARIANT_BOOL* MultiSelect) { return Out(MultiSelect, OleBool(multiSelect_)); }
HRESULT ColorList::put_MultiSelect(VARIANT_BOOL MultiSelect) {
    return SetStyleProperty(multiSelect_, MultiSelect, L"MultiSelect");
}
HRESULT ColorList::get_WantKeyboardInput(VARIANT_BOOL* WantKeyboardInput) {
    return Out(WantKeyboardInput, OleBool(wantKeyboardInput_));
}
HRESULT ColorList::put_WantKeyboardInput(VARIANT_BOOL WantKeyboardInput) {
    return SetStyleProperty(wantKeyboardInput_, WantKeyboardInput, L"WantKeyboardInput");
}
HRESULT ColorList::get_MultiColumn(VARIANT_BOOL* MultiColumn) { return Out(MultiColumn, OleBool(multiColumn_)); }
HRESULT ColorList::put_MultiColumn(VARIANT_BOOL MultiColumn) {
    return SetStyleProperty(multiColumn_, MultiColumn, L"MultiColumn");
}

HRESULT ColorList::SetStyleProperty(bool& field, VARIANT_BOOL value, const wchar_t* name) {
    return Member([&] {
        field = value != VARIANT_FALSE;
        ChangeListStyle();
        PropertyChanged(name);
    });
}

// --- the list window ---

void ColorList::MakeList(const ListWnd::View& view) {
    listWnd_.SetStyle(ListStyle());
    CreateList(true);
    listWnd_.RestoreView(view);
    SnapToList();
    ShowList();
}

void ColorList::ChangeListStyle() {
    // Without a list window only the property changes: the window made later takes its style from
    // the properties.
    if (listWnd_.hWnd()) {
        const ListWnd::View view = listWnd_.SaveView();
        listWnd_.Destroy();
        MakeList(view);
    }
    if (Window()) InvalidateRect(Window(), nullptr, TRUE);
}

void ColorList::RecreateList() {
    ListWnd::View view;
    if (listWnd_.hWnd()) {
        view = listWnd_.SaveView();
        listWnd_.Destroy();
    }
    RenewBackBrush();
    // A list window belongs to a control that runs in a host: at design time, and before the host
    // sized the control, there is none to make.
    if (created_ && UserMode()) MakeList(view);
}

void ColorList::BackColorChanged() { RecreateList(); }

void ColorList::EntryValueChanged() {
    const SIZE size = ScaleSize();
    listWnd_.Move(0, 0, size.cx, size.cy);
}

void ColorList::Resized() {
    if (!Window()) return;
    if (!created_) {
        created_ = true;
        if (UserMode()) {
            Subclass();
            // Every list window, the first included, is made with the control's entries; the first
            // sizing in a host makes it when no other path has.
            if (!listWnd_.hWnd()) MakeList(ListWnd::View{});
            UpdateMetrics();
            return;
        }
        SetBorder(true);
    }
    SnapToList();
}

void ColorList::SnapToList() {
    if (inResize_ || !Window()) return;
    inResize_ = true;
    const SIZE size = ScaleSize();
    SIZE list{size.cx, size.cy};
    if (UserMode()) {
        if (listWnd_.hWnd()) {
            listWnd_.Move(0, 0, size.cx, size.cy);
            list = SIZE{listWnd_.Width(), listWnd_.Height()};
        }
    } else {
        list = MeasureDesignList(size);
    }
    if (list.cx != size.cx || list.cy != size.cy) RequestSize(list.cx, list.cy);
    inResize_ = false;
}

SIZE ColorList::MeasureDesignList(SIZE size) {
    SetBorder(false);
    size = ScaleSize();
    listWnd_.SetStyle(ListStyle());
    listWnd_.Create(Window(), L"", 0, 0, size.cx, size.cy, false);
    // The control's window is not subclassed at design time: the rows get their height here, and
    // the list its whole number of rows from the move after it.
    OnMeasureItem(-1);
    listWnd_.Move(0, 0, size.cx, size.cy);
    const SIZE measured{listWnd_.Width(), listWnd_.Height()};
    listWnd_.Destroy();
    SetBorder(true);
    return measured;
}

void ColorList::SetBorder(bool on) {
    HWND window = Window();
    if (!window) return;
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR wanted = on ? (style | WS_BORDER) : (style & ~static_cast<LONG_PTR>(WS_BORDER));
    if (wanted == style) return;
    SetWindowLongPtrW(window, GWL_STYLE, wanted);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void ColorList::DrawView(HDC dc, const RECT& bounds) {
    FillRect(dc, &bounds, GetBackBrush());
    HWND list = listWnd_.hWnd();
    const int32_t top = list ? static_cast<int32_t>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)) : 0;
    const int rowHeight = list ? static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0))
                               : rows_.Measure(Window(), -1).height;
    if (rowHeight <= 0) return;
    const int width = bounds.right - bounds.left;
    int y = bounds.top;
    for (int32_t index = top < 0 ? 0 : top; rows_.ValidIndex(index) && y < bounds.bottom; ++index, y += rowHeight)
        rows_.Draw(dc, bounds.left, y, width, std::min<int>(rowHeight, bounds.bottom - y), index, listWnd_.Selected(index));
}

// --- persistence ---

void ColorList::ReadOwnProperties(PropertyReader& reader) {
    multiSelect_ = reader.ReadBool(L"MultiSelect", multiSelect_);
    wantKeyboardInput_ = reader.ReadBool(L"WantKeyboardInput", wantKeyboardInput_);
    multiColumn_ = reader.ReadBool(L"MultiColumn", multiColumn_);
}

void ColorList::WriteOwnProperties(PropertyWriter& writer) {
    writer.WriteBool(L"WantKeyboardInput", wantKeyboardInput_);
    writer.WriteBool(L"MultiSelect", multiSelect_);
    writer.WriteBool(L"MultiColumn", multiColumn_);
}

void ColorList::PropertiesRead() {
    UpdateMetrics();
    // The stored style and back colour take effect in a new list window when the control already
    // runs; otherwise the first one is made with them.
    RecreateList();
}

}  // namespace palvex
