#pragma once
// The OLE control plumbing shared by the library's controls: in-place activation in a container's
// window, the view, persistence to property bags and streams, the events' connection point, class
// info and ambient properties. A control derives from it, adds its dual interface and overrides the
// hooks below. The methods of each interface live in a file of their own (OleControl*.cpp).

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <string>

#include "com/ConnectionPoint.h"
#include "com/Module.h"
#include "com/PropertyStore.h"

namespace zvcom {

class OleControl : public IOleObject,
                   public IOleInPlaceObject,
                   public IOleInPlaceActiveObject,
                   public IOleControl,
                   public IViewObject2,
                   public IPersistStreamInit,
                   public IPersistPropertyBag,
                   public IConnectionPointContainer,
                   public IProvideClassInfo2 {
public:
    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR app, LPCOLESTR object) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** data) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent,
                                     LPCRECT posRect) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* type) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advise) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

    // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT posRect, LPCRECT clipRect) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frame) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;

    // IOleControl
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* msg) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID id) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

    // IViewObject2
    HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                                   HDC targetDevice, HDC dc, LPCRECTL bounds, LPCRECTL wBounds,
                                   BOOL(STDMETHODCALLTYPE* contin)(ULONG_PTR), ULONG_PTR continueArg) override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                                          HDC targetDevice, LOGPALETTE** colors) override;
    HRESULT STDMETHODCALLTYPE Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD freeze) override;
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;

    // IPersist, IPersistStreamInit, IPersistPropertyBag
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(IStream* stream) override;
    HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;

    HWND Window() const { return window_; }
    static LRESULT CALLBACK ControlWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    OleControl(const CLSID& clsid, const IID& eventsIid);
    virtual ~OleControl();

    // The derived control's IUnknown answers these first, then its own interfaces.
    bool QueryOleInterface(REFIID riid, void** out);
    virtual IUnknown* ControllingUnknown() = 0;

    // Hooks for the control.
    virtual void InitProperties() {}
    virtual void ReadProperties(PropertyReader& reader) = 0;
    virtual void WriteProperties(PropertyWriter& writer) = 0;
    // The control's window exists (first in-place activation or re-activation).
    virtual void WindowCreated() {}
    // Before the control's window is destroyed.
    virtual void WindowDestroying() {}
    // The container sized the control's window.
    virtual void Resized() {}
    virtual void AmbientChanged(DISPID id) {}
    virtual void DrawView(HDC dc, const RECT& bounds) = 0;
    virtual HBRUSH BackgroundBrush() { return nullptr; }
    // The control window's own procedure; the default handles sizing and the background.
    virtual LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // Services for the control.
    bool UserMode();
    // An ambient property by dispatch identifier or by name (VT_EMPTY when the container has none).
    HRESULT Ambient(DISPID id, VARIANT* value);
    HRESULT AmbientByName(const wchar_t* name, VARIANT* value);
    HWND ContainerWindow();
    void PropertyChanged(const wchar_t* name);
    // The control's client size in pixels (the scale width and height).
    SIZE ScaleSize() const;
    // Asks the container for a new size in pixels; the window follows whether or not it agrees.
    void RequestSize(int width, int height);
    void RaiseEvent(DISPID id, VARIANTARG* args = nullptr, UINT count = 0);
    ConnectionPoint& Events() { return events_; }

private:
    HRESULT InPlaceActivate(LONG verb, HWND parentHint, LPCRECT posHint);
    void CreateControlWindow(HWND parent, const RECT& pos);
    void DestroyControlWindow();
    HRESULT LoadFrom(PropertyReader& reader);

    CLSID clsid_;
    ConnectionPoint events_;
    Microsoft::WRL::ComPtr<IOleClientSite> clientSite_;
    Microsoft::WRL::ComPtr<IOleInPlaceSite> inPlaceSite_;
    Microsoft::WRL::ComPtr<IOleAdviseHolder> adviseHolder_;
    Microsoft::WRL::ComPtr<IAdviseSink> viewSink_;
    DWORD viewAspects_ = 0, viewFlags_ = 0;
    HWND window_ = nullptr;
    RECT posRect_{};
    SIZEL extent_{2540, 529};  // himetric: 96 x 20 pixels at 96 dpi
    bool uiActive_ = false;
    bool dirty_ = false;
    bool initialised_ = false;
    LONG freezeCount_ = 0;
    ModuleObject counted_;
};

}  // namespace zvcom
