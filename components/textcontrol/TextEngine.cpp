#include "components/textcontrol/TextEngine.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>

#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "components/textcontrol/formats/HtmlReader.h"
#include "components/textcontrol/formats/HtmlWriter.h"
#include "components/textcontrol/formats/OdtWriter.h"
#include "components/textcontrol/formats/PdfWriter.h"
#include "components/textcontrol/formats/PlainText.h"
#include "components/textcontrol/formats/RtfReader.h"
#include "components/textcontrol/formats/RtfWriter.h"
#include "components/textcontrol/formats/TxmFormat.h"
#include "components/textcontrol/model/ImageInfo.h"
#include "components/textcontrol/model/Limits.h"

namespace tx {

namespace {

constexpr int kDefaultWindowedSize = 1440;

std::wstring WithoutBreaks(std::wstring_view text) {
    std::wstring out(text);
    for (auto& c : out)
        if (c == L'\r' || c == L'\n') c = L' ';
    return out;
}

}  // namespace

TextEngine::TextEngine() {
    // Links survive a load unless a caller asks for their text only.
    attributes_[attr::kImportLinks] = 1;
}

void TextEngine::SetMeasurer(const TextMeasurer* measurer) {
    layout_.SetMeasurer(measurer);
    layoutDirty_ = true;
}

void TextEngine::Notify(ChangeKind kind) {
    if (kind != ChangeKind::Selection) layoutDirty_ = true;
    if (events_) events_->Changed(kind);
}

void TextEngine::Record(EditKind kind) { undo_.Record(doc_, kind, selStart_, selLength_); }

void TextEngine::Begin(EditKind kind) { undo_.Begin(doc_, kind, selStart_, selLength_); }

void TextEngine::ClampSelection() {
    const int length = doc_.Length();
    selStart_ = std::clamp(selStart_, 0, length);
    selLength_ = std::clamp(selLength_, 0, length - selStart_);
    if (currentField_ && !doc_.FindField(currentField_)) currentField_ = 0;
    if (currentObject_ && !doc_.FindObject(currentObject_)) currentObject_ = 0;
}

const Layout& TextEngine::GetLayout() {
    if (layoutDirty_) {
        layout_.Update(doc_);
        layoutDirty_ = false;
    }
    return layout_;
}

// ---------------------------------------------------------------- files

Document TextEngine::ParseDocument(std::string_view bytes, int format, std::wstring_view folder) const {
    switch (format) {
    case kFormatOwn: return ReadTxm(bytes);
    case kFormatHtml: {
        HtmlOptions options;
        options.importLinks = attributes_[attr::kImportLinks] != 0;
        // A page's pictures are the files beside it; a bytes-only load has no "beside".
        if (!folder.empty()) {
            options.readImage = [folder = std::wstring(folder)](const std::wstring& name) -> std::optional<std::string> {
                std::wstring path = folder;
                size_t start = 0;
                while (start <= name.size()) {
                    size_t end = name.find_first_of(L"/\\", start);
                    if (end == std::wstring::npos) end = name.size();
                    path = zv::JoinPath(path, name.substr(start, end - start));
                    start = end + 1;
                }
                std::error_code ec;
                const auto size = std::filesystem::file_size(zv::FsPath(path), ec);
                if (ec || size > limits::kMaxImageBytes) return std::nullopt;
                try {
                    return zv::ReadFileBytes(path);
                } catch (const zv::Error&) {
                    return std::nullopt;
                }
            };
        }
        return ReadHtml(bytes, options);
    }
    case kFormatRtf: return ReadRtf(bytes, attributes_[attr::kImportLinks] != 0);
    case kFormatText: return ReadPlainText(bytes, doc_.charFormats[0]);
    default:
        throw zv::Error(L"The text control cannot load documents of format " + std::to_wstring(format) + L".");
    }
}

void TextEngine::Load(std::wstring_view path, std::int64_t offset, int format, bool insert) {
    if (offset < 0) throw zv::Error(L"The load offset " + std::to_wstring(offset) + L" is negative.");
    const std::string bytes = zv::ReadFileBytes(path);
    if (static_cast<std::uint64_t>(offset) > bytes.size())
        throw zv::Error(L"The file " + std::wstring(path) + L" is shorter than " + std::to_wstring(offset) + L" bytes.");
    LoadDocument(ParseDocument(std::string_view(bytes).substr(static_cast<size_t>(offset)), format, zv::ParentFolder(path)),
                 format, insert);
}

void TextEngine::LoadFromBytes(std::string_view bytes, int format, bool insert) {
    LoadDocument(ParseDocument(bytes, format, {}), format, insert);
}

void TextEngine::LoadDocument(Document loaded, int format, bool insert) {
    const bool carriesPage = format == kFormatOwn || format == kFormatRtf;
    const PageSetup& stored = loaded.page;
    const int pageValues[6] = {stored.width, stored.height, stored.marginLeft, stored.marginTop, stored.marginRight,
                               stored.marginBottom};
    for (int i = 0; i < 6; ++i) attributes_[i] = carriesPage ? pageValues[i] : 0;

    const int firstNewObject = insert ? doc_.nextObjectId : 1;
    if (insert) {
        Record(EditKind::Typing);
        if (selLength_ > 0) doc_.Delete(selStart_, selLength_);
        selLength_ = 0;
        selStart_ += doc_.InsertDocument(selStart_, loaded);
        ClampSelection();
        Notify(ChangeKind::Text);
    } else {
        if (!carriesPage || attributes_[attr::kApplyStoredPage] == 0) loaded.page = doc_.page;
        ReplaceDocument(std::move(loaded));
    }
    RestoreWindowedObjects(firstNewObject);
}

void TextEngine::ReplaceDocument(Document document) {
    document.stampCounter = std::max(document.stampCounter, doc_.stampCounter);
    // Stamps of the new document must not collide with those the layout cached for the old one.
    for (auto* story : {&document.paragraphs, &document.header.paragraphs, &document.footer.paragraphs})
        for (auto& p : *story) p.stamp = ++document.stampCounter;
    doc_ = std::move(document);
    ++documentsLoaded_;
    // Ids start again in the new document: a pending name would land on another object.
    awaitingNames_.clear();
    undo_.Clear(doc_);
    selStart_ = selLength_ = 0;
    currentField_ = currentObject_ = 0;
    inputFormat_.reset();
    lastMatch_ = -1;
    Notify(ChangeKind::Document);
}

void TextEngine::RestoreWindowedObjects(int firstId) {
    if (!events_) return;
    for (size_t i = 0; i < doc_.objects.size(); ++i) {
        if (doc_.objects[i].kind != ObjectKind::Windowed || doc_.objects[i].id < firstId) continue;
        const int id = doc_.objects[i].id;
        std::uintptr_t window = 0;
        events_->HostWindowRequest(id, window);
        if (Object* o = doc_.EditObject(id)) {
            o->hostWindow = window;
            const std::wstring name = o->name;
            events_->ObjectRestored(id, name);
        }
    }
}

Document TextEngine::Selection() const {
    Document slice = doc_;
    const int end = selStart_ + selLength_;
    slice.Delete(end, slice.Length() - end);
    slice.Delete(0, selStart_);
    return slice;
}

std::string TextEngine::SaveToBytes(int format, bool selectionOnly) const {
    Document slice;
    const Document* source = &doc_;
    if (selectionOnly) {
        slice = Selection();
        source = &slice;
    }
    switch (format) {
    case kFormatOwn: return WriteTxm(*source);
    case kFormatRtf:
    case kFormatWord: return WriteRtf(*source);
    case kFormatText: return EncodePlainText(source->AllText());
    case kFormatHtml: {
        Document withoutPictures = *source;
        withoutPictures.objects.erase(std::remove_if(withoutPictures.objects.begin(), withoutPictures.objects.end(),
                                                     [](const Object& o) { return o.kind == ObjectKind::Image; }),
                                      withoutPictures.objects.end());
        return WriteHtml(withoutPictures, L"").html;
    }
    case kFormatXml: return WriteOdt(*source);
    case kFormatCss: return WriteCss(*source);
    case kFormatPdf: return WritePdf(*source, DefaultPdfOptions());
    default:
        throw zv::Error(L"The text control cannot save documents in format " + std::to_wstring(format) + L".");
    }
}

void TextEngine::Save(std::wstring_view path, std::int64_t offset, int format, bool selectionOnly) {
    if (offset < 0) throw zv::Error(L"The save offset " + std::to_wstring(offset) + L" is negative.");
    NameNewObjects();
    std::string content;
    if (format == kFormatHtml) {
        Document slice;
        const Document& source = selectionOnly ? (slice = Selection()) : doc_;
        const std::wstring folder = HtmlPictureFolder(path);
        HtmlPage page = WriteHtml(source, folder);
        if (!page.pictures.empty()) {
            const std::wstring pictures = zv::JoinPath(zv::ParentFolder(path), folder);
            std::error_code ec;
            std::filesystem::create_directories(zv::FsPath(pictures), ec);
            if (ec && !zv::FolderExists(pictures))
                throw zv::Error(L"The folder " + pictures + L" for the page's pictures cannot be made.");
            for (const HtmlPicture& picture : page.pictures)
                zv::WriteFileReplacing(zv::JoinPath(pictures, zv::LastPathPart(picture.name)), picture.bytes);
        }
        content = std::move(page.html);
    } else {
        content = SaveToBytes(format, selectionOnly);
    }
    std::string bytes;
    if (offset > 0) {
        // The caller's own bytes before the offset (the page file header) stay as they are.
        if (zv::FileExists(path)) bytes = zv::ReadFileBytes(path).substr(0, static_cast<size_t>(offset));
        bytes.resize(static_cast<size_t>(offset), '\0');
    }
    bytes += content;
    zv::WriteFileReplacing(path, bytes);
}

int TextEngine::LoadSaveAttribute(int index) const {
    return index >= 0 && index < attr::kCount ? attributes_[index] : 0;
}

void TextEngine::SetLoadSaveAttribute(int index, int value) {
    if (index >= 0 && index < attr::kCount) attributes_[index] = value;
}

// ---------------------------------------------------------------- page

void TextEngine::SetPage(int PageSetup::*member, int twips) {
    const bool size = member == &PageSetup::width || member == &PageSetup::height;
    twips = std::clamp(twips, size ? 1 : 0, limits::kMaxTwips);
    if (doc_.page.*member == twips) return;
    doc_.page.*member = twips;
    Notify(ChangeKind::Format);
}

void TextEngine::SetPageWidth(int twips) { SetPage(&PageSetup::width, twips); }
void TextEngine::SetPageHeight(int twips) { SetPage(&PageSetup::height, twips); }
void TextEngine::SetPageMarginL(int twips) { SetPage(&PageSetup::marginLeft, twips); }
void TextEngine::SetPageMarginT(int twips) { SetPage(&PageSetup::marginTop, twips); }
void TextEngine::SetPageMarginR(int twips) { SetPage(&PageSetup::marginRight, twips); }
void TextEngine::SetPageMarginB(int twips) { SetPage(&PageSetup::marginBottom, twips); }

// ---------------------------------------------------------------- selection and text

void TextEngine::SetSelStart(int start) {
    selStart_ = std::clamp(start, 0, doc_.Length());
    selLength_ = 0;
    undo_.Break();
    Notify(ChangeKind::Selection);
}

void TextEngine::SetSelLength(int length) {
    const int rest = doc_.Length() - selStart_;
    selLength_ = length < 0 ? rest : std::min(length, rest);
    undo_.Break();
    Notify(ChangeKind::Selection);
}

void TextEngine::Select(int anchor, int caret) {
    const int length = doc_.Length();
    anchor = std::clamp(anchor, 0, length);
    caret = std::clamp(caret, 0, length);
    selStart_ = std::min(anchor, caret);
    selLength_ = std::abs(caret - anchor);
    backward_ = caret < anchor;
    backwardStart_ = selStart_;
    backwardLength_ = selLength_;
    undo_.Break();
    Notify(ChangeKind::Selection);
}

void TextEngine::MoveCaret(CaretMove move, bool extend, const CaretView& view) {
    const bool vertical = move == CaretMove::LineUp || move == CaretMove::LineDown || move == CaretMove::ScreenUp ||
                          move == CaretMove::ScreenDown;
    const int caret = SelCaret(), anchor = SelAnchor();
    const int goal = vertical && goalCaret_ == caret ? goalX_ : -1;
    const CaretTarget target = MoveTarget(doc_, GetLayout(), anchor, caret, move, extend, goal, view);
    Select(extend ? anchor : target.position, target.position);
    goalX_ = vertical ? target.goalX : -1;
    goalCaret_ = vertical ? SelCaret() : -1;
}

std::wstring TextEngine::SelText() const { return doc_.Text(selStart_, selLength_); }

std::uint32_t TextEngine::InputFormatIndex() {
    if (inputFormat_ && inputFormatCaret_ == selStart_) return doc_.InternFormat(*inputFormat_);
    const Location loc = doc_.Locate(selStart_);
    const auto& p = doc_.paragraphs[static_cast<size_t>(loc.paragraph)];
    if (p.formats.empty()) return 0;
    return p.formats[static_cast<size_t>(std::max(loc.offset - 1, 0))];
}

CharFormat TextEngine::CurrentFormat() const {
    if (selLength_ == 0 && inputFormat_ && inputFormatCaret_ == selStart_) return *inputFormat_;
    const Location loc = doc_.Locate(selStart_);
    const int offset = selLength_ > 0 ? loc.offset : loc.offset - 1;
    return doc_.FormatAt(loc.paragraph, std::max(offset, 0));
}

void TextEngine::ReplaceSelection(std::wstring_view text, EditKind kind) {
    const bool merge = kind == EditKind::Typing && selLength_ == 0 && undo_.ContinuesTyping(selStart_);
    if (merge) undo_.DropRedo();
    else Record(kind);
    const std::uint32_t format = InputFormatIndex();
    if (selLength_ > 0) doc_.Delete(selStart_, selLength_);
    selLength_ = 0;
    selStart_ += doc_.Insert(selStart_, text, format);
    ClampSelection();
    inputFormat_.reset();
    if (kind == EditKind::Typing) undo_.SetTypingEnd(selStart_);
    Notify(ChangeKind::Text);
}

void TextEngine::SetSelText(std::wstring_view text) {
    if (text.empty() && selLength_ == 0) return;
    ReplaceSelection(text, text.empty() ? EditKind::Deletion : EditKind::Typing);
    // A line end closes the typing step: undo then takes back one line at a time.
    if (text.find_first_of(L"\r\n") != std::wstring_view::npos) undo_.Break();
}

void TextEngine::ReplaceSel(std::wstring_view text) {
    if (text.empty()) {
        DeleteSelection();
        undo_.Break();
        return;
    }
    const int start = selStart_, length = selLength_;
    const Location first = doc_.Locate(start);
    const Paragraph& paragraph = doc_.paragraphs[static_cast<size_t>(first.paragraph)];
    const int paragraphLength = static_cast<int>(paragraph.text.size());
    const std::uint32_t format = length > 0 && first.offset < paragraphLength
                                     ? paragraph.formats[static_cast<size_t>(first.offset)]
                                     : InputFormatIndex();
    Record(EditKind::Typing);
    if (length > 0 && first.offset + length <= paragraphLength) {
        // A word inside one paragraph: the new text goes in behind the first old character, where a
        // link over the old text still holds it, and then the old characters go. Put in front of
        // them or after their removal, the text of a link that was only this word would lose it.
        const int inserted = doc_.Insert(start + 1, text, format);
        // A link that ended with the first replaced character goes on over its replacement (a
        // link never runs over a line end).
        const bool oneLine = text.find_first_of(L"\r\n") == std::wstring_view::npos;
        const int endingHere = oneLine ? doc_.FieldAt(start) : 0;
        if (const Field* f = doc_.FindField(endingHere); f && f->start + f->length == start + 1)
            doc_.EditField(endingHere)->length += inserted;
        doc_.Delete(start, 1);
        doc_.Delete(start + inserted, length - 1);
        selStart_ = start + inserted;
    } else {
        if (length > 0) doc_.Delete(start, length);
        selStart_ = start + doc_.Insert(start, text, format);
    }
    selLength_ = 0;
    ClampSelection();
    inputFormat_.reset();
    undo_.Break();
    Notify(ChangeKind::Text);
}

void TextEngine::TypeChar(wchar_t c) {
    if (c == L'\r') c = L'\n';
    if (!insertMode_ && selLength_ == 0 && c != L'\n') {
        const Location loc = doc_.Locate(selStart_);
        if (loc.offset < static_cast<int>(doc_.paragraphs[static_cast<size_t>(loc.paragraph)].text.size())) selLength_ = 1;
    }
    const wchar_t text[2] = {c, 0};
    ReplaceSelection(std::wstring_view(text, 1), EditKind::Typing);
}

void TextEngine::DeleteSelection() {
    if (selLength_ == 0) return;
    const int before = doc_.Length();
    const size_t tables = doc_.tables.size();
    Begin(EditKind::Deletion);
    doc_.Delete(selStart_, selLength_);
    if (doc_.Length() == before && doc_.tables.size() == tables) {
        undo_.Cancel(doc_);  // nothing could go (cell boundaries only)
        return;
    }
    undo_.Commit();
    selLength_ = 0;
    ClampSelection();
    Notify(ChangeKind::Text);
}

void TextEngine::DeleteBackward() {
    if (selLength_ == 0) {
        if (selStart_ == 0) return;
        --selStart_;
        selLength_ = 1;
    }
    const int start = selStart_;
    DeleteSelection();
    if (selLength_ > 0) {  // refused at a cell boundary: the caret stays where it was
        selStart_ = start + selLength_;
        selLength_ = 0;
    }
}

void TextEngine::DeleteForward() {
    if (selLength_ == 0) {
        if (selStart_ >= doc_.Length()) return;
        selLength_ = 1;
    }
    DeleteSelection();
    selLength_ = 0;
}

// ---------------------------------------------------------------- clipboard

ClipData TextEngine::Copy() const {
    if (selLength_ == 0) return {};
    ClipData data;
    data.rtf = SaveToBytes(kFormatRtf, true);
    data.text = SelText();
    std::wstring crlf;
    for (wchar_t c : data.text) {
        if (c == kParagraphSeparator) crlf += L"\r\n";
        else if (c != kObjectChar) crlf.push_back(c);
    }
    data.text = std::move(crlf);
    return data;
}

ClipData TextEngine::Cut() {
    ClipData data = Copy();
    DeleteSelection();
    return data;
}

void TextEngine::Paste(const ClipData& data) {
    if (!data.rtf.empty()) {
        Document pasted;
        try {
            pasted = ReadRtf(data.rtf, true);
        } catch (const zv::Error&) {
            if (data.text.empty()) throw;
            SetSelText(data.text);
            return;
        }
        const int firstNew = doc_.nextObjectId;
        Record(EditKind::Typing);
        if (selLength_ > 0) doc_.Delete(selStart_, selLength_);
        selLength_ = 0;
        selStart_ += doc_.InsertDocument(selStart_, pasted);
        ClampSelection();
        undo_.Break();
        Notify(ChangeKind::Text);
        RestoreWindowedObjects(firstNew);
        return;
    }
    if (!data.text.empty()) {
        SetSelText(data.text);
        undo_.Break();
    }
}

// ---------------------------------------------------------------- undo

int TextEngine::RedoKind() const {
    const int kind = static_cast<int>(undo_.RedoKind());
    return kind == 0 ? 0 : kind + kRedoKindOffset;
}

void TextEngine::Step(bool redo) {
    int start = selStart_, length = selLength_;
    const bool done = redo ? undo_.Redo(doc_, start, length) : undo_.Undo(doc_, start, length);
    if (!done) return;
    selStart_ = start;
    selLength_ = length;
    ClampSelection();
    Notify(ChangeKind::Document);
}

void TextEngine::Undo() { Step(false); }
void TextEngine::Redo() { Step(true); }

// ---------------------------------------------------------------- character formatting

void TextEngine::FormatSelection(const std::function<void(CharFormat&)>& change) {
    if (selLength_ == 0) {
        CharFormat f = CurrentFormat();
        change(f);
        inputFormat_ = f;
        inputFormatCaret_ = selStart_;
        Notify(ChangeKind::Selection);
        return;
    }
    Record(EditKind::Formatting);
    doc_.ModifyCharFormats(selStart_, selLength_, change);
    Notify(ChangeKind::Format);
}

void TextEngine::FormatRanges(const std::vector<std::pair<int, int>>& ranges,
                              const std::function<void(CharFormat&)>& change) {
    const int length = doc_.Length();
    bool recorded = false;
    for (auto [start, count] : ranges) {
        start = std::clamp(start, 0, length);
        count = std::clamp(count, 0, length - start);
        if (count == 0) continue;
        if (!recorded) Record(EditKind::Formatting);
        recorded = true;
        doc_.ModifyCharFormats(start, count, change);
    }
    if (recorded) Notify(ChangeKind::Format);
}

void TextEngine::SetBold(bool on) { FormatSelection([&](CharFormat& f) { f.bold = on; }); }
void TextEngine::SetItalic(bool on) { FormatSelection([&](CharFormat& f) { f.italic = on; }); }
void TextEngine::SetUnderline(bool on) { FormatSelection([&](CharFormat& f) { f.underline = on; }); }
void TextEngine::SetStrikeout(bool on) { FormatSelection([&](CharFormat& f) { f.strike = on; }); }
void TextEngine::SetForeColor(Color color) { FormatSelection([&](CharFormat& f) { f.color = color; }); }
void TextEngine::SetTextBkColor(Color color) { FormatSelection([&](CharFormat& f) { f.backColor = color; }); }
void TextEngine::SetFontName(std::wstring_view face) {
    if (face.empty() || face.size() > limits::kMaxFaceName) return;
    FormatSelection([&](CharFormat& f) { f.face = std::wstring(face); });
}
void TextEngine::SetFontSize(int twips) {
    twips = std::clamp(twips, limits::kMinFontSize, limits::kMaxFontSize);
    FormatSelection([&](CharFormat& f) { f.size = twips; });
}

// ---------------------------------------------------------------- paragraph formatting

ParaFormat TextEngine::CurrentParaFormat() const {
    return doc_.paragraphs[static_cast<size_t>(doc_.Locate(selStart_).paragraph)].format;
}

void TextEngine::FormatParagraphs(const std::function<void(ParaFormat&)>& change) {
    Record(EditKind::Formatting);
    doc_.ModifyParaFormats(selStart_, selLength_, [&](ParaFormat& f) {
        change(f);
        // Keep the model valid whatever the caller set.
        f.listLevel = std::clamp(f.listLevel, 0, kMaxListLevel);
        f.lineSpacing = std::clamp(f.lineSpacing, 10, 1000);
        const int m = limits::kMaxTwips;
        for (int* v : {&f.leftIndent, &f.rightIndent, &f.firstIndent}) *v = std::clamp(*v, -m, m);
        for (int* v : {&f.spaceBefore, &f.spaceAfter, &f.listIndentStep, &f.frameLineWidth, &f.frameDistance})
            *v = std::clamp(*v, 0, m);
        if (f.tabs.size() > limits::kMaxTabs) f.tabs.resize(limits::kMaxTabs);
        for (auto& t : f.tabs) t.position = std::clamp(t.position, 0, m);
        std::sort(f.tabs.begin(), f.tabs.end(), [](const TabStop& a, const TabStop& b) { return a.position < b.position; });
    });
    Notify(ChangeKind::Format);
}

int TextEngine::MixedParaValue(int ParaFormat::*member) const {
    const auto [first, last] = doc_.ParagraphRange(selStart_, selLength_);
    const int value = doc_.paragraphs[static_cast<size_t>(first)].format.*member;
    for (int i = first + 1; i <= last; ++i)
        if (doc_.paragraphs[static_cast<size_t>(i)].format.*member != value) return -1;
    return value;
}

int TextEngine::FrameStyle() const {
    // Paragraphs that differ report what they all share: a box the frames dialog shows checked is
    // then true of every one of them.
    const auto [first, last] = doc_.ParagraphRange(selStart_, selLength_);
    int shared = 0xFF;
    for (int i = first; i <= last; ++i) shared &= doc_.paragraphs[static_cast<size_t>(i)].format.frameStyle;
    return shared;
}
int TextEngine::FrameLineWidth() const { return MixedParaValue(&ParaFormat::frameLineWidth); }
int TextEngine::FrameDistance() const { return MixedParaValue(&ParaFormat::frameDistance); }
void TextEngine::SetFrameStyle(int style) {
    FormatParagraphs([&](ParaFormat& f) { f.frameStyle = frame::Changed(f.frameStyle, style); });
}
void TextEngine::SetFrameLineWidth(int twips) {
    if (twips < 0) return;  // -1 = mixed: leave each paragraph's own value
    FormatParagraphs([&](ParaFormat& f) { f.frameLineWidth = twips; });
}
void TextEngine::SetFrameDistance(int twips) {
    if (twips < 0) return;
    FormatParagraphs([&](ParaFormat& f) { f.frameDistance = twips; });
}

void TextEngine::AddStyle(Style style) {
    if (style.name.empty()) return;
    Record(EditKind::Formatting);
    auto& styles = doc_.EditStyles();
    for (auto& s : styles) {
        if (s.name == style.name) {
            s = std::move(style);
            Notify(ChangeKind::Format);
            return;
        }
    }
    styles.push_back(std::move(style));
    Notify(ChangeKind::Format);
}

void TextEngine::ApplyStyle(std::wstring_view name) {
    const Style* style = nullptr;
    for (const auto& s : doc_.styles)
        if (s.name == name) style = &s;
    if (!style) return;
    const Style copy = *style;
    Record(EditKind::Formatting);
    ApplyStyleFormats(copy);
    Notify(ChangeKind::Format);
}

void TextEngine::ApplyStyleFormats(const Style& style) {
    doc_.ModifyParaFormats(selStart_, selLength_, [&](ParaFormat& f) {
        f = style.para;
        f.styleName = style.name;
    });
    const auto [first, last] = doc_.ParagraphRange(selStart_, selLength_);
    const int start = doc_.ParagraphStart(first);
    const int end = doc_.ParagraphStart(last) + static_cast<int>(doc_.paragraphs[static_cast<size_t>(last)].text.size());
    doc_.ModifyCharFormats(start, end - start, [&](CharFormat& f) { f = style.chars; });
}

void TextEngine::SetStyles(std::vector<Style> styles, const std::vector<std::pair<std::wstring, std::wstring>>& renamed,
                           std::wstring_view apply) {
    Record(EditKind::Formatting);
    doc_.EditStyles() = std::move(styles);
    // The style name a paragraph should now carry; nullopt when its own stays.
    auto restyled = [&](const ParaFormat& f) -> std::optional<std::wstring> {
        if (f.styleName.empty()) return std::nullopt;
        for (const auto& [from, to] : renamed)
            if (f.styleName == from) return to;
        for (const auto& s : doc_.styles)
            if (s.name == f.styleName) return std::nullopt;
        return std::wstring();  // its style is gone: the look stays, the name goes
    };
    // Only the paragraphs that change go through the editing members, so the step stays small.
    for (int i = 0; i < doc_.ParagraphCount(); ++i) {
        if (auto name = restyled(doc_.paragraphs[static_cast<size_t>(i)].format))
            doc_.ModifyParaFormats(doc_.ParagraphStart(i), 0, [&](ParaFormat& f) { f.styleName = *name; });
    }
    for (bool header : {true, false}) {
        const Story& story = header ? doc_.header : doc_.footer;
        bool changes = false;
        for (const auto& p : story.paragraphs) changes = changes || restyled(p.format).has_value();
        if (!changes) continue;
        for (auto& p : doc_.EditStory(header).paragraphs) {
            if (auto name = restyled(p.format)) {
                p.format.styleName = *name;
                p.stamp = ++doc_.stampCounter;
            }
        }
    }
    for (const auto& s : doc_.styles) {
        if (s.name == apply) {
            const Style copy = s;
            ApplyStyleFormats(copy);
            break;
        }
    }
    Notify(ChangeKind::Format);
}

// ---------------------------------------------------------------- fields

int TextEngine::FieldInsert(std::wstring_view text) {
    const std::wstring shown = WithoutBreaks(text);
    if (shown.empty()) return 0;
    // Not inside another field (its text would hold a second link).
    const int at = selStart_;
    for (const auto& f : doc_.fields) {
        const int end = f.start + f.length;
        if ((f.start < at && at < end) || (selLength_ > 0 && f.start < at + selLength_ && at < end)) return 0;
    }
    Begin(EditKind::Typing);
    const std::uint32_t format = InputFormatIndex();
    if (selLength_ > 0) doc_.Delete(selStart_, selLength_);
    const int inserted = doc_.Insert(at, shown, format);
    const int id = doc_.AddField(at, inserted, kLinkNone, L"");
    if (id == 0) {
        undo_.Cancel(doc_);
        return 0;
    }
    undo_.Commit();
    currentField_ = id;
    selStart_ = at + inserted;
    selLength_ = 0;
    Notify(ChangeKind::Text);
    return id;
}

int TextEngine::FieldInsertOverSelection() {
    if (selLength_ <= 0) return 0;
    Begin(EditKind::Formatting);
    const int id = doc_.AddField(selStart_, selLength_, kLinkNone, L"");
    if (id == 0) {
        undo_.Cancel(doc_);
        return 0;
    }
    undo_.Commit();
    currentField_ = id;
    Notify(ChangeKind::Format);
    return id;
}

int TextEngine::FieldCurrent() const { return doc_.FindField(currentField_) ? currentField_ : 0; }

void TextEngine::SetFieldCurrent(int id) { currentField_ = doc_.FindField(id) ? id : 0; }

int TextEngine::FieldAtInputPos() const { return doc_.FieldAt(selStart_); }

int TextEngine::FieldStart(int id) const {
    const Field* f = doc_.FindField(id);
    return f ? f->start + 1 : 0;
}

int TextEngine::FieldEnd(int id) const {
    const Field* f = doc_.FindField(id);
    return f ? f->start + f->length : 0;
}

std::wstring TextEngine::FieldText() const {
    const Field* f = doc_.FindField(currentField_);
    return f ? doc_.Text(f->start, f->length) : std::wstring();
}

void TextEngine::SetFieldText(std::wstring_view text) {
    const Field* f = doc_.FindField(currentField_);
    if (!f) return;
    const std::wstring shown = WithoutBreaks(text);
    Record(EditKind::Typing);
    const Field kept = *f;
    const Location loc = doc_.Locate(kept.start);
    const std::uint32_t format = doc_.paragraphs[static_cast<size_t>(loc.paragraph)].formats[static_cast<size_t>(loc.offset)];
    doc_.RemoveField(kept.id);
    doc_.Delete(kept.start, kept.length);
    const int inserted = doc_.Insert(kept.start, shown, format);
    // The field keeps its identity: the program holds its id.
    if (inserted == 0 || doc_.AddField(kept.start, inserted, kept.kind, kept.target, kept.id) == 0) {
        currentField_ = 0;
    }
    ClampSelection();
    Notify(ChangeKind::Text);
}

int TextEngine::FieldLinkKind(int id) const {
    const Field* f = doc_.FindField(id);
    return f ? f->kind : 0;
}

void TextEngine::SetFieldLinkKind(int id, int kind) {
    if (!doc_.FindField(id) || kind < 0 || kind > 0x7FFF) return;
    Record(EditKind::Formatting);
    doc_.EditField(id)->kind = kind;
    Notify(ChangeKind::Format);
}

std::wstring TextEngine::FieldLinkTarget(int id) const {
    const Field* f = doc_.FindField(id);
    return f ? f->target : std::wstring();
}

void TextEngine::SetFieldLinkTarget(int id, std::wstring_view target) {
    if (!doc_.FindField(id)) return;
    Record(EditKind::Formatting);
    doc_.EditField(id)->target = std::wstring(target.substr(0, limits::kMaxTextItem));
    Notify(ChangeKind::Format);
}

void TextEngine::FieldDelete(int id) {
    const Field* f = doc_.FindField(id);
    if (!f) return;
    Record(EditKind::Formatting);
    doc_.Touch(doc_.Locate(f->start).paragraph);
    doc_.RemoveField(id);
    ClampSelection();
    Notify(ChangeKind::Format);
}

// ---------------------------------------------------------------- objects

int TextEngine::InsertObject(Object object) {
    object.scaleX = std::clamp(object.scaleX, 1, limits::kMaxScale);
    object.scaleY = std::clamp(object.scaleY, 1, limits::kMaxScale);
    object.x = std::clamp(object.x, -limits::kMaxTwips, limits::kMaxTwips);
    object.y = std::clamp(object.y, -limits::kMaxTwips, limits::kMaxTwips);
    if (object.kind == ObjectKind::Windowed && events_) {
        int width = object.width, height = object.height;
        events_->HostWindowExtent(object.hostWindow, object.scaleX, object.scaleY, width, height);
        object.width = std::clamp(width, 1, limits::kMaxTwips);
        object.height = std::clamp(height, 1, limits::kMaxTwips);
    }
    Record(EditKind::Typing);
    const std::uint32_t format = InputFormatIndex();
    if (!object.fixed && selLength_ > 0) {
        doc_.Delete(selStart_, selLength_);
        selLength_ = 0;
        object.anchor = selStart_;
    }
    const int id = doc_.AddObject(std::move(object), format);
    const Object* placed = doc_.FindObject(id);
    if (!placed->fixed && placed->anchor == selStart_) ++selStart_;
    currentObject_ = id;
    undo_.Break();
    Notify(ChangeKind::Text);
    if (placed->kind == ObjectKind::Windowed && placed->name.empty()) {
        awaitingNames_.push_back(id);
        if (events_) events_->ObjectAwaitsName(id);
    }
    return id;
}

void TextEngine::NameNewObjects() {
    std::vector<int> ids;
    ids.swap(awaitingNames_);
    if (!events_) return;
    for (int id : ids) {
        const Object* o = doc_.FindObject(id);
        // Deleted (or undone) before it was named, or named by the host meanwhile.
        if (!o || !o->name.empty()) continue;
        std::wstring name;
        events_->ObjectNameRequest(id, name);
        if (Object* named = doc_.EditObject(id)) named->name = name.substr(0, limits::kMaxTextItem);
    }
}

namespace {

Object ObjectFrom(std::uintptr_t hostWindow, std::wstring_view fileName) {
    Object o;
    if (hostWindow != 0) {
        o.kind = ObjectKind::Windowed;
        o.hostWindow = hostWindow;
        o.width = o.height = kDefaultWindowedSize;
        return o;
    }
    std::string bytes = zv::ReadFileBytes(fileName);
    if (bytes.size() > limits::kMaxImageBytes) throw zv::Error(L"The image " + std::wstring(fileName) + L" is too large.");
    const ImageInfo info = SniffImage(bytes);
    if (info.type == ImageType::Unknown)
        throw zv::Error(L"The file " + std::wstring(fileName) + L" is not an image the text control knows.");
    o.kind = ObjectKind::Image;
    o.imageType = info.type;
    o.width = info.width > 0 ? info.width : kDefaultWindowedSize;
    o.height = info.height > 0 ? info.height : kDefaultWindowedSize;
    o.image = std::make_shared<const std::string>(std::move(bytes));
    return o;
}

}  // namespace

int TextEngine::ObjectInsertAsChar(std::uintptr_t hostWindow, std::wstring_view fileName, int position, int scaleX,
                                   int scaleY) {
    Object o = ObjectFrom(hostWindow, fileName);
    o.fixed = false;
    if (position >= 0) {
        selStart_ = std::clamp(position, 0, doc_.Length());
        selLength_ = 0;
    }
    o.anchor = selStart_;
    o.scaleX = scaleX;
    o.scaleY = scaleY;
    return InsertObject(std::move(o));
}

int TextEngine::ObjectInsertFixed(std::uintptr_t hostWindow, std::wstring_view fileName, int x, int y, int scaleX,
                                  int scaleY, int textFlow) {
    Object o = ObjectFrom(hostWindow, fileName);
    o.fixed = true;
    o.anchor = selStart_;
    o.x = x;
    o.y = y;
    o.scaleX = scaleX;
    o.scaleY = scaleY;
    o.textFlow = textFlow == 1 ? 1 : 0;
    if (o.kind == ObjectKind::Image) o.distance.fill(Layout::kWrapGap);  // the room text has always kept
    return InsertObject(std::move(o));
}

int TextEngine::ObjectInsertImage(std::string bytes, bool fixed, int positionOrX, int y, int scaleX, int scaleY) {
    const ImageInfo info = SniffImage(bytes);
    if (info.type == ImageType::Unknown) throw zv::Error(L"The data is not an image the text control knows.");
    Object o;
    o.imageType = info.type;
    o.width = info.width > 0 ? info.width : kDefaultWindowedSize;
    o.height = info.height > 0 ? info.height : kDefaultWindowedSize;
    o.image = std::make_shared<const std::string>(std::move(bytes));
    o.fixed = fixed;
    o.scaleX = scaleX;
    o.scaleY = scaleY;
    if (fixed) {
        o.anchor = selStart_;
        o.x = positionOrX;
        o.y = y;
        o.distance.fill(Layout::kWrapGap);
    } else {
        if (positionOrX >= 0) {
            selStart_ = std::clamp(positionOrX, 0, doc_.Length());
            selLength_ = 0;
        }
        o.anchor = selStart_;
    }
    return InsertObject(std::move(o));
}

void TextEngine::SetObjectCurrent(int id) { currentObject_ = doc_.FindObject(id) ? id : 0; }

void TextEngine::ObjectDelete() {
    if (!doc_.FindObject(currentObject_)) return;
    Record(EditKind::Deletion);
    doc_.RemoveObject(currentObject_);
    currentObject_ = 0;
    ClampSelection();
    Notify(ChangeKind::Text);
}

std::wstring TextEngine::ObjectName(int id) const {
    const Object* o = doc_.FindObject(id);
    return o ? o->name : std::wstring();
}

void TextEngine::SetObjectName(int id, std::wstring_view name) {
    if (!doc_.FindObject(id)) return;
    doc_.EditObject(id)->name = std::wstring(name.substr(0, limits::kMaxTextItem));
}

void TextEngine::SetObjectPosition(int id, int x, int y) {
    const Object* found = doc_.FindObject(id);
    if (!found || !found->fixed) return;
    Record(EditKind::Formatting);
    Object* o = doc_.EditObject(id);
    o->x = std::clamp(x, -limits::kMaxTwips, limits::kMaxTwips);
    o->y = std::clamp(y, -limits::kMaxTwips, limits::kMaxTwips);
    Notify(ChangeKind::Format);
}

void TextEngine::SetObjectSize(int id, int width, int height) {
    if (!doc_.FindObject(id)) return;
    Record(EditKind::Formatting);
    Object* o = doc_.EditObject(id);
    o->width = std::clamp(width, 0, limits::kMaxTwips);
    o->height = std::clamp(height, 0, limits::kMaxTwips);
    if (!o->fixed) doc_.Touch(doc_.Locate(o->anchor).paragraph);  // its line changes
    Notify(ChangeKind::Format);
}

void TextEngine::SetObjectScale(int id, int scaleX, int scaleY) {
    if (!doc_.FindObject(id)) return;
    Record(EditKind::Formatting);
    Object* o = doc_.EditObject(id);
    o->scaleX = std::clamp(scaleX, 1, limits::kMaxScale);
    o->scaleY = std::clamp(scaleY, 1, limits::kMaxScale);
    if (!o->fixed) doc_.Touch(doc_.Locate(o->anchor).paragraph);  // its line changes height
    Notify(ChangeKind::Format);
}

// ---------------------------------------------------------------- the current object as an image

bool TextEngine::ObjectIsImage() const {
    const Object* o = doc_.FindObject(currentObject_);
    return o != nullptr && o->kind == ObjectKind::Image;
}

const Object& TextEngine::CurrentImage() const {
    const Object* o = doc_.FindObject(currentObject_);
    if (o == nullptr || o->kind != ObjectKind::Image) throw zv::Error(L"The current object is not an image.");
    return *o;
}

void TextEngine::ChangeCurrentImage(const std::function<void(Object&)>& change) {
    const Object& current = CurrentImage();
    Object changed = current;
    change(changed);
    if (changed.distance == current.distance && changed.embedded == current.embedded &&
        changed.saveFormat == current.saveFormat)
        return;
    Record(EditKind::Formatting);
    Object* o = doc_.EditObject(currentObject_);
    o->distance = changed.distance;
    o->embedded = changed.embedded;
    o->saveFormat = changed.saveFormat;
    if (!o->fixed) doc_.Touch(doc_.Locate(o->anchor).paragraph);  // its line takes the new room
    Notify(ChangeKind::Format);
}

int TextEngine::ObjectDistance(int side) const {
    if (!ObjectIsImage() || side < 1 || side > 4) return 0;
    return CurrentImage().distance[static_cast<size_t>(side - 1)];
}

void TextEngine::SetObjectDistance(int side, int twips) {
    if (side < 1 || side > 4) throw zv::Error(L"An image has no side " + std::to_wstring(side) + L".");
    if (twips < 0 || twips > kMaxImageDistance)
        throw zv::Error(L"A distance to the text must lie between 0 and " + std::to_wstring(kMaxImageDistance) + L" twips.");
    ChangeCurrentImage([&](Object& o) { o.distance[static_cast<size_t>(side - 1)] = twips; });
}

bool TextEngine::ObjectEmbedded() const { return CurrentImage().embedded; }

void TextEngine::SetObjectEmbedded(bool embedded) {
    ChangeCurrentImage([&](Object& o) { o.embedded = embedded; });
}

std::wstring TextEngine::ObjectSaveFormats() const {
    const Object* o = doc_.FindObject(currentObject_);
    return o != nullptr ? ImageSaveFormats(*o) : std::wstring();
}

int TextEngine::ObjectSaveFormat() const { return ObjectIsImage() ? CurrentImage().saveFormat : 0; }

void TextEngine::SetObjectSaveFormat(int index) {
    const std::wstring formats = ImageSaveFormats(CurrentImage());
    const int count = formats.empty() ? 0 : 1 + static_cast<int>(std::count(formats.begin(), formats.end(), L'|'));
    if (index < 0 || index > count) throw zv::Error(L"The image has no save format " + std::to_wstring(index) + L".");
    ChangeCurrentImage([&](Object& o) { o.saveFormat = index; });
}

// ---------------------------------------------------------------- tables

int TextEngine::TableInsert(int rows, int cols, int position) {
    const int at = position < 0 ? selStart_ : position;
    const int width = std::max(doc_.page.width - doc_.page.marginLeft - doc_.page.marginRight, cols);
    Begin(EditKind::Typing);
    const int id = doc_.InsertTable(at, rows, cols, width);
    if (id == 0) {
        undo_.Cancel(doc_);
        return 0;
    }
    undo_.Commit();
    selStart_ = TableCellStart(id, 1, 1);
    selLength_ = 0;
    Notify(ChangeKind::Text);
    return id;
}

int TextEngine::TableAtInputPos() const {
    return doc_.paragraphs[static_cast<size_t>(doc_.Locate(selStart_).paragraph)].cell.table;
}

std::pair<int, int> TextEngine::TableCellAtInputPos() const {
    const CellRef& c = doc_.paragraphs[static_cast<size_t>(doc_.Locate(selStart_).paragraph)].cell;
    return {c.row, c.col};
}

int TextEngine::TableRows(int id) const {
    const Table* t = doc_.FindTable(id);
    return t ? t->rows : 0;
}

int TextEngine::TableColumns(int id) const {
    const Table* t = doc_.FindTable(id);
    return t ? t->cols : 0;
}

int TextEngine::TableCellAttribute(int id, int row, int col, int attribute) const {
    const Table* t = doc_.FindTable(id);
    if (!t) return 0;
    const int r = row == 0 ? 1 : row, c = col == 0 ? 1 : col;
    if (r < 1 || r > t->rows || c < 1 || c > t->cols) return 0;
    const CellAttributes& a = t->Cell(r, c);
    switch (attribute) {
    case cell::kColumnWidth: return t->columnWidths[static_cast<size_t>(c - 1)];
    case cell::kLeftBorder:
    case cell::kBorderWidth: return a.leftBorder;
    case cell::kTopBorder: return a.topBorder;
    case cell::kRightBorder: return a.rightBorder;
    case cell::kBottomBorder: return a.bottomBorder;
    case cell::kBackColor: return static_cast<int>(a.background);
    case cell::kGridLineWidth: return a.gridWidth;
    default: return 0;
    }
}

void TextEngine::SetTableCellAttribute(int id, int row, int col, int attribute, int value) {
    SetTableCellAttributes(id, {CellChange{row, col, attribute, value}});
}

bool TextEngine::SetTableCellAttributes(int id, const std::vector<CellChange>& changes, bool joinLastStep) {
    const Table* found = doc_.FindTable(id);
    if (!found) return false;
    const auto addresses = [found](const CellChange& c) {
        return c.attribute >= cell::kColumnWidth && c.attribute <= cell::kGridLineWidth && c.row >= 0 &&
               c.row <= found->rows && c.col >= 0 && c.col <= found->cols;
    };
    if (std::none_of(changes.begin(), changes.end(), addresses)) return false;
    // The open step takes what changes until the next one begins.
    if (!joinLastStep || !undo_.CanUndo()) Record(EditKind::Formatting);
    Table* t = doc_.EditTable(id);
    for (const CellChange& change : changes) {
        if (!addresses(change)) continue;
        const int row = change.row, col = change.col, value = change.value;
        const int border = std::clamp(value, 0, limits::kMaxBorder);
        for (int r = (row == 0 ? 1 : row); r <= (row == 0 ? t->rows : row); ++r) {
            for (int c = (col == 0 ? 1 : col); c <= (col == 0 ? t->cols : col); ++c) {
                CellAttributes& a = t->Cell(r, c);
                switch (change.attribute) {
                case cell::kColumnWidth:
                    t->columnWidths[static_cast<size_t>(c - 1)] = std::clamp(value, limits::kMinColumnWidth, limits::kMaxTwips);
                    break;
                case cell::kLeftBorder: a.leftBorder = border; break;
                case cell::kTopBorder: a.topBorder = border; break;
                case cell::kRightBorder: a.rightBorder = border; break;
                case cell::kBottomBorder: a.bottomBorder = border; break;
                case cell::kBorderWidth: a.leftBorder = a.topBorder = a.rightBorder = a.bottomBorder = border; break;
                case cell::kBackColor: a.background = static_cast<Color>(value); break;
                case cell::kGridLineWidth: a.gridWidth = border; break;
                }
            }
        }
    }
    Notify(ChangeKind::Format);
    return true;
}

int TextEngine::TableCellStart(int id, int row, int col) const {
    const auto [first, last] = doc_.CellParagraphs(id, row, col);
    return first < 0 ? -1 : doc_.ParagraphStart(first);
}

int TextEngine::TableCellLength(int id, int row, int col) const {
    const auto [first, last] = doc_.CellParagraphs(id, row, col);
    if (first < 0) return 0;
    return doc_.ParagraphStart(last) + static_cast<int>(doc_.paragraphs[static_cast<size_t>(last)].text.size()) -
           doc_.ParagraphStart(first);
}

bool TextEngine::TableInsertRow(bool below) {
    const int id = TableAtInputPos();
    if (id == 0) return false;
    Begin(EditKind::Typing);
    if (!doc_.InsertRow(id, TableCellAtInputPos().first, below)) {
        undo_.Cancel(doc_);
        return false;
    }
    undo_.Commit();
    if (!below) selStart_ += doc_.FindTable(id)->cols;  // the caret's cell moved down by one row of cells
    ClampSelection();
    Notify(ChangeKind::Text);
    return true;
}

bool TextEngine::TableInsertColumn(bool right) {
    const int id = TableAtInputPos();
    if (id == 0) return false;
    const auto [row, col] = TableCellAtInputPos();
    const int offsetInCell = selStart_ - TableCellStart(id, row, col);
    Begin(EditKind::Typing);
    if (!doc_.InsertColumn(id, col, right)) {
        undo_.Cancel(doc_);
        return false;
    }
    undo_.Commit();
    selStart_ = TableCellStart(id, row, right ? col : col + 1) + offsetInCell;
    selLength_ = 0;
    ClampSelection();
    Notify(ChangeKind::Text);
    return true;
}

bool TextEngine::TableDeleteRows() {
    const int id = TableAtInputPos();
    if (id == 0) return false;
    const int firstRow = TableCellAtInputPos().first;
    const CellRef& endCell = doc_.paragraphs[static_cast<size_t>(doc_.Locate(selStart_ + selLength_).paragraph)].cell;
    const int lastRow = endCell.table == id ? std::max(endCell.row, firstRow) : doc_.FindTable(id)->rows;
    const int start = TableCellStart(id, firstRow, 1);
    Begin(EditKind::Deletion);
    if (!doc_.DeleteRows(id, firstRow, lastRow - firstRow + 1)) {
        undo_.Cancel(doc_);
        return false;
    }
    undo_.Commit();
    selStart_ = start;
    selLength_ = 0;
    ClampSelection();
    Notify(ChangeKind::Text);
    return true;
}

bool TextEngine::TableDeleteColumn() {
    const int id = TableAtInputPos();
    if (id == 0) return false;
    const auto [row, col] = TableCellAtInputPos();
    Begin(EditKind::Deletion);
    if (!doc_.DeleteColumn(id, col)) {
        undo_.Cancel(doc_);
        return false;
    }
    undo_.Commit();
    const Table* t = doc_.FindTable(id);
    selStart_ = t ? TableCellStart(id, row, std::min(col, t->cols)) : std::min(selStart_, doc_.Length());
    selLength_ = 0;
    ClampSelection();
    Notify(ChangeKind::Text);
    return true;
}

void TextEngine::TableDelete(int id) {
    if (!doc_.FindTable(id)) return;
    Record(EditKind::Deletion);
    const int start = TableCellStart(id, 1, 1);
    doc_.DeleteTable(id);
    selStart_ = start;
    selLength_ = 0;
    ClampSelection();
    Notify(ChangeKind::Text);
}

bool TextEngine::TableMove(int id, int position) {
    const Table* t = doc_.FindTable(id);
    if (!t || position < 0 || position > doc_.Length()) return false;
    if (doc_.paragraphs[static_cast<size_t>(doc_.Locate(position).paragraph)].cell.table != 0) return false;
    const int start = TableCellStart(id, 1, 1);
    const int end = TableCellStart(id, t->rows, t->cols) + TableCellLength(id, t->rows, t->cols);
    // The table alone, as the clipboard would carry it, but without touching the clipboard.
    Document moved = doc_;
    moved.Delete(end, moved.Length() - end);
    moved.Delete(0, start);
    Begin(EditKind::Typing);
    const int before = doc_.Length();
    doc_.DeleteTable(id);
    if (position > start) position -= before - doc_.Length();
    doc_.InsertDocument(position, moved);
    if (!doc_.Validate().empty()) {
        undo_.Cancel(doc_);
        return false;
    }
    undo_.Commit();
    undo_.Break();
    selStart_ = TableCellStart(doc_.nextTableId - 1, 1, 1);  // the pasted table took the newest id
    selLength_ = 0;
    ClampSelection();
    Notify(ChangeKind::Text);
    return true;
}

// ---------------------------------------------------------------- marks

void TextEngine::MarkInsert(std::wstring_view name) {
    if (name.empty() || name.size() > limits::kMaxTextItem) return;
    Record(EditKind::Formatting);
    doc_.SetMark(std::wstring(name), selStart_);
    Notify(ChangeKind::Format);
}

bool TextEngine::GoToMark(std::wstring_view name) {
    const Mark* m = doc_.FindMark(name);
    if (!m) return false;
    SetSelStart(m->position);
    return true;
}

// ---------------------------------------------------------------- header and footer

namespace {

std::wstring StoryText(const Story& story) {
    std::wstring out;
    for (size_t i = 0; i < story.paragraphs.size(); ++i) {
        if (i) out.push_back(kParagraphSeparator);
        out += story.paragraphs[i].text;
    }
    return out;
}

}  // namespace

std::wstring TextEngine::HeaderText() const { return StoryText(doc_.header); }
std::wstring TextEngine::FooterText() const { return StoryText(doc_.footer); }

void TextEngine::SetStory(bool header, std::wstring_view text) {
    Record(EditKind::Typing);
    Story& story = doc_.EditStory(header);
    story.paragraphs.clear();
    if (!text.empty()) {
        Document scratch;
        scratch.Insert(0, text, 0);
        for (auto& p : scratch.paragraphs) {
            Paragraph q = doc_.NewParagraph(p.format);
            q.text = p.text;
            q.formats.assign(q.text.size(), 0);
            story.paragraphs.push_back(std::move(q));
        }
    }
    Notify(ChangeKind::Text);
}

void TextEngine::SetHeaderText(std::wstring_view text) { SetStory(true, text); }
void TextEngine::SetFooterText(std::wstring_view text) { SetStory(false, text); }

// ---------------------------------------------------------------- find

int TextEngine::Find(std::wstring_view text, int start, int options) {
    if (text.empty()) return -1;
    int from;
    if ((options & find::kFromStart) && start >= 0) from = start;
    else if ((options & find::kFromStart) && lastMatch_ >= 0 && !lastMatchHighlighted_)
        from = lastMatch_ + lastMatchLength_;
    else from = selStart_ + selLength_;  // after the selection, which is the match or what replaced it
    if (from < 0 || from > doc_.Length()) return -1;
    const int found = doc_.Find(text, from, !(options & find::kMatchCase));
    if (found < 0) {
        lastMatch_ = -1;
        return -1;
    }
    lastMatch_ = found;
    lastMatchLength_ = static_cast<int>(text.size());
    lastMatchHighlighted_ = !(options & find::kNoHighlight);
    if (lastMatchHighlighted_) {
        selStart_ = lastMatch_;
        selLength_ = lastMatchLength_;
        undo_.Break();
        Notify(ChangeKind::Selection);
    }
    return lastMatch_;
}

}  // namespace tx
