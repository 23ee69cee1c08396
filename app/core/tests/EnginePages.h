#pragma once
// Pages held in real text engines, loaded from and stored into page files as the program does: the
// holders of the page walks in tests and benchmarks, without windows.

#include <optional>
#include <string>
#include <vector>

#include "app/core/PageFile.h"
#include "app/core/PageWalk.h"
#include "base/Error.h"
#include "base/Paths.h"
#include "components/textcontrol/TextEngine.h"

namespace zv_test {

inline std::string Ascii(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) s += c < 0x80 ? static_cast<char>(c) : '?';
    return s;
}

class EnginePage : public PageHolder {
public:
    tx::TextEngine text;
    std::vector<std::string> log;  // "load 0001.txm", "store 0002.txm", ...
    std::wstring refuse;           // a page file that cannot be written, as a read-only file cannot
    void LoadPage(const std::wstring& path) override {
        LoadPageFile(path, text, true);
        log.push_back("load " + Ascii(zv::LastPathPart(path)));
    }
    void StorePage(const std::wstring& path) override {
        if (!refuse.empty() && zv::LastPathPart(path) == refuse) throw zv::Error(L"Access denied: " + path);
        WritePageFile(path, text);
        log.push_back("store " + Ascii(zv::LastPathPart(path)));
    }
    void RemoveMovies() override {}
};

class EngineEditor : public PageEditor {
public:
    EnginePage page;
    bool dirty = false;
    int pageTypeQuestions = 0;  // answered with Cancel
    std::optional<std::wstring> shown;
    std::optional<bool> next, previous;
    bool Dirty() const override { return dirty; }
    void SetDirty(bool d) override { dirty = d; }
    void LoadPage(const std::wstring& path) override { page.LoadPage(path); }
    void StorePage(const std::wstring& path) override { page.StorePage(path); }
    void RemoveMovies() override {}
    void ClearPage() override { page.text.LoadFromBytes("", tx::kFormatText); }
    PageTypeAnswer AskPageType(const PageTypeQuestion&, const PageStore&) override {
        ++pageTypeQuestions;
        return PageTypeAnswer::Cancelled;
    }
    void ShowPageName(const std::wstring& name) override { shown = name; }
    void EnableNext(bool on) override { next = on; }
    void EnablePrevious(bool on) override { previous = on; }
    void RefreshToolbar() override {}
};

}  // namespace zv_test
