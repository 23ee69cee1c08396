// Target: a full page written as PDF in under 20 ms (its fonts embedded and cut down, its streams
// compressed); the file's size is reported. The font files are read once per process, as the
// control keeps its font source from one export to the next.
#include <benchmark/benchmark.h>

#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/formats/PdfFonts.h"
#include "components/textcontrol/formats/PdfWriter.h"
#include "components/textcontrol/formats/TxmFormat.h"
#include "components/textcontrol/tests/Fixtures.h"
#include "components/textcontrol/tests/TestPictures.h"

namespace {

// The benchmark page (20 paragraphs with 30 links, bold words, a 3 x 4 table, a picture), a JPEG,
// a header and a footer with its page number, then ordinary paragraphs until one more would start
// a second page.
tx::Document FullPage() {
    tx::PdfFonts fonts(tx::FolderFontSource::Default());
    tx::TextEngine e;
    e.SetMeasurer(&fonts);
    e.LoadFromBytes(tx::WriteTxm(tx::testing::BenchmarkPage()), tx::kFormatOwn);
    e.SetSelStart(e.TextLength());
    e.SetSelText(L"\nA picture: ");
    e.ObjectInsertImage(tx::testing::kRedJpeg, false, -1, 0, 400, 400);
    e.SetHeaderText(L"Module 000001: the benchmark page");
    e.SetFooterText(std::wstring(L"Page ") + tx::kPageNumberChar);
    for (int i = 0; e.PageCount() == 1 && i < 500; ++i) {
        e.SetSelStart(e.TextLength());
        e.SetSelText(L"\nAn ordinary paragraph of running text, long enough to wrap onto a second line of the page, number " +
                     std::to_wstring(i) + L".");
    }
    if (e.PageCount() > 1) e.Undo();  // the paragraph that began the second page
    return e.Doc();
}

void PdfOfAFullPage(benchmark::State& state) {
    const tx::Document page = FullPage();
    std::size_t size = 0;
    for (auto _ : state) size = tx::WritePdf(page).size();
    state.counters["bytes"] = static_cast<double>(size);
    state.counters["paragraphs"] = page.ParagraphCount();
}
BENCHMARK(PdfOfAFullPage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
