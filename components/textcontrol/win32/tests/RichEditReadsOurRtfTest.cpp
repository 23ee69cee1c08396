// Our RTF as another program reads it: the platform's RichEdit control (Wine's, under the test run)
// streams in what we write for every RTF fixture. Every word must arrive, and every list item must
// carry the label our layout shows for it.
#include <windows.h>
#include <richedit.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/Files.h"
#include "components/textcontrol/formats/RtfReader.h"
#include "components/textcontrol/formats/RtfWriter.h"
#include "components/textcontrol/layout/Layout.h"
#include "components/textcontrol/layout/TextMeasurer.h"
#include "components/textcontrol/tests/FixtureFiles.h"
#include "components/textcontrol/tests/RtfFixtures.h"

namespace tx {
namespace {

struct Label {
    WORD numbering = 0;
    WORD start = 0;
};

class RichEdit {
public:
    RichEdit() {
        library_ = LoadLibraryW(L"riched20.dll");
        window_ = CreateWindowExW(0, L"RichEdit20W", L"", WS_POPUP | ES_MULTILINE, 0, 0, 800, 600, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    ~RichEdit() {
        if (window_) DestroyWindow(window_);
        if (library_) FreeLibrary(library_);
    }
    bool Ready() const { return window_ != nullptr; }

    void StreamIn(const std::string& rtf) {
        struct Source {
            const std::string* bytes;
            size_t at;
        } source{&rtf, 0};
        EDITSTREAM es{};
        es.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
        es.pfnCallback = [](DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) -> DWORD {
            auto* s = reinterpret_cast<Source*>(cookie);
            const size_t n = std::min(static_cast<size_t>(size), s->bytes->size() - s->at);
            memcpy(buffer, s->bytes->data() + s->at, n);
            s->at += n;
            *done = static_cast<LONG>(n);
            return 0;
        };
        SendMessageW(window_, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
    }

    std::wstring Text() {
        std::string bytes;
        EDITSTREAM es{};
        es.dwCookie = reinterpret_cast<DWORD_PTR>(&bytes);
        es.pfnCallback = [](DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) -> DWORD {
            reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(size));
            *done = size;
            return 0;
        };
        SendMessageW(window_, EM_STREAMOUT, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&es));
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    }

    // The numbering of each paragraph, by its text.
    std::map<std::wstring, Label> Labels() {
        std::map<std::wstring, Label> labels;
        const std::wstring text = Text();
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find(L'\r', start);
            if (end == std::wstring::npos) end = text.size();
            SendMessageW(window_, EM_SETSEL, start, start);
            PARAFORMAT2 pf{};
            pf.cbSize = sizeof pf;
            pf.dwMask = PFM_NUMBERING | PFM_NUMBERINGSTART;
            SendMessageW(window_, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
            labels[text.substr(start, end - start)] = Label{pf.wNumbering, pf.wNumberingStart};
            start = end + 1;
            if (start < text.size() && text[start] == L'\n') ++start;
        }
        return labels;
    }

private:
    HMODULE library_ = nullptr;
    HWND window_ = nullptr;
};

std::wstring LabelText(const Label& l) {
    ParaFormat f;
    f.listKind = l.numbering == PFN_BULLET ? ListKind::Bullet : l.numbering != 0 ? ListKind::Numbered : ListKind::None;
    switch (l.numbering) {
    case PFN_LCLETTER: f.numberStyle = NumberStyle::LowerLetter; break;
    case PFN_UCLETTER: f.numberStyle = NumberStyle::UpperLetter; break;
    case PFN_LCROMAN: f.numberStyle = NumberStyle::LowerRoman; break;
    case PFN_UCROMAN: f.numberStyle = NumberStyle::UpperRoman; break;
    default: break;
    }
    return ListMarker(f, l.start);
}

TEST(RichEditReadsOurRtf, EveryFixturesTextAndListLabelsArrive) {
    RichEdit richEdit;
    ASSERT_TRUE(richEdit.Ready());
    FixedPitchMeasurer measurer;
    int labelsChecked = 0;
    for (const testing::RtfFixture& c : testing::RtfFixtures()) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        const Document d = ReadRtf(zv::ReadFileBytes(testing::FixturePath(L"rtf/" + c.name + L".rtf")));
        richEdit.StreamIn(WriteRtf(d));
        // Wine's RichEdit drops the shown text of every field, ours and other programs' alike (its
        // own copy of the office suite's file lost the link's text the same way): links aside,
        // every word arrives.
        std::wstring expected = d.AllText();
        for (auto f = d.fields.rbegin(); f != d.fields.rend(); ++f)
            expected.erase(static_cast<size_t>(f->start), static_cast<size_t>(f->length));
        EXPECT_EQ(testing::Words(richEdit.Text()), testing::Words(expected));

        Layout layout;
        layout.SetMeasurer(&measurer);
        layout.Update(d);
        const auto labels = richEdit.Labels();
        for (const PlacedParagraph& placed : layout.Paragraphs()) {
            if (placed.listMarker.empty()) continue;
            const std::wstring& text = d.paragraphs[static_cast<size_t>(placed.paragraph)].text;
            const auto found = labels.find(text);
            ASSERT_NE(found, labels.end()) << "no paragraph reads " << std::string(text.begin(), text.end());
            EXPECT_EQ(LabelText(found->second), placed.listMarker) << std::string(text.begin(), text.end());
            ++labelsChecked;
        }
    }
    EXPECT_EQ(labelsChecked, 3 * 7) << "the office suite's three files hold seven list items each";
}

}  // namespace
}  // namespace tx
