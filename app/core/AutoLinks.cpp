#include "app/core/AutoLinks.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "app/core/Hyperlinks.h"

namespace zv {
namespace {

constexpr std::wstring_view kKeywords[3] = {L"www.", L"http://", L"w3."};
constexpr std::wstring_view kWebScheme = L"http://";
// The field walk of the link look asks for every field, whatever its kind.
constexpr int kAllFields = 512;

// What ends a word: space, Tab, the paragraph end and Enter's characters, and our line and page
// breaks, which end a line as a paragraph end does.
bool IsDelimiter(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == tx::kLineBreak || c == tx::kPageBreak;
}

// The link whose text holds `position`, 0 when none does.
int FieldCovering(const tx::TextEngine& engine, int position) {
    for (int id = engine.FieldNext(0, kAllFields); id != 0; id = engine.FieldNext(id, kAllFields)) {
        const int first = engine.FieldStart(id) - 1;
        if (first <= position && position < engine.FieldEnd(id)) return id;
    }
    return 0;
}

// Whether every character from `start` on for `count` positions already has the look (a paragraph
// end, which has none, passes).
bool HasLook(const tx::Document& d, int start, int count, tx::Color color, bool underline) {
    tx::Location at = d.Locate(start);
    for (int n = 0; n < count && at.paragraph < d.ParagraphCount(); ++n) {
        if (at.offset >= static_cast<int>(d.paragraphs[static_cast<size_t>(at.paragraph)].text.size())) {
            ++at.paragraph;
            at.offset = 0;
            continue;
        }
        const tx::CharFormat& f = d.FormatAt(at.paragraph, at.offset++);
        if (f.color != color || f.underline != underline) return false;
    }
    return true;
}

// Set while the linker moves the selection itself, so that the selection events it causes do not
// restart the matchers it is working with.
class Busy {
public:
    explicit Busy(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~Busy() { flag_ = was_; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    bool& flag_;
    bool was_;
};

}  // namespace

void SetHyperlinkFormatting(tx::TextEngine& engine, bool on) {
    const int caret = engine.SelStart();
    const tx::Color color = on ? kLinkColor : kPlainTextColor;
    std::vector<std::pair<int, int>> ranges;
    int last = 0;
    for (int id = engine.FieldNext(0, kAllFields); id != 0; id = engine.FieldNext(id, kAllFields)) {
        const int first = engine.FieldStart(id);
        const int start = first - 1, count = engine.FieldEnd(id) - first + 1;
        // A link that has the look already is left as it is: formatting it again would change
        // nothing but have its paragraph laid out again, and a new link is recoloured with all
        // the page's others.
        if (!HasLook(engine.Doc(), start, count, color, on)) ranges.emplace_back(start, count);
        last = id;
    }
    if (last == 0) return;
    engine.SetFieldCurrent(last);
    engine.FormatRanges(ranges, [on, color](tx::CharFormat& f) {
        f.color = color;
        f.underline = on;
    });
    engine.SetSelStart(caret);
}

// ---------------------------------------------------------------- AutoFormatItem

void AutoFormatItem::SetKeyword(std::wstring_view keyword) {
    keywordText_ = std::wstring(keyword);
    keywordLen_ = static_cast<int>(keywordText_.size());
}

void AutoFormatItem::Start(int start) {
    matchPos_ = 1;
    matching_ = true;
    startPosition_ = start;
}

void AutoFormatItem::NextChar(wchar_t c) {
    if (matchPos_ > keywordLen_) return;
    if (matching_) matching_ = keywordText_[static_cast<size_t>(matchPos_ - 1)] == c;
    ++matchPos_;
}

// ---------------------------------------------------------------- AutoLinker

AutoLinker::AutoLinker() {
    for (int i = 0; i < 3; ++i) items_[i].SetKeyword(kKeywords[i]);
}

bool AutoLinker::KeyPress(tx::TextEngine& engine, wchar_t key, bool shift, bool& ctrlFlag) {
    if (key == L'\t' && ctrlFlag) {
        ctrlFlag = false;
        return true;
    }
    if (key == L'\n') return true;
    if (key != L'\t' && key != L'\r' && key != L' ') {
        // Control characters (Backspace, Ctrl+letter) are no part of a word; the caret move
        // they cause restarts the matchers.
        if (key >= L' ') {
            for (auto& item : items_) item.NextChar(key);
            typedCaret_ = engine.SelStart() + 1;
        }
        return false;
    }
    // A word ends: the delimiter goes in as the control would have typed it, then the word is linked.
    Busy busy(busy_);
    typedCaret_ = -1;
    engine.TypeChar(key == L'\r' && shift ? tx::kLineBreak : key);
    const int caret = engine.SelStart();
    EndWord(engine, caret - 1, caret);
    return true;
}

void AutoLinker::SelectionChanged(int selStart, int selLength) {
    if (busy_) return;
    if (selLength == 0 && selStart == typedCaret_) return;  // the character just typed
    Restart(selStart);
}

void AutoLinker::Restart(int position) {
    typedCaret_ = -1;
    for (auto& item : items_) item.Start(position);
}

void AutoLinker::EndWord(tx::TextEngine& engine, int wordEnd, int next) {
    for (auto& item : items_) {
        if (item.StartsWithKeyword()) CreateAutoLink(engine, item.GetStartPosition(), wordEnd);
        item.Start(next);
    }
}

void AutoLinker::CreateAutoLink(tx::TextEngine& engine, int start, int end) {
    Busy busy(busy_);
    engine.SetSelStart(start);
    engine.SetSelLength(end - start);
    const int id = end > start ? engine.FieldInsertOverSelection() : 0;
    if (id != 0) {
        engine.SetFieldLinkKind(id, kWebLinkKind);
        const std::wstring text = engine.FieldText();
        engine.SetFieldLinkTarget(id, text.starts_with(kWebScheme) ? text : std::wstring(kWebScheme) + text);
    }
    // Behind the word's delimiter (or at the end of the text, when the word ended there).
    engine.SetSelStart(std::min(end + 1, engine.TextLength()));
    if (id != 0) SetHyperlinkFormatting(engine, true);
}

void AutoLinker::AutoLinkRange(tx::TextEngine& engine, int start, int end) {
    {
        Busy busy(busy_);
        AutoLinkHTTP(engine, start, end);
        AutoLinkWWW(engine, start, end);
        AutoLinkW3(engine, start, end);
        engine.SetSelStart(end);
    }
    Restart(engine.SelStart());
}

void AutoLinker::AutoLinkHTTP(tx::TextEngine& engine, int start, int end) {
    Scan(engine, kKeywords[1], start, end, false);
}

void AutoLinker::AutoLinkWWW(tx::TextEngine& engine, int start, int end) {
    Scan(engine, kKeywords[0], start, end, true);
}

void AutoLinker::AutoLinkW3(tx::TextEngine& engine, int start, int end) {
    Scan(engine, kKeywords[2], start, end, true);
}

void AutoLinker::Scan(tx::TextEngine& engine, std::wstring_view keyword, int start, int end, bool skipLinked) {
    Busy busy(busy_);
    // Making links changes formats and fields only, never the text, so one copy serves the scan.
    const std::wstring text = engine.Text();
    const int length = static_cast<int>(text.size());
    int from = std::max(start, 0);
    while (from <= length) {
        const int p = engine.Find(keyword, from, tx::find::kFromStart | tx::find::kNoHighlight);
        if (p < 0 || p >= end) return;
        if (skipLinked && FieldCovering(engine, p) != 0) {
            from = p + 1;
            continue;
        }
        for (auto& item : items_) item.Start(p);
        // The word runs to its delimiter, past the range's end if need be; a word that runs to the
        // end of the text ends there as if a delimiter followed.
        int at = p;
        for (; at < length && !IsDelimiter(text[static_cast<size_t>(at)]); ++at)
            for (auto& item : items_) item.NextChar(text[static_cast<size_t>(at)]);
        EndWord(engine, at, at + 1);
        from = at + 1;
    }
}

}  // namespace zv
