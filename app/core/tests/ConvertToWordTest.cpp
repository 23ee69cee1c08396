// Tools > Convert to Word as an author meets it: a module's pages through the editor's print
// control and the registered word processor into ModuleName.doc, read back by our RTF reader and
// by the system's rich edit control; and each way it can fail, told and leaving nothing behind.
#include <gtest/gtest.h>

#include <windows.h>
#include <richedit.h>

#include <filesystem>
#include <set>
#include <string>

#include "app/core/AppState.h"
#include "app/core/ConvertModuleToWord.h"
#include "app/core/PageFile.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmMDIParent.h"
#include "app/core/tests/ServerModuleTest.h"
#include "app/editor/frmMDIChild.h"
#include "base/Files.h"
#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/formats/RtfReader.h"
#include "ui/MsgBox.h"
#include "ui/testing/UiTest.h"

namespace fs = std::filesystem;
using ui::testing::Utf8;

namespace {

class ConvertToWord : public zv_test::ServerModuleTest {
protected:
    ConvertToWord() : ServerModuleTest(fs::path(ZV_WORDPROC_DLL).wstring(), "zv_convert_word", L"Safety Basics") {}

    void SetUp() override {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Word.Application");
        ServerModuleTest::SetUp();
        if (HasFatalFailure()) return;
        App().PageList.InitLinedList();
        frame().Show();
        editor_ = &frame().NewEditorWindow();
        editor_->Show();
    }
    static frmMDIParent& frame() { return ui::Forms::Get<frmMDIParent>(); }

    // A stored page of the module with its own page size, listed at the end of the page list.
    void AddPage(const std::wstring& name, const std::wstring& text, tx::PageSetup page = {}) {
        tx::TextEngine engine;
        engine.SetSelText(text);
        engine.SetPageWidth(page.width);
        engine.SetPageHeight(page.height);
        engine.SetPageMarginB(page.marginBottom);
        WritePageFile((folder_ / name).wstring(), engine);
        App().PageList.Add_Page(name, L"Page", L"", true);
    }
    std::set<std::wstring> Files() const {
        std::set<std::wstring> names;
        for (const auto& entry : fs::directory_iterator(folder_)) names.insert(entry.path().filename().wstring());
        return names;
    }
    static std::wstring LastMessage() { return ui::test::LastMsgBox().prompt; }

    frmMDIChild* editor_ = nullptr;
};

// The document's text as the system's rich edit control reads it.
std::wstring RichEditText(const std::string& rtf) {
    LoadLibraryW(L"riched20.dll");
    HWND edit = CreateWindowExW(0, RICHEDIT_CLASSW, L"", WS_POPUP | ES_MULTILINE, 0, 0, 400, 300, nullptr, nullptr,
                                nullptr, nullptr);
    if (!edit) return L"<no rich edit>";
    SETTEXTEX set{ST_DEFAULT, CP_ACP};
    SendMessageW(edit, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set), reinterpret_cast<LPARAM>(rtf.c_str()));
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    DestroyWindow(edit);
    return text;
}

TEST_F(ConvertToWord, AThreePageModuleBecomesOneNumberedDocumentInListOrder) {
    const tx::PageSetup first{12240, 15840, 1440, 1440, 1440, 1000};
    AddPage(L"0002.txm", L"Welcome page", first);
    AddPage(L"0003.txm", L"Hazards page", tx::PageSetup{8000, 9000, 500, 500, 500, 500});
    AddPage(L"0001.txm", L"Summary page");
    App().PageList.SetPageAsCurrent(L"0003.txm");
    App().CurrentPageNo = 2;
    // What the print control last rendered.
    editor_->prtTXTextControl2.Engine().SetSelText(L"printed before");

    ui::test::AnswerNextMsgBox(ui::vbOK);
    ConvertModuleToWord(*editor_);

    const fs::path doc = folder_ / L"Safety Basics.doc";
    EXPECT_EQ(LastMessage(), L"The Module Safety Basics was converted into the Word Document " + doc.wstring());
    EXPECT_EQ(ui::test::LastMsgBox().title, L"Conversion complete");
    EXPECT_EQ(Files(), (std::set<std::wstring>{L"0001.txm", L"0002.txm", L"0003.txm", L"Safety Basics.doc"}));
    const std::string rtf = zv::ReadFileBytes(doc.wstring());
    const tx::Document read = tx::ReadRtf(rtf);
    EXPECT_EQ(read.AllText(), L"Welcome page\fHazards page\fSummary page");
    EXPECT_EQ(read.page.width, first.width);
    EXPECT_EQ(read.page.height, first.height);
    EXPECT_EQ(read.page.marginBottom, first.marginBottom);
    ASSERT_EQ(read.footer.paragraphs.size(), 1u);
    EXPECT_EQ(read.footer.paragraphs[0].text, std::wstring(1, tx::kPageNumberChar));
    EXPECT_EQ(read.footer.paragraphs[0].format.align, tx::Align::Right);
    // The footer stands inside the bottom margin.
    EXPECT_NE(rtf.find("\\footery500"), std::string::npos);
    // The editor's walk did not move.
    EXPECT_EQ(App().PageList.GetCurrentPageName(), L"0003.txm");
    EXPECT_EQ(App().CurrentPageNo, 2);

    const std::wstring shown = RichEditText(rtf);
    for (const wchar_t* page : {L"Welcome page", L"Hazards page", L"Summary page"})
        EXPECT_NE(shown.find(page), std::wstring::npos) << Utf8(shown);
    EXPECT_LT(shown.find(L"Welcome"), shown.find(L"Hazards"));
    EXPECT_LT(shown.find(L"Hazards"), shown.find(L"Summary"));
}

TEST_F(ConvertToWord, AnExistingDocumentIsReplacedWhole) {
    AddPage(L"0001.txm", L"New text");
    const fs::path doc = folder_ / L"Safety Basics.doc";
    zv::WriteFileReplacing(doc.wstring(), std::string(100000, 'x'));
    ui::test::AnswerNextMsgBox(ui::vbOK);
    ConvertModuleToWord(*editor_);
    const tx::Document read = tx::ReadRtf(zv::ReadFileBytes(doc.wstring()));
    EXPECT_EQ(read.AllText(), L"New text");
    EXPECT_EQ(Files().size(), 2u);
}

TEST_F(ConvertToWord, FailuresAreToldAndLeaveTheOldDocumentAndNoTemporaryFile) {
    const fs::path doc = folder_ / L"Safety Basics.doc";
    struct Case {
        const char* name;
        std::function<void()> arrange;
        const wchar_t* told;
    };
    const Case cases[] = {
        {"no server", [&] { Entry("DllUnregisterServer")(); }, L"no word processor is installed"},
        {"missing page", [&] { App().PageList.Add_Page(L"0009.txm", L"Page", L"", true); }, L"0009.txm"},
    };
    for (const Case& c : cases) {
        ASSERT_HRESULT_SUCCEEDED(Entry("DllRegisterServer")());
        App().PageList.InitLinedList();
        AddPage(L"0001.txm", L"Text");
        zv::WriteFileReplacing(doc.wstring(), "old document");
        c.arrange();
        ui::test::Reset();
        ui::test::AnswerNextMsgBox(ui::vbOK);
        ConvertModuleToWord(*editor_);
        EXPECT_NE(LastMessage().find(c.told), std::wstring::npos) << c.name << ": " << Utf8(LastMessage());
        EXPECT_EQ(zv::ReadFileBytes(doc.wstring()), "old document") << c.name;
        std::set<std::wstring> expected{L"0001.txm", L"Safety Basics.doc"};
        EXPECT_EQ(Files(), expected) << c.name;
        // The program goes on: the editor is still there.
        EXPECT_EQ(ActiveEditor(), editor_) << c.name;
    }
}

TEST_F(ConvertToWord, AModuleNameThatIsNoFileNameWritesInTheModuleFolder) {
    AddPage(L"0001.txm", L"Text");
    App().ModuleName = L"Ladders\\Scaffolds: CON";
    ui::test::AnswerNextMsgBox(ui::vbOK);
    ConvertModuleToWord(*editor_);
    const fs::path doc = folder_ / L"Ladders_Scaffolds_ CON.doc";
    EXPECT_TRUE(fs::exists(doc));
    EXPECT_EQ(LastMessage(), L"The Module Ladders\\Scaffolds: CON was converted into the Word Document " + doc.wstring());
    EXPECT_EQ(Files().size(), 2u);
}

}  // namespace
