#pragma once
// A document of the word-processor server: a file the text control wrote as a Word document (its
// RTF, whatever the extension), held in the text control's model, numbered, paginated with the
// text control's layout and saved back in place.

#include <string>

#include "components/textcontrol/layout/TextMeasurer.h"
#include "components/textcontrol/model/Document.h"

namespace wordproc {

// Where a page number stands in its footer line.
enum PageNumberAlignment : int {
    kAlignLeft = 0,
    kAlignCenter = 1,
    kAlignRight = 2,
    kAlignInside = 3,   // left on a single-sided page
    kAlignOutside = 4,  // right on a single-sided page
};

// The footers of a section: the server knows the primary one, on every page.
inline constexpr int kPrimaryFooter = 1;

class WordDocument {
public:
    // Reads the file; throws zv::Error naming it when it is missing, unreadable or no document.
    static WordDocument Open(const std::wstring& path);

    const std::wstring& Path() const { return path_; }
    // The name shown for the document: its file name without the folder.
    std::wstring Name() const;
    const tx::Document& Content() const { return doc_; }
    bool Saved() const { return saved_; }
    int SectionCount() const { return 1; }

    // A page number line in the primary footer, below what the footer holds already. Throws
    // zv::Error for an alignment outside 0..4 or a number left off the first page, which a
    // one-footer document cannot show.
    void AddPageNumber(int alignment, bool firstPage);
    // Lays the document out with the measurer; returns and keeps the page count.
    int Repaginate(const tx::TextMeasurer& measurer);
    // Pages as last laid out (0 before any repagination).
    int PageCount() const { return pages_; }
    // Writes the document over its file through a temporary one: a failure leaves the old file.
    void Save();

private:
    WordDocument(std::wstring path, tx::Document doc) : path_(std::move(path)), doc_(std::move(doc)) {}

    std::wstring path_;
    tx::Document doc_;
    int pages_ = 0;
    bool saved_ = true;
};

}  // namespace wordproc
