#pragma once
// Under Wine: a PostScript printer of Wine's own driver made the default printer for one test, and
// removed again. On the port "FILE:" a document goes where StartDoc names it (or the driver asks);
// on a port of its own the printer writes every document to one file without asking.

#include <string>

namespace ui::testing {

class WinePostScriptPrinter {
public:
    static constexpr wchar_t kName[] = L"Zorvik Test Printer";
    // outputFile empty: the port "FILE:". Else a port whose documents Wine's spooler copies to that
    // file (a Windows path).
    explicit WinePostScriptPrinter(const std::wstring& outputFile = L"");
    ~WinePostScriptPrinter();
    WinePostScriptPrinter(const WinePostScriptPrinter&) = delete;
    WinePostScriptPrinter& operator=(const WinePostScriptPrinter&) = delete;

    bool ok = false;  // made and the default: false outside Wine or when Wine refused

private:
    bool spoolPort_ = false;
};

// The text Ghostscript reads off a PostScript file, its pages in order ("" when it could not be read
// within a minute). It is written to "printed.txt" beside the file.
std::string PostScriptText(const std::wstring& psPath);

// The file's path as the host sees it ("" outside Wine).
std::string UnixPath(const std::wstring& windowsPath);
bool UnderWine();

}  // namespace ui::testing
