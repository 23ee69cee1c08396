#pragma once
// An ActiveX control on a form: created by class identifier or ProgID, activated in place at the
// control's position (twips, as every control), given the ambient properties it asks for, loaded
// from and saved to property bags, called late-bound by dispatch identifier or by name, and torn
// down with every reference given back.

#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/activex/OleVariant.h"

namespace ui {

class AxSite;
class AxEventSink;

using PropertyMap = std::map<std::wstring, OleVariant>;

class ActiveXControl : public Control {
public:
    ActiveXControl(Form* form, std::wstring name);
    ~ActiveXControl() override;

    // "{clsid}" or a ProgID; set before the form loads.
    void SetClassName(std::wstring classIdOrProgId) { className_ = std::move(classIdOrProgId); }
    const std::wstring& ClassName() const { return className_; }
    // Stored properties handed to the control when it is created; none: a new control (InitNew).
    void SetStoredProperties(PropertyMap properties) { stored_ = std::move(properties); }
    // The control's properties as it saves them into a property bag (empty when not created).
    PropertyMap SaveProperties();

    // Ambient properties the site answers.
    void SetAmbientUserMode(bool userMode) { userMode_ = userMode; }
    bool AmbientUserMode() const { return userMode_; }
    void SetAmbientScaleMode(int scaleMode) { scaleMode_ = scaleMode; }
    int AmbientScaleMode() const { return scaleMode_; }

    // The created object (null before the form loads, or when creation failed).
    IDispatch* Object() const { return dispatch_.Get(); }
    IUnknown* Unknown() const { return unknown_.Get(); }
    HRESULT CreateResult() const { return createResult_; }
    HWND ControlWindow() const;

    // Late binding. Arguments in their natural order; puts pass the value last.
    DISPID DispIdOf(const std::wstring& name) const;
    HRESULT Invoke(DISPID id, WORD flags, std::vector<OleVariant> args, OleVariant* result = nullptr,
                   EXCEPINFO* exception = nullptr);
    HRESULT InvokeByName(const std::wstring& name, WORD flags, std::vector<OleVariant> args,
                         OleVariant* result = nullptr, EXCEPINFO* exception = nullptr);
    OleVariant Get(DISPID id, std::vector<OleVariant> args = {});
    HRESULT Put(DISPID id, std::vector<OleVariant> args);
    OleVariant Call(DISPID id, std::vector<OleVariant> args = {});

    // Every event the control raises through its default source (dispatch identifier, arguments
    // as the control passes them: last argument first).
    std::function<void(DISPID id, DISPPARAMS& params)> ControlEvent;

    // Used by the site.
    void SiteRequestsRect(const RECT& pixels);

protected:
    void CreateKindWindow() override;
    void AfterCreate() override;
    void BeforeDestroy() override;
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    HRESULT CreateObject();
    void ReleaseObject();
    void PlaceObject();

    std::wstring className_;
    PropertyMap stored_;
    bool userMode_ = true;
    int scaleMode_ = 1;
    HRESULT createResult_ = S_OK;
    AxSite* site_ = nullptr;
    AxEventSink* sink_ = nullptr;
    Microsoft::WRL::ComPtr<IUnknown> unknown_;
    Microsoft::WRL::ComPtr<IDispatch> dispatch_;
    Microsoft::WRL::ComPtr<IOleObject> oleObject_;
    Microsoft::WRL::ComPtr<IOleInPlaceObject> inPlace_;
    Microsoft::WRL::ComPtr<IConnectionPoint> eventPoint_;
    DWORD eventCookie_ = 0;
};

}  // namespace ui
