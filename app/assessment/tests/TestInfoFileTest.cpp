// The test file: its bytes, its reader's refusals, the field sanitisers and the round trip through
// the current page's file in a module folder.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/assessment/AssCreatorControls.h"
#include "app/assessment/TestInfoFile.h"
#include "app/assessment/TextFields.h"
#include "app/core/AppState.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"

namespace {

AssessmentQuestion Q(std::wstring text, std::vector<AssessmentAnswer> answers, std::wstring explanation = L"",
                     std::wstring linkText = L"", std::wstring linkFile = L"") {
    return {std::move(text), std::move(explanation), std::move(answers), std::move(linkText), std::move(linkFile)};
}

std::string Format(const std::wstring& type, const std::vector<AssessmentQuestion>& qs) {
    return FormatTestInfo(type, qs, QuestionsToWrite(qs));
}

TEST(TestInfoFile, TheExampleRecordByteForByte) {
    const auto qs = std::vector{Q(L"Which colour is the sky?", {{L"Green", L"0"}, {L"Blue", L"1"}, {L"Red", L"0"}})};
    EXPECT_EQ(Format(L"1", qs),
              "\"1\"\r\n"
              "\"Which colour is the sky?\",\"Green>>Blue>>Red\",\"0>>1>>0\",\"\",\"\",\"\"\r\n");
    // Windows-1252 on disk; a last question never filled in is not written.
    const auto two = std::vector{Q(L"Caf\xE9 \x20AC?", {{L"Oui", L"1"}}, L"Expl", L"Link", L"a.htm"), Q(L"", {{}})};
    EXPECT_EQ(Format(L"0", two), "\"0\"\r\n\"Caf\xE9 \x80?\",\"Oui\",\"1\",\"Expl\",\"Link\",\"a.htm\"\r\n");
    EXPECT_EQ(Format(L"", {Q(L"", {{}})}), "\"\"\r\n") << "a test whose only question is empty";
}

TEST(TestInfoFile, FileNameIsCodeUnderscorePageAndTst) {
    EXPECT_EQ(TestInfoFileName(zv::JoinPath(L"m", L"000123"), L"000123", L"0007.txm"),
              zv::JoinPath(zv::JoinPath(L"m", L"000123"), L"000123_0007TST"));
}

TEST(TestInfoFile, ReaderTakesFieldsAsTheyAreQuoted) {
    struct Case {
        const char* name;
        std::string bytes;
        std::wstring type;
        std::vector<AssessmentQuestion> questions;
    };
    const Case cases[] = {
        {"zero bytes", "", L"", {}},
        {"type only", "\"2\"\r\n", L"2", {}},
        {"type without line end", "\"1\"", L"1", {}},
        {"commas inside a field", "\"0\"\r\n\"a, b\",\"x,y>>z\",\"1>>0\",\"e,\",\",l\",\"f\"\r\n", L"0",
         {Q(L"a, b", {{L"x,y", L"1"}, {L"z", L"0"}}, L"e,", L",l", L"f")}},
        {"line breaks inside quotes stay", "\"0\"\r\n\"line1\r\nline2\",\"A\",\"1\",\"e1\r\ne2\",\"\",\"\"\r\n", L"0",
         {Q(L"line1\r\nline2", {{L"A", L"1"}}, L"e1\r\ne2")}},
        {"a record break is only a separator", "\"0\",\"q\",\"A\"\n\"1\",\"\"\r\"\",\"\"", L"0", {Q(L"q", {{L"A", L"1"}})}},
        {"blanks around separators, trailing line ends", "  \"0\" \r\n\t\"q\" ,\t\"A\",\"1\",\"\",\"\",\"\"\r\n\r\n", L"0",
         {Q(L"q", {{L"A", L"1"}})}},
        {"an answer list A>>B with the flags 1", "\"0\"\r\n\"q\",\"A>>B\",\"1\",\"\",\"\",\"\"\r\n", L"0",
         {Q(L"q", {{L"A", L"1"}, {L"B", L""}})}},
        {"flags beyond the answers are ignored", "\"0\"\r\n\"q\",\"A\",\"0>>1>>1\",\"\",\"\",\"\"\r\n", L"0",
         {Q(L"q", {{L"A", L"0"}})}},
        {"an empty answer list gives no answers", "\"0\"\r\n\"q\",\"\",\"1\",\"\",\"\",\"\"\r\n", L"0", {Q(L"q", {})}},
        {"empty answers between others stay", "\"0\"\r\n\"q\",\"A>>>>C\",\"0>>>>1\",\"\",\"\",\"\"\r\n", L"0",
         {Q(L"q", {{L"A", L"0"}, {L"", L""}, {L"C", L"1"}})}},
        {"empty answers at the end are none", "\"0\"\r\n\"q\",\"A>>>>>>\",\"1>>1>>1\",\"\",\"\",\"\"\r\n", L"0",
         {Q(L"q", {{L"A", L"1"}})}},
        {"Windows-1252 bytes", "\"0\"\r\n\"\x80\xA9\xE9\",\"\x93x\x94\",\"1\",\"\",\"\",\"\"\r\n", L"0",
         {Q(L"\x20AC\xA9\xE9", {{L"\x201Cx\x201D", L"1"}})}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestInfo info = ParseTestInfo(c.bytes, L"t");
        EXPECT_EQ(info.TestType, c.type);
        EXPECT_EQ(info.HasTestType, !c.bytes.empty());
        EXPECT_EQ(info.Questions, c.questions);
    }
}

TEST(TestInfoFile, MalformedFilesAreRefusedNamingFileLineAndFault) {
    struct Case {
        const char* name;
        std::string bytes;
        std::wstring expected;  // the description after the file name
    };
    const std::string q = "\"q\",\"A\",\"1\",\"\",\"\",\"\"\r\n";
    const Case cases[] = {
        {"unclosed quote", "\"0\"\r\n" + q + "\"open,\"x\"\r\n\"y", L"is damaged: line 3: there is text after the closing quote"},
        {"unclosed last quote", "\"0\"\r\n\"q\",\"A", L"is damaged: line 2: the field that starts on line 2 has no closing double quote."},
        {"five fields", "\"0\"\r\n\"q\",\"A\",\"1\",\"\",\"\"\r\n", L"is damaged: line 2: the last question has 5 of its six fields (the file is cut short)."},
        {"cut after the type", "\"0\"\r\n\"q\"", L"is damaged: line 2: the last question has 1 of its six fields"},
        {"text between fields", "\"0\"\r\n\"q\" x,\"A\",\"1\",\"\",\"\",\"\"\r\n", L"is damaged: line 2: there is text after the closing quote of a field."},
        {"an unquoted field", "0\r\n", L"is damaged: line 1: a field does not start with a double quote."},
        {"an empty field after a comma", "\"0\",\r\n" + q, L"is damaged: line 1: a comma is not followed by a field."},
        {"a comma at the end", "\"0\"," , L"is damaged: line 1: a comma is not followed by a field."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            ParseTestInfo(c.bytes, L"C:\\m\\000123_0007TST");
            ADD_FAILURE() << "read without an error";
        } catch (const zv::Error& e) {
            const std::wstring prefix = L"The test file C:\\m\\000123_0007TST ";
            ASSERT_EQ(e.Description().substr(0, prefix.size()), prefix);
            EXPECT_NE(e.Description().find(c.expected), std::wstring::npos)
                << std::string(e.Description().begin(), e.Description().end());
        }
    }
}

TEST(TestInfoFile, LimitsOf32767QuestionsAndAnswers) {
    std::string many = "\"0\"\r\n";
    for (int i = 0; i < kMaxQuestions; ++i) many += "\"q\",\"A\",\"1\",\"\",\"\",\"\"\r\n";
    EXPECT_EQ(ParseTestInfo(many, L"t").Questions.size(), static_cast<size_t>(kMaxQuestions));
    many += "\"q\",\"A\",\"1\",\"\",\"\",\"\"\r\n";
    EXPECT_THROW(ParseTestInfo(many, L"t"), zv::Error);

    std::string answers = "A";
    for (int i = 1; i < kMaxAnswers; ++i) answers += ">>A";
    const std::string record = "\"0\"\r\n\"q\",\"" + answers + "\",\"1\",\"\",\"\",\"\"\r\n";
    EXPECT_EQ(ParseTestInfo(record, L"t").Questions[0].Answers.size(), static_cast<size_t>(kMaxAnswers));
    try {
        ParseTestInfo("\"0\"\r\n\"q\",\"" + answers + ">>A\",\"1\",\"\",\"\",\"\"\r\n", L"t");
        ADD_FAILURE() << "32768 answers read";
    } catch (const zv::Error& e) {
        EXPECT_NE(e.Description().find(L"question 1 has more than 32767 answers"), std::wstring::npos);
    }
}

TEST(TextFields, ReplaceStrAndTheSanitisers) {
    struct Case {
        std::wstring in, find, replace, out;
    };
    const Case cases[] = {
        {L"aa", L"a", L"aa", L"aaaa"},  // the search goes on behind the inserted text
        {L"aa", L"a", L"", L""},
        {L"abc", L"", L"x", L"abc"},  // an empty search text changes nothing
        {L"", L"a", L"b", L""},
        {L"Say \"hi\"", L"\"", L"'", L"Say 'hi'"},
        {L"AbA", L"a", L"x", L"AbA"},  // case-sensitive
        {L"x>>y>>z", L">>", L"+", L"x+y+z"},
    };
    for (const Case& c : cases) EXPECT_EQ(ReplaceStr(c.in, c.find, c.replace), c.out);

    EXPECT_EQ(RemoveCR_LF_Quotes(L"a\r\nb\"c\"\n"), L"ab'c'");
    EXPECT_EQ(StoredAnswerText(L"x >> y"), L"x > > y");
    EXPECT_EQ(StoredAnswerText(L">>>"), L"> > >");
    EXPECT_EQ(StoredAnswerText(L"\"a\"\r\nb"), L"'a'b");
}

TEST(TextFields, OneReadingOfACorrectFlag) {
    for (const wchar_t* yes : {L"1", L"-1", L"2", L" 1", L"1.5", L"0.5", L"+3"}) EXPECT_TRUE(IsCorrectFlag(yes)) << yes;
    for (const wchar_t* no : {L"", L"0", L"00", L"0.0", L"x", L"1x", L"-", L".", L"True"}) EXPECT_FALSE(IsCorrectFlag(no)) << no;
}

// Each typed field stored and saved, then read back: what comes back is what the field stores.
TEST(TestInfoFile, TypedTextsReadBackAsStored) {
    const std::wstring nasty = L"He said \"no\"\r\nthen >> left>";
    AssessmentQuestion q = Q(QuotesToApostrophes(nasty), {{StoredAnswerText(nasty), L"1"}, {StoredAnswerText(L"B>"), L"0"},
                                                          {StoredAnswerText(L"C"), L"1"}},
                             QuotesToApostrophes(nasty), RemoveCR_LF_Quotes(nasty), QuotesToApostrophes(L"x\"y.htm"));
    const std::string bytes = Format(L"0", {q});
    TestInfo back = ParseTestInfo(bytes, L"t");
    ASSERT_EQ(back.Questions.size(), 1u);
    const AssessmentQuestion& r = back.Questions[0];
    EXPECT_EQ(r.QuestionText, L"He said 'no'\r\nthen >> left>") << "the question keeps its line breaks";
    EXPECT_EQ(r.Explanation, L"He said 'no'\r\nthen >> left>") << "so does the explanation";
    EXPECT_EQ(r.LinkText, L"He said 'no'then >> left>");
    EXPECT_EQ(r.LinkFile, L"x'y.htm");
    ASSERT_EQ(r.Answers.size(), 3u) << "no answer splits in two";
    EXPECT_EQ(r.Answers[0].AnswerText, L"He said 'no'then > > left> ");
    EXPECT_EQ(r.Answers[1].AnswerText, L"B> ") << "a \">\" before the separator is kept apart from it";
    EXPECT_EQ(r.Answers[2].AnswerText, L"C");
    EXPECT_EQ((std::vector<std::wstring>{r.Answers[0].Correct, r.Answers[1].Correct, r.Answers[2].Correct}),
              (std::vector<std::wstring>{L"1", L"0", L"1"}));
    // A model with a double quote anywhere still gives a file that reads.
    AssessmentQuestion raw = Q(L"q\"", {{L"a\"", L"1"}}, L"e\"", L"l\"", L"f\"");
    EXPECT_EQ(ParseTestInfo(Format(L"0", {raw}), L"t").Questions[0],
              Q(L"q'", {{L"a'", L"1"}}, L"e'", L"l'", L"f'"));
}

TEST(TestInfoFile, WhatWasReadIsWrittenBackByteForByte) {
    const std::string bytes =
        "\"2\"\r\n"
        "\"One\",\"A>>>B>>C>\",\"1>>0>>\",\"Because\r\nso\",\"See\",\"a.htm\"\r\n"
        "\"Two\",\"\",\"\",\"\",\"\",\"\"\r\n";
    TestInfo info = ParseTestInfo(bytes, L"t");
    EXPECT_EQ(FormatTestInfo(info.TestType, info.Questions, info.Questions.size()), bytes);
}

// The current page's file in a module folder, as the creator loads and saves it.
class TestInfoOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAppState();
        dir_ = std::filesystem::temp_directory_path() /
               (std::string("zv_testinfo_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        App().ModulePath = dir_.wstring();
        App().ModuleCode = L"000123";
        App().PageList.Add_Page(L"0007.txm", L"Test", L"", true);
        App().PageList.SetPageAsCurrent(L"0007.txm");
        StartAssessment();
    }
    void TearDown() override {
        ResetAppState();
        std::filesystem::remove_all(dir_);
    }
    static void StartAssessment() {
        auto& g = App().AssCreatorControls;
        g.Questions.assign(1, AssessmentQuestion{});
        g.Questions[0].Answers.emplace_back();
    }
    std::filesystem::path File() const { return dir_ / "000123_0007TST"; }
    void Write(const std::string& bytes) const { std::ofstream(File(), std::ios::binary) << bytes; }

    std::filesystem::path dir_;
};

TEST_F(TestInfoOnDisk, LoadReadsTheCurrentPagesFileAndGivesEveryQuestionASlot) {
    EXPECT_EQ(CurrentTestInfoFile(), File().wstring());
    App().AssCreatorControls.TestType = L"1";
    LoadTestInfo();  // no file: nothing changes
    EXPECT_EQ(App().AssCreatorControls.TestType, L"1");

    Write("\"2\"\r\n");
    LoadTestInfo();
    EXPECT_EQ(App().AssCreatorControls.TestType, L"2");
    EXPECT_EQ(App().AssCreatorControls.Questions.size(), 1u) << "the prepared question stays";

    Write("\"0\"\r\n\"q1\",\"\",\"\",\"\",\"\",\"\"\r\n\"q2\",\"A\",\"1\",\"\",\"\",\"\"\r\n");
    LoadTestInfo();
    const auto& qs = App().AssCreatorControls.Questions;
    ASSERT_EQ(qs.size(), 2u);
    EXPECT_EQ(qs[0].Answers, (std::vector<AssessmentAnswer>{{}})) << "a question read without answers gets a slot";
    EXPECT_EQ(App().AssCreatorControls.TestType, L"0");

    Write("");
    LoadTestInfo();
    EXPECT_EQ(App().AssCreatorControls.TestType, L"0") << "an empty file is an empty assessment";
    EXPECT_EQ(qs.size(), 2u);
}

TEST_F(TestInfoOnDisk, ADamagedFileChangesNothingAndIsKeptUnderANameTheMessageGives) {
    const std::string damaged = "\"1\"\r\n\"q\",\"A\",\"1\",\"expl";
    Write(damaged);
    App().AssCreatorControls.TestType = L"0";
    for (const char* kept : {".bad", ".bad2"}) {
        try {
            LoadTestInfo();
            ADD_FAILURE() << "a damaged file loaded";
        } catch (const zv::Error& e) {
            const std::wstring keptName = File().wstring() + std::wstring(kept, kept + std::strlen(kept));
            EXPECT_NE(e.Description().find(L"The test file " + File().wstring() + L" is damaged"), std::wstring::npos);
            EXPECT_NE(e.Description().find(L"It has been kept as " + keptName + L"."), std::wstring::npos);
            EXPECT_EQ(zv::ReadFileBytes(keptName), damaged);
        }
        EXPECT_EQ(App().AssCreatorControls.TestType, L"0");
        ASSERT_EQ(App().AssCreatorControls.Questions.size(), 1u);
        EXPECT_EQ(App().AssCreatorControls.Questions[0], (AssessmentQuestion{L"", L"", {{}}, L"", L""}));
    }
    EXPECT_EQ(zv::ReadFileBytes(File().wstring()), damaged);
}

TEST_F(TestInfoOnDisk, WriteReplacesTheFileAndAFailureKeepsTheOldOneWhole) {
    auto& g = App().AssCreatorControls;
    g.TestType = L"0";
    g.Questions[0] = Q(L"q", {{L"A", L"1"}});
    WriteTestInfo(g, CurrentTestInfoFile());
    const std::string first = zv::ReadFileBytes(File().wstring());
    EXPECT_EQ(first, "\"0\"\r\n\"q\",\"A\",\"1\",\"\",\"\",\"\"\r\n");
    // The folder's temporary name taken by a folder: the write fails, the old file stays.
    std::filesystem::create_directories(dir_ / "~000123_0007TST.tmp");
    g.Questions[0].QuestionText = L"changed";
    try {
        WriteTestInfo(g, CurrentTestInfoFile());
        ADD_FAILURE() << "the write reported no failure";
    } catch (const zv::Error& e) {
        EXPECT_NE(e.Description().find(File().wstring()), std::wstring::npos);
    }
    EXPECT_EQ(zv::ReadFileBytes(File().wstring()), first);
}

TEST(AssCreatorControls, AnswerLinesListIndexAndOrder) {
    EXPECT_EQ(GetAnswerLines({{L"A", L"1"}, {L"B", L"0"}, {L"C", L""}, {L"D", L"-1"}}),
              (std::vector<std::wstring>{L"\xA9" L"A", L"B", L"C", L"\xA9" L"D"}));
    EXPECT_EQ(MinInt(3, -2), -2);

    struct Case {
        int top;
        double y;
        int expected;
    };
    // 15 twips per pixel, items 16 pixels high, 5 items.
    const Case cases[] = {{0, 0, 0},      {0, 239, 1},   {0, 233, 1},  {0, 225, 0},  // 225 / 15 = 15 px: row 0
                          {0, 247.5, 1},  {2, 480, 4},   {0, 9000, 4}, {0, -400, 0}, {3, 0, 3}};
    for (const Case& c : cases) EXPECT_EQ(ListIndexAt(c.top, c.y, 15.0, 16, 5), c.expected) << c.top << " " << c.y;
    EXPECT_EQ(ListIndexAt(0, 100, 15.0, 16, 0), -1);
    // Halves to even: 7.5 px rounds to 8 (row 1 of 8-pixel items), 6.5 px to 6 (row 0).
    EXPECT_EQ(ListIndexAt(0, 7.5 * 15, 15.0, 8, 5), 1);
    EXPECT_EQ(ListIndexAt(0, 6.5 * 15, 15.0, 7, 5), 0);

    AssessmentQuestion q = Q(L"q", {{L"A", L"1"}, {L"\xA9" L"B", L"0"}, {L"C", L""}});
    EXPECT_TRUE(ApplyAnswerOrder(q, {2, 0, 1}));
    EXPECT_EQ(q.Answers, (std::vector<AssessmentAnswer>{{L"C", L""}, {L"A", L"1"}, {L"\xA9" L"B", L"0"}}))
        << "an answer carries its own text and mark, a \xA9 in its text included";
    for (const auto& bad : {std::vector<int>{0, 1}, {0, 0, 1}, {0, 1, 3}, {-1, 0, 1}}) {
        EXPECT_FALSE(ApplyAnswerOrder(q, bad));
    }
    EXPECT_EQ(q.Answers[0].AnswerText, L"C");
}

}  // namespace
