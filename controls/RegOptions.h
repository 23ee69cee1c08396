#pragma once
// RegOptions: the font-display options of one control of one application, or the global set, kept
// under the current user's key.

#include <wrl/client.h>

#include <string>

#include "com/Automation.h"
#include "controls/ComPlumbing.h"
#include "controls/com/PalvexIdl.h"
#include "controls/core/FontOptions.h"
#include "controls/win/RegistryObject.h"

namespace palvex {

class RegOptions final : public AutomationObject<_RegOptions> {
public:
    static HRESULT CreateInstance(REFIID iid, void** out) { return Create<RegOptions>(iid, out); }
    static Microsoft::WRL::ComPtr<RegOptions> New() { return Make<RegOptions>(); }
    RegOptions();

    HRESULT STDMETHODCALLTYPE get_CtlName(BSTR* CtlName) override;
    HRESULT STDMETHODCALLTYPE get_AppName(BSTR* AppName) override;
    HRESULT STDMETHODCALLTYPE get_FaceDraw(LONG* FaceDraw) override;
    HRESULT STDMETHODCALLTYPE put_FaceDraw(LONG FaceDraw) override;
    HRESULT STDMETHODCALLTYPE get_SymbolPreview(VARIANT_BOOL* SymbolPreview) override;
    HRESULT STDMETHODCALLTYPE put_SymbolPreview(VARIANT_BOOL SymbolPreview) override;
    HRESULT STDMETHODCALLTYPE get_PitchAndFamilyFilters(VARIANT_BOOL* Filters) override;
    HRESULT STDMETHODCALLTYPE put_PitchAndFamilyFilters(VARIANT_BOOL Filters) override;
    HRESULT STDMETHODCALLTYPE get_FilterCode(FilterCodeConstants* FilterCode) override;
    HRESULT STDMETHODCALLTYPE put_FilterCode(FilterCodeConstants FilterCode) override;
    HRESULT STDMETHODCALLTYPE get_SymbolDraw(LONG* SymbolDraw) override;
    HRESULT STDMETHODCALLTYPE put_SymbolDraw(LONG SymbolDraw) override;
    HRESULT STDMETHODCALLTYPE get_SuppressLoadDlg(VARIANT_BOOL* Suppress) override;
    HRESULT STDMETHODCALLTYPE put_SuppressLoadDlg(VARIANT_BOOL Suppress) override;
    HRESULT STDMETHODCALLTYPE LoadProperties(BSTR AppName, BSTR CtlName, VARIANT_BOOL Remove) override;
    HRESULT STDMETHODCALLTYPE SaveProperties() override;

    // For the library's own forms.
    FontOptions& Options() { return options_; }
    const std::wstring& AppName() const { return appName_; }
    const std::wstring& CtlName() const { return ctlName_; }
    // remove: the six values are deleted first, so that the defaults are read.
    void Load(const std::wstring& appName, const std::wstring& ctlName, bool remove = false);
    void Save();

private:
    // An application with a control, or the global set.
    static bool Names(const std::wstring& appName, const std::wstring& ctlName);
    HRESULT SetChecked(int32_t& field, LONG value, bool (*valid)(int32_t));

    std::wstring appName_;
    std::wstring ctlName_;
    FontOptions options_;
    RegistryObject registry_;
};

}  // namespace palvex
