// The page type dialog as the author meets it at each showing: the form stays loaded and hidden
// between questions, and every showing must look as a freshly loaded form prepared for that
// question would, whatever the author did in the one before.
#include <gtest/gtest.h>

#include <string>

#include "app/core/frmPageTypeDlg.h"
#include "app/core/tests/FrameTest.h"
#include "ui/TestHooks.h"

namespace {

using zv_test::FrameTest;

// What the author sees when the dialog comes up.
struct Shown {
    int option = -1;
    std::wstring topic;
    bool topicEnabled = false, labelEnabled = false, cancelEnabled = false;
    long selStart = -1, selLength = -1;
    std::wstring moduleName;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << "option " << s.option << ", topic \"" << ui::testing::Utf8(s.topic) << "\" (" << (s.topicEnabled ? "on" : "off")
        << ", label " << (s.labelEnabled ? "on" : "off") << ", selected " << s.selStart << "+" << s.selLength
        << "), cancel " << (s.cancelEnabled ? "on" : "off") << ", module \"" << ui::testing::Utf8(s.moduleName) << "\"";
}

Shown WhatShows(frmPageTypeDlg& d) {
    Shown s;
    for (int i = 0; i < 3; ++i)
        if (d.optPageType[i].Value()) s.option = i;
    s.topic = d.Text1.Text();
    s.topicEnabled = d.Text1.Enabled();
    s.labelEnabled = d.Label1.Enabled();
    s.cancelEnabled = d.Command2.Enabled();
    s.selStart = d.Text1.SelStart();
    s.selLength = d.Text1.SelLength();
    s.moduleName = d.ModName.Text();
    return s;
}

TEST_F(FrameTest, EachShowingOfThePageTypeDialogLooksAsIfNewlyLoaded) {
    App().ModuleName = L"Course";
    using Q = PageTypeQuestion;
    struct Case {
        const char* what;
        Q question;
        Shown expected;
        // What the author does before leaving the dialog (then Save Page, or Cancel when it can).
        void (*author)(frmPageTypeDlg&);
    };
    const Case cases[] = {
        {"the module's first page", {L"", Q::kNewTopic, L"Enter Topic Name", false},
         {Q::kNewTopic, L"Enter Topic Name", true, true, false, 0, 16, L"Course"},
         [](frmPageTypeDlg& d) { ui::test::Type(d.Text1, L"Intro"); }},
        {"a content page after a topic was typed", {L"0002.txm", Q::kContentPage, L"", true},
         {Q::kContentPage, L"", false, false, true, 0, 0, L"Course"},
         [](frmPageTypeDlg& d) {
             ui::test::Click(d.optPageType[Q::kNewTopic]);
             ui::test::Type(d.Text1, L"left behind");
         }},
        {"a topic page of its own name", {L"", Q::kNewTopic, L"Chapter", true},
         {Q::kNewTopic, L"Chapter", true, true, true, 0, 0, L"Course"},
         [](frmPageTypeDlg& d) { ui::test::Click(d.optPageType[Q::kModuleTest]); }},
        {"a test page after the author chose a test", {L"", Q::kModuleTest, L"", true},
         {Q::kModuleTest, L"", false, false, true, 0, 0, L"Course"},
         [](frmPageTypeDlg& d) { ui::test::Type(d.ModName, L"Renamed"); }},
        {"the same topic page twice, the first time retyped", {L"", Q::kNewTopic, L"Chapter", true},
         {Q::kNewTopic, L"Chapter", true, true, true, 0, 0, L"Renamed"},
         [](frmPageTypeDlg& d) {
             ui::test::Type(d.Text1, L"Other");
             d.Text1.SetSelStart(2);
         }},
        {"the same topic page again", {L"", Q::kNewTopic, L"Chapter", true},
         {Q::kNewTopic, L"Chapter", true, true, true, 0, 0, L"Renamed"},
         [](frmPageTypeDlg& d) { d.Text1.SetSelStart(3); }},
        {"the same topic page, the caret left inside its name", {L"", Q::kNewTopic, L"Chapter", true},
         {Q::kNewTopic, L"Chapter", true, true, true, 0, 0, L"Renamed"}, nullptr},
        {"the first page again after topics", {L"", Q::kNewTopic, L"Enter Topic Name", false},
         {Q::kNewTopic, L"Enter Topic Name", true, true, false, 0, 16, L"Renamed"}, nullptr},
    };
    frmPageTypeDlg dialog;
    bool cancel = false;
    for (const Case& c : cases) {
        ui::test::OnNextModal<frmPageTypeDlg>([&](frmPageTypeDlg& d) {
            EXPECT_EQ(WhatShows(d), c.expected) << c.what;
            if (c.author) c.author(d);
            // Both ways out, in turn, where the question has a Cancel.
            cancel = !cancel;
            ui::test::Click(cancel && d.Command2.Enabled() ? d.Command2 : d.btnSave);
        });
        dialog.Ask(c.question, [](const std::wstring&, const std::wstring&) {});
    }
    dialog.Unload();
}

}  // namespace
