#include "app/assessment/TestInfoFile.h"

#include <algorithm>

#include "base/Cp1252.h"
#include "base/Error.h"
#include "base/Paths.h"

namespace {

constexpr std::wstring_view kSeparator = L">>";
constexpr size_t kFieldsPerQuestion = 6;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The fields of the file in order, as byte ranges without their quotes, with the line each starts on.
struct RawField {
    std::string_view bytes;
    size_t line;
};

class FieldScanner {
public:
    FieldScanner(std::string_view bytes, const std::wstring& fileName) : b_(bytes), file_(fileName) {}

    std::vector<RawField> ScanAll() {
        std::vector<RawField> fields;
        SkipBlanks();
        SkipLineEnds();
        while (pos_ < b_.size()) {
            if (b_[pos_] != '"') Fail(L"a field does not start with a double quote");
            const size_t startLine = line_;
            const size_t open = pos_++;
            const size_t close = b_.find('"', pos_);
            if (close == std::string_view::npos) {
                Fail(L"the field that starts on line " + std::to_wstring(startLine) + L" has no closing double quote",
                     startLine);
            }
            for (size_t i = pos_; i < close; ++i) CountLineEnd(i);
            fields.push_back({b_.substr(open + 1, close - open - 1), startLine});
            if (fields.size() > 1 + kFieldsPerQuestion * kMaxQuestions) {
                Fail(L"it holds more than " + std::to_wstring(kMaxQuestions) + L" questions");
            }
            pos_ = close + 1;
            SkipBlanks();
            if (pos_ == b_.size()) break;
            if (b_[pos_] == ',') {
                ++pos_;
                SkipBlanks();
                if (pos_ == b_.size() || b_[pos_] != '"') Fail(L"a comma is not followed by a field");
            } else if (b_[pos_] == '\r' || b_[pos_] == '\n') {
                SkipLineEnds();
            } else {
                Fail(L"there is text after the closing quote of a field");
            }
        }
        return fields;
    }

    [[noreturn]] void Fail(const std::wstring& fault, size_t line = 0) const {
        throw zv::Error(L"The test file " + file_ + L" is damaged: line " + std::to_wstring(line ? line : line_) +
                        L": " + fault + L".");
    }

private:
    void SkipBlanks() {
        while (pos_ < b_.size() && IsBlank(b_[pos_])) ++pos_;
    }
    // Line ends and the blanks around them; a record break is only a separator.
    void SkipLineEnds() {
        while (pos_ < b_.size() && (b_[pos_] == '\r' || b_[pos_] == '\n' || IsBlank(b_[pos_]))) {
            CountLineEnd(pos_);
            ++pos_;
        }
    }
    // CR LF, LF and a lone CR each end one line.
    void CountLineEnd(size_t i) {
        if (b_[i] == '\n' || (b_[i] == '\r' && (i + 1 == b_.size() || b_[i + 1] != '\n'))) ++line_;
    }

    std::string_view b_;
    const std::wstring& file_;
    size_t pos_ = 0;
    size_t line_ = 1;
};

// The text before the first separator, and the rest behind it; all of it when there is none.
std::wstring_view TakeUpToSeparator(std::wstring_view& list) {
    const size_t at = list.find(kSeparator);
    std::wstring_view head = list.substr(0, at);
    list = at == std::wstring_view::npos ? std::wstring_view() : list.substr(at + kSeparator.size());
    return head;
}

// A field's text as it is written: a double quote, which would end the field, becomes an apostrophe.
wchar_t FieldChar(wchar_t c) { return c == L'"' ? L'\'' : c; }

// Joined so that the first ">>" after each part is the one that follows it: every ">" that another
// ">" follows gets a space after it, and so does a ">" that ends a part before another part.
template <class Part>
void AppendJoined(std::wstring& out, const std::vector<AssessmentAnswer>& answers, Part part) {
    for (size_t i = 0; i < answers.size(); ++i) {
        if (i > 0) out += kSeparator;
        const std::wstring& text = part(answers[i]);
        for (size_t k = 0; k < text.size(); ++k) {
            out += FieldChar(text[k]);
            if (text[k] == L'>' && (k + 1 < text.size() ? text[k + 1] == L'>' : i + 1 < answers.size())) out += L' ';
        }
    }
}

const std::wstring& TextOf(const AssessmentAnswer& a) { return a.AnswerText; }
const std::wstring& FlagOf(const AssessmentAnswer& a) { return a.Correct; }

void AppendField(std::wstring& out, std::wstring_view text) {
    out += L'"';
    for (wchar_t c : text) out += FieldChar(c);
    out += L'"';
}

template <class Part>
void AppendJoinedField(std::wstring& out, const std::vector<AssessmentAnswer>& answers, Part part) {
    out += L'"';
    AppendJoined(out, answers, part);
    out += L'"';
}

}  // namespace

std::wstring TestInfoFileName(const std::wstring& modulePath, const std::wstring& moduleCode,
                              const std::wstring& pageName) {
    return zv::JoinPath(modulePath, moduleCode + L"_" + pageName.substr(0, 4) + L"TST");
}

void SplitAnswerFields(std::wstring_view answerList, std::wstring_view flagList, std::vector<AssessmentAnswer>& answers) {
    answers.clear();
    while (!answerList.empty()) {
        if (answers.size() == kMaxAnswers) {
            throw zv::Error(L"A question holds more than " + std::to_wstring(kMaxAnswers) + L" answers.");
        }
        AssessmentAnswer& a = answers.emplace_back();
        a.AnswerText = TakeUpToSeparator(answerList);
        a.Correct = TakeUpToSeparator(flagList);
    }
    // Slots without text at the end ("A>>>>") are no answers; no list written can end in one.
    while (!answers.empty() && answers.back().AnswerText.empty()) answers.pop_back();
}

TestInfo ParseTestInfo(std::string_view bytes, const std::wstring& fileName) {
    FieldScanner scanner(bytes, fileName);
    const std::vector<RawField> fields = scanner.ScanAll();
    TestInfo info;
    if (fields.empty()) return info;
    if ((fields.size() - 1) % kFieldsPerQuestion != 0) {
        const size_t have = (fields.size() - 1) % kFieldsPerQuestion;
        scanner.Fail(L"the last question has " + std::to_wstring(have) + L" of its six fields (the file is cut short)",
                     fields.back().line);
    }
    info.HasTestType = true;
    info.TestType = zv::DecodeCp1252(fields[0].bytes);
    const size_t count = (fields.size() - 1) / kFieldsPerQuestion;
    info.Questions.resize(count);
    std::wstring answers, flags;
    for (size_t i = 0; i < count; ++i) {
        const RawField* f = &fields[1 + i * kFieldsPerQuestion];
        AssessmentQuestion& q = info.Questions[i];
        zv::DecodeCp1252Into(f[0].bytes, q.QuestionText);
        zv::DecodeCp1252Into(f[1].bytes, answers);
        zv::DecodeCp1252Into(f[2].bytes, flags);
        zv::DecodeCp1252Into(f[3].bytes, q.Explanation);
        zv::DecodeCp1252Into(f[4].bytes, q.LinkText);
        zv::DecodeCp1252Into(f[5].bytes, q.LinkFile);
        try {
            SplitAnswerFields(answers, flags, q.Answers);
        } catch (const zv::Error&) {
            scanner.Fail(L"question " + std::to_wstring(i + 1) + L" has more than " + std::to_wstring(kMaxAnswers) +
                             L" answers",
                         f[1].line);
        }
    }
    return info;
}

std::wstring JoinAnswerTexts(const AssessmentQuestion& question) {
    std::wstring out;
    AppendJoined(out, question.Answers, TextOf);
    return out;
}

std::wstring JoinCorrectFlags(const AssessmentQuestion& question) {
    std::wstring out;
    AppendJoined(out, question.Answers, FlagOf);
    return out;
}

size_t QuestionsToWrite(const std::vector<AssessmentQuestion>& questions) {
    if (!questions.empty() && questions.back().QuestionText.empty()) return questions.size() - 1;
    return questions.size();
}

std::string FormatTestInfo(const std::wstring& testType, const std::vector<AssessmentQuestion>& questions,
                           size_t count) {
    count = std::min(count, questions.size());
    size_t size = testType.size() + 4;
    for (size_t i = 0; i < count; ++i) {
        const AssessmentQuestion& q = questions[i];
        size += q.QuestionText.size() + q.Explanation.size() + q.LinkText.size() + q.LinkFile.size() + 20;
        for (const AssessmentAnswer& a : q.Answers) size += a.AnswerText.size() + a.Correct.size() + 4;
    }
    std::wstring text;
    text.reserve(size + size / 8);
    AppendField(text, testType);
    text += L"\r\n";
    for (size_t i = 0; i < count; ++i) {
        const AssessmentQuestion& q = questions[i];
        AppendField(text, q.QuestionText);
        text += L',';
        AppendJoinedField(text, q.Answers, TextOf);
        text += L',';
        AppendJoinedField(text, q.Answers, FlagOf);
        text += L',';
        AppendField(text, q.Explanation);
        text += L',';
        AppendField(text, q.LinkText);
        text += L',';
        AppendField(text, q.LinkFile);
        text += L"\r\n";
    }
    return zv::EncodeCp1252(text);
}
