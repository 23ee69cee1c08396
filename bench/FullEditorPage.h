#pragma once
// The page the program's benchmarks work on: the editor's page filled with paragraphs of mixed
// formatting until one more would spill onto a second page. Pages of other seeds differ in text.

#include <algorithm>
#include <string>

#include "app/editor/frmMDIChild.h"
#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/FormatCodes.h"

namespace bench {

inline tx::TextEngine FullPage(int seed) {
    tx::TextEngine page;
    page.SetPageWidth(kEditorPageWidth);
    page.SetPageHeight(kEditorPageHeight);
    const std::wstring sentence =
        L"Readers of the web skim before they read, so the point of a page goes first and each paragraph stays short. ";
    for (int i = 0;; ++i) {
        tx::TextEngine trial;
        trial.LoadFromBytes(page.SaveToBytes(tx::kFormatOwn), tx::kFormatOwn);
        page.SetSelStart(page.TextLength());
        page.SetSelText((i == 0 ? L"" : L"\n") + std::to_wstring(seed) + L". " + sentence + sentence);
        page.SetSelStart(std::max(0, page.TextLength() - 40));
        page.SetSelLength(12);
        page.SetBold(true);
        if (page.PageCount() > 1) return trial;
    }
}

}  // namespace bench
