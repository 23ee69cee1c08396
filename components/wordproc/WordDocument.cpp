#include "components/wordproc/WordDocument.h"

#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "components/textcontrol/formats/RtfReader.h"
#include "components/textcontrol/formats/RtfWriter.h"
#include "components/textcontrol/layout/Layout.h"

namespace wordproc {

WordDocument WordDocument::Open(const std::wstring& path) {
    if (path.empty()) throw zv::Error(L"No file name was given.");
    if (!zv::FileExists(path)) throw zv::Error(L"The file " + path + L" does not exist.");
    const std::string bytes = zv::ReadFileBytes(path);
    // A Word document of the text control is RTF whatever its name says; anything else is refused
    // rather than read as text.
    if (bytes.compare(0, 5, "{\\rtf") != 0) throw zv::Error(L"The file " + path + L" is not a document.");
    try {
        return WordDocument(path, tx::ReadRtf(bytes));
    } catch (const zv::Error& e) {
        throw zv::Error(L"The file " + path + L" is not a readable document: " + e.Description());
    }
}

std::wstring WordDocument::Name() const { return zv::LastPathPart(path_); }

void WordDocument::AddPageNumber(int alignment, bool firstPage) {
    if (alignment < kAlignLeft || alignment > kAlignOutside)
        throw zv::Error(L"The page number alignment " + std::to_wstring(alignment) + L" is not one of 0 to 4.");
    if (!firstPage) throw zv::Error(L"A page number left off the first page needs a first-page footer, which this document has not.");
    tx::ParaFormat format;
    format.align = alignment == kAlignCenter                                 ? tx::Align::Center
                   : alignment == kAlignLeft || alignment == kAlignInside ? tx::Align::Left
                                                                            : tx::Align::Right;
    tx::Story& footer = doc_.EditStory(false);
    tx::Paragraph line = doc_.NewParagraph(format);
    line.text.assign(1, tx::kPageNumberChar);
    line.formats.assign(1, 0);
    footer.paragraphs.push_back(std::move(line));
    saved_ = false;
}

int WordDocument::Repaginate(const tx::TextMeasurer& measurer) {
    tx::Layout layout;
    layout.SetMeasurer(&measurer);
    layout.Update(doc_);
    pages_ = layout.PageCount();
    return pages_;
}

void WordDocument::Save() {
    zv::WriteFileReplacing(path_, tx::WriteRtf(doc_));
    saved_ = true;
}

}  // namespace wordproc
