#pragma once
// MultiGradient: an ordered, keyed collection of colours that a client copies, enumerates and
// keeps in a property bag. Its members are dispatched by hand: scripts pass Empty variables for the
// collection to copy into and leave out optional arguments that are passed by reference.

#include <windows.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "com/Automation.h"
#include "controls/ComPlumbing.h"
#include "controls/com/PalvexIdl.h"
#include "controls/core/ColorCollection.h"

namespace palvex {

class MultiGradient final : public AutomationObject<_MultiGradient> {
public:
    static HRESULT CreateInstance(REFIID iid, void** out) { return Create<MultiGradient>(iid, out); }
    static Microsoft::WRL::ComPtr<MultiGradient> New() { return Make<MultiGradient>(); }
    MultiGradient();

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

    HRESULT STDMETHODCALLTYPE Copy(_MultiGradient** vData, VARIANT_BOOL fCopyTo, VARIANT* Result) override;
    HRESULT STDMETHODCALLTYPE Add(OLE_COLOR crColor, VARIANT* Key, VARIANT* InsertBefore) override;
    HRESULT STDMETHODCALLTYPE NewEnum(IUnknown** Enumerator) override;
    HRESULT STDMETHODCALLTYPE Remove(VARIANT* vntIndexKey) override;
    HRESULT STDMETHODCALLTYPE Clear() override;
    HRESULT STDMETHODCALLTYPE get_Count(LONG* Count) override;
    HRESULT STDMETHODCALLTYPE get_Color(VARIANT* vntIndexKey, OLE_COLOR* Color) override;
    HRESULT STDMETHODCALLTYPE SaveProperties(IDispatch** PropBag, BSTR* Prefix) override;
    HRESULT STDMETHODCALLTYPE LoadProperties(IDispatch** PropBag, BSTR* Prefix) override;

    const ColorCollection& Colors() const { return colors_; }
    // Every colour in order, system colours translated to the RGB values they stand for now.
    std::vector<int32_t> ColorArray() const;

private:
    ~MultiGradient() override = default;
    HRESULT Dispatched(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result);
    HRESULT CopyByHand(VARIANT* data, const VARIANT* copyTo);
    void SaveTo(IUnknown* bag, const std::wstring& prefix);
    void LoadFrom(IUnknown* bag, const std::wstring& prefix);

    ColorCollection colors_;
};

}  // namespace palvex
