#pragma once
// The editor's hidden print control as a holder of pages for walks over the stored pages: a page
// loads with the page size and margins it was stored with and is stored whole into its file.

#include <string>

#include "app/core/PageFile.h"
#include "app/core/PageWalk.h"
#include "app/editor/frmMDIChild.h"

class TextControlPage : public PageHolder {
public:
    explicit TextControlPage(frmMDIChild& editor) : editor_(editor) {}
    tx::TextEngine& Text() { return editor_.prtTXTextControl2.Engine(); }
    void LoadPage(const std::wstring& path) override { LoadPageFile(path, Text(), true); }
    void StorePage(const std::wstring& path) override { WritePageFile(path, Text()); }
    void RemoveMovies() override { editor_.RemovePrtMovieControl(); }

private:
    frmMDIChild& editor_;
};
