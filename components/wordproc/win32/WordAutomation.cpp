#include "components/wordproc/win32/WordAutomation.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/Error.h"
#include "com/Automation.h"
#include "components/textcontrol/win32/GdiMeasurer.h"
#include "components/wordproc/WordDocument.h"
#include "components/wordproc/win32/WordProcIdl.h"
#include "ui/Twips.h"

namespace wordproc {

namespace {

using Microsoft::WRL::ComPtr;
using zvcom::AutomationObject;

constexpr wchar_t kSource[] = L"WordProc";

// Saving choices of Close and Quit: save, or not. The server never prompts, so "ask" does not save.
constexpr long kSaveChanges = -1;

struct OpenDocument {
    explicit OpenDocument(WordDocument d) : doc(std::move(d)) {}
    WordDocument doc;
    bool closed = false;
};

struct Session {
    std::vector<std::shared_ptr<OpenDocument>> documents;
    bool quit = false;

    void CheckRunning() const {
        if (quit) throw zv::Error(L"The application has quit.");
    }
    void Close(const std::shared_ptr<OpenDocument>& d, bool save) {
        if (save && !d->closed) d->doc.Save();
        d->closed = true;
        std::erase(documents, d);
    }
};

WordDocument& Live(const std::shared_ptr<OpenDocument>& d) {
    if (d->closed) throw zv::Error(L"The document has been closed.");
    return d->doc;
}

void NoSuchMember(long index, long count) {
    throw zv::Error(L"The requested member of the collection does not exist: " + std::to_wstring(index) +
                    L" of " + std::to_wstring(count) + L".");
}

// An optional argument's value, or the default when it was left out.
long OptionalLong(const VARIANT& value, long fallback, const wchar_t* name) {
    if (value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND) return fallback;
    if (value.vt == VT_EMPTY) return fallback;
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, VT_I4)))
        throw zv::Error(std::wstring(L"The argument ") + name + L" is not a number.");
    return converted.lVal;
}

std::wstring TextArgument(const VARIANT& value, const wchar_t* name) {
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, VT_BSTR)))
        throw zv::Error(std::wstring(L"The argument ") + name + L" is not a text.");
    std::wstring text(converted.bstrVal ? converted.bstrVal : L"", SysStringLen(converted.bstrVal));
    VariantClear(&converted);
    return text;
}

template <class Object, class Interface, class... Args>
HRESULT Hand(Interface** out, Args&&... args) {
    if (!out) return E_POINTER;
    ComPtr<Object> object;
    object.Attach(new Object(std::forward<Args>(args)...));
    *out = object.Detach();
    return S_OK;
}

// ---- page numbers, footers, sections ----

class PageNumbers : public AutomationObject<IWordPageNumbers> {
public:
    explicit PageNumbers(std::shared_ptr<OpenDocument> d)
        : AutomationObject(IID_IWordPageNumbers, kSource), d_(std::move(d)) {}

    HRESULT STDMETHODCALLTYPE Add(VARIANT alignment, VARIANT firstPage) override {
        return Member([&] {
            WordDocument& doc = Live(d_);
            const long align = OptionalLong(alignment, kAlignRight, L"PageNumberAlignment");
            const bool first = OptionalLong(firstPage, -1, L"FirstPage") != 0;
            doc.AddPageNumber(static_cast<int>(align), first);
        });
    }
    HRESULT STDMETHODCALLTYPE get_Count(long* count) override {
        return Member([&] {
            const tx::Story& footer = Live(d_).Content().footer;
            long n = 0;
            for (const auto& p : footer.paragraphs) n += static_cast<long>(std::count(p.text.begin(), p.text.end(), tx::kPageNumberChar));
            zvcom::Out(count, n);
        });
    }

private:
    std::shared_ptr<OpenDocument> d_;
};

class HeaderFooter : public AutomationObject<IWordHeaderFooter> {
public:
    HeaderFooter(std::shared_ptr<OpenDocument> d, long index)
        : AutomationObject(IID_IWordHeaderFooter, kSource), d_(std::move(d)), index_(index) {}

    HRESULT STDMETHODCALLTYPE get_PageNumbers(IWordPageNumbers** out) override {
        return Member([&] {
            Live(d_);
            Check(Hand<PageNumbers>(out, d_));
        });
    }
    HRESULT STDMETHODCALLTYPE get_Index(long* index) override { return zvcom::Out(index, index_); }

private:
    static void Check(HRESULT hr) {
        if (FAILED(hr)) throw zv::Error(L"The page numbers cannot be handed out.");
    }
    std::shared_ptr<OpenDocument> d_;
    long index_;
};

class HeadersFooters : public AutomationObject<IWordHeadersFooters> {
public:
    explicit HeadersFooters(std::shared_ptr<OpenDocument> d)
        : AutomationObject(IID_IWordHeadersFooters, kSource), d_(std::move(d)) {}

    HRESULT STDMETHODCALLTYPE Item(long index, IWordHeaderFooter** out) override {
        return Member([&] {
            Live(d_);
            if (index != kPrimaryFooter) NoSuchMember(index, 1);
            if (FAILED(Hand<HeaderFooter>(out, d_, index))) throw zv::Error(L"The footer cannot be handed out.");
        });
    }
    HRESULT STDMETHODCALLTYPE get_Count(long* count) override { return zvcom::Out(count, 1); }

private:
    std::shared_ptr<OpenDocument> d_;
};

class Section : public AutomationObject<IWordSection> {
public:
    Section(std::shared_ptr<OpenDocument> d, long index)
        : AutomationObject(IID_IWordSection, kSource), d_(std::move(d)), index_(index) {}

    HRESULT STDMETHODCALLTYPE get_Footers(IWordHeadersFooters** out) override {
        return Member([&] {
            Live(d_);
            if (FAILED(Hand<HeadersFooters>(out, d_))) throw zv::Error(L"The footers cannot be handed out.");
        });
    }
    HRESULT STDMETHODCALLTYPE get_Index(long* index) override { return zvcom::Out(index, index_); }

private:
    std::shared_ptr<OpenDocument> d_;
    long index_;
};

class Sections : public AutomationObject<IWordSections> {
public:
    explicit Sections(std::shared_ptr<OpenDocument> d) : AutomationObject(IID_IWordSections, kSource), d_(std::move(d)) {}

    HRESULT STDMETHODCALLTYPE Item(long index, IWordSection** out) override {
        return Member([&] {
            const int count = Live(d_).SectionCount();
            if (index < 1 || index > count) NoSuchMember(index, count);
            if (FAILED(Hand<Section>(out, d_, index))) throw zv::Error(L"The section cannot be handed out.");
        });
    }
    HRESULT STDMETHODCALLTYPE get_Count(long* count) override {
        return Member([&] { zvcom::Out(count, Live(d_).SectionCount()); });
    }

private:
    std::shared_ptr<OpenDocument> d_;
};

// ---- documents ----

class Document : public AutomationObject<IWordDocument> {
public:
    Document(std::shared_ptr<Session> session, std::shared_ptr<OpenDocument> d)
        : AutomationObject(IID_IWordDocument, kSource), session_(std::move(session)), d_(std::move(d)) {}

    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
        return Member([&] { zvcom::OutText(name, Live(d_).Name()); });
    }
    HRESULT STDMETHODCALLTYPE get_FullName(BSTR* name) override {
        return Member([&] { zvcom::OutText(name, Live(d_).Path()); });
    }
    HRESULT STDMETHODCALLTYPE get_Sections(IWordSections** out) override {
        return Member([&] {
            Live(d_);
            if (FAILED(Hand<Sections>(out, d_))) throw zv::Error(L"The sections cannot be handed out.");
        });
    }
    HRESULT STDMETHODCALLTYPE Repaginate() override {
        return Member([&] {
            // Pages break where the screen's fonts end their lines, as the text control lays them out.
            const tx::GdiMeasurer measurer(ui::ScreenDpiX());
            Live(d_).Repaginate(measurer);
        });
    }
    HRESULT STDMETHODCALLTYPE Save() override {
        return Member([&] { Live(d_).Save(); });
    }
    HRESULT STDMETHODCALLTYPE Close(VARIANT saveChanges, VARIANT, VARIANT) override {
        return Member([&] {
            Live(d_);
            session_->Close(d_, OptionalLong(saveChanges, 0, L"SaveChanges") == kSaveChanges);
        });
    }
    HRESULT STDMETHODCALLTYPE get_Saved(VARIANT_BOOL* saved) override {
        return Member([&] { zvcom::Out(saved, zvcom::OleBool(Live(d_).Saved())); });
    }
    HRESULT STDMETHODCALLTYPE get_PageCount(long* count) override {
        return Member([&] { zvcom::Out(count, Live(d_).PageCount()); });
    }

private:
    std::shared_ptr<Session> session_;
    std::shared_ptr<OpenDocument> d_;
};

class Documents : public AutomationObject<IWordDocuments> {
public:
    explicit Documents(std::shared_ptr<Session> session)
        : AutomationObject(IID_IWordDocuments, kSource), session_(std::move(session)) {}

    HRESULT STDMETHODCALLTYPE Item(VARIANT index, IWordDocument** out) override {
        return Member([&] {
            session_->CheckRunning();
            const long count = static_cast<long>(session_->documents.size());
            std::shared_ptr<OpenDocument> found;
            if (index.vt == VT_BSTR) {
                const std::wstring name(index.bstrVal ? index.bstrVal : L"");
                for (const auto& d : session_->documents)
                    if (_wcsicmp(d->doc.Name().c_str(), name.c_str()) == 0 || _wcsicmp(d->doc.Path().c_str(), name.c_str()) == 0)
                        found = d;
                if (!found) throw zv::Error(L"No open document is named " + name + L".");
            } else {
                const long n = OptionalLong(index, 0, L"Index");
                if (n < 1 || n > count) NoSuchMember(n, count);
                found = session_->documents[static_cast<size_t>(n - 1)];
            }
            if (FAILED(Hand<Document>(out, session_, found))) throw zv::Error(L"The document cannot be handed out.");
        });
    }
    HRESULT STDMETHODCALLTYPE get_Count(long* count) override {
        return Member([&] { zvcom::Out(count, session_->quit ? 0 : session_->documents.size()); });
    }
    HRESULT STDMETHODCALLTYPE Open(VARIANT fileName, VARIANT, VARIANT, VARIANT, IWordDocument** out) override {
        return Member([&] {
            session_->CheckRunning();
            const std::wstring path = TextArgument(fileName, L"FileName");
            // A document already open is that document again, not a second copy of its file.
            std::shared_ptr<OpenDocument> found;
            for (const auto& d : session_->documents)
                if (_wcsicmp(d->doc.Path().c_str(), path.c_str()) == 0) found = d;
            if (!found) {
                found = std::make_shared<OpenDocument>(WordDocument::Open(path));
                session_->documents.push_back(found);
            }
            if (FAILED(Hand<Document>(out, session_, found))) throw zv::Error(L"The document cannot be handed out.");
        });
    }

private:
    std::shared_ptr<Session> session_;
};

// ---- the application ----

class Application : public AutomationObject<IWordApplication> {
public:
    Application() : AutomationObject(IID_IWordApplication, kSource), session_(std::make_shared<Session>()) {}
    ~Application() override {
        // Released without Quit: the documents close unsaved, as Quit without arguments does.
        for (const auto& d : session_->documents) d->closed = true;
        session_->documents.clear();
    }

    HRESULT STDMETHODCALLTYPE get_Documents(IWordDocuments** out) override {
        return Member([&] {
            session_->CheckRunning();
            if (FAILED(Hand<Documents>(out, session_))) throw zv::Error(L"The documents cannot be handed out.");
        });
    }
    HRESULT STDMETHODCALLTYPE Quit(VARIANT saveChanges, VARIANT, VARIANT) override {
        return Member([&] {
            session_->CheckRunning();
            const bool save = OptionalLong(saveChanges, 0, L"SaveChanges") == kSaveChanges;
            // Every document is saved first, so a failed save leaves the application running with
            // all its documents.
            if (save)
                for (const auto& d : session_->documents) d->doc.Save();
            while (!session_->documents.empty()) {
                const std::shared_ptr<OpenDocument> last = session_->documents.back();
                session_->Close(last, false);
            }
            session_->quit = true;
        });
    }
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override { return zvcom::OutText(name, L"Word Processor"); }
    HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* visible) override {
        return zvcom::Out(visible, VARIANT_FALSE);
    }
    HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL) override { return S_OK; }

private:
    std::shared_ptr<Session> session_;
};

}  // namespace

HRESULT CreateWordApplication(REFIID iid, void** out) { return AutomationObject<IWordApplication>::Create<Application>(iid, out); }

}  // namespace wordproc
