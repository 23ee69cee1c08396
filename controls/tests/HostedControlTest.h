#pragma once
// Shared by the tests that host one of the library's controls on a form of the forms runtime: the
// library registered for the suite, the form unloaded after each test, the calls of a late-bound
// scenario recorded as text, and the check that unloading gives every reference back.

#include <windows.h>
#include <ole2.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/tests/PalvexTestSupport.h"
#include "ui/Application.h"
#include "ui/activex/ActiveXControl.h"

namespace palvex::test {

// Host: the form class holding the control; each test's SetUp makes form_.
template <class Host>
class HostedControlTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        apartment_ = new ComApartment();
        library_ = new RegisteredLibrary();
        dll_ = &library_->Dll();
        ASSERT_TRUE(library_->Registered());
    }
    static void TearDownTestSuite() {
        delete library_;
        delete apartment_;
    }
    void TearDown() override {
        form_->Unload();
        form_.reset();
        ui::DoEvents();
        CoFreeUnusedLibraries();
    }

    // While the form holds the control the library file stays in use; once the form is unloaded,
    // nothing of it is.
    void ExpectUnloadGivesEveryReferenceBack() {
        using CanUnloadFn = HRESULT(STDAPICALLTYPE*)();
        auto canUnload = dll_->Entry<CanUnloadFn>("DllCanUnloadNow");
        EXPECT_EQ(canUnload(), S_FALSE);
        form_->Unload();
        ui::DoEvents();
        EXPECT_EQ(canUnload(), S_OK);
    }

    static inline ComApartment* apartment_ = nullptr;
    static inline RegisteredLibrary* library_ = nullptr;
    static inline PalvexLibrary* dll_ = nullptr;
    std::unique_ptr<Host> form_;
};

// Calls on a control, every one by identifier or every one by name, each recorded as
// "Name=result" ("Name=failed" when the call fails).
class RecordedCalls {
public:
    RecordedCalls(ui::ActiveXControl& control, bool byName) : control_(control), byName_(byName) {}

    void operator()(const wchar_t* name, DISPID id, WORD flags, std::vector<ui::OleVariant> args) {
        ui::OleVariant result;
        const HRESULT hr = byName_ ? control_.InvokeByName(name, flags, std::move(args), &result)
                                   : control_.Invoke(id, flags, std::move(args), &result);
        seen.push_back(std::wstring(name) + L"=" + (SUCCEEDED(hr) ? result.AsText() : L"failed"));
    }

    std::vector<std::wstring> seen;

private:
    ui::ActiveXControl& control_;
    bool byName_;
};

}  // namespace palvex::test
