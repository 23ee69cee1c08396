#pragma once
// A fixture for the program's roads through a COM server the build made (the movie players, the word
// processor): OLE for the suite, a fresh state record, the library file registered for each test and
// unregistered after it, and a module folder of the test's own as the open module "000042".

#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/core/AppState.h"
#include "ui/testing/ServerLibrary.h"
#include "ui/testing/UiTest.h"

namespace zv_test {

class ServerModuleTest : public ui::testing::UiTest {
protected:
    // `scratch`: the folder below the temporary one that holds the module folder.
    ServerModuleTest(std::wstring serverPath, std::string scratch, std::wstring moduleName)
        : serverPath_(std::move(serverPath)), scratch_(std::move(scratch)), moduleName_(std::move(moduleName)) {}

    static void SetUpTestSuite() { OleInitialize(nullptr); }
    static void TearDownTestSuite() { OleUninitialize(); }

    void SetUp() override {
        UiTest::SetUp();
        ResetAppState();
        server_ = std::make_unique<ui::testing::ServerLibrary>(serverPath_);
        ASSERT_TRUE(server_->Loaded());
        ASSERT_HRESULT_SUCCEEDED(server_->Register());
        folder_ = std::filesystem::temp_directory_path() / scratch_ / "000042";
        std::filesystem::remove_all(folder_.parent_path());
        std::filesystem::create_directories(folder_);
        App().ModulePath = folder_.wstring();
        App().ModuleCode = L"000042";
        App().ModuleName = moduleName_;
    }
    void TearDown() override {
        UiTest::TearDown();
        ResetAppState();
        server_.reset();
        std::filesystem::remove_all(folder_.parent_path());
    }
    ui::testing::ServerLibrary::EntryFn Entry(const char* name) const { return server_->Entry(name); }

    std::filesystem::path folder_;

private:
    std::wstring serverPath_;
    std::string scratch_;
    std::wstring moduleName_;
    std::unique_ptr<ui::testing::ServerLibrary> server_;
};

}  // namespace zv_test
