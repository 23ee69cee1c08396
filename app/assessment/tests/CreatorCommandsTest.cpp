// The creator's commands on the model and its boxes: the question and answer moves, the store rules,
// deletes at the ends, and the positions that must always name an existing slot.
#include <gtest/gtest.h>

#include "app/assessment/CreatorCommands.h"
#include "base/Error.h"

namespace {

class Creator : public ::testing::Test {
protected:
    void SetUp() override { StartAssessment(g); }

    // Types a question with its answers ("*" before an answer marks it correct) as an author does:
    // question box, then each answer and Next Answer, the last answer left in the box.
    void TypeQuestion(const std::wstring& question, std::vector<std::wstring> answers, const std::wstring& expl = L"") {
        b.Text1 = question;
        b.Text3 = expl;
        for (size_t i = 0; i < answers.size(); ++i) {
            const bool correct = !answers[i].empty() && answers[i][0] == L'*';
            b.Text2 = correct ? answers[i].substr(1) : answers[i];
            b.Check1 = correct;
            if (i + 1 < answers.size()) NextAnswer(g, b);
        }
    }
    std::vector<std::wstring> Texts(int q) const {
        std::vector<std::wstring> t;
        for (const auto& a : g.Questions[static_cast<size_t>(q)].Answers) t.push_back(a.AnswerText + L"/" + a.Correct);
        return t;
    }

    AssCreatorGlobals g;
    CreatorBoxes b;
};

TEST_F(Creator, NextQuestionStoresAndMovesOnlyWithACorrectAnswer) {
    TypeQuestion(L"Sky \"colour\"?", {L"Green", L"Blue"});
    EXPECT_FALSE(NextQuestion(g, b)) << "no answer marked: no move, no save";
    EXPECT_EQ(g.CurQuestion, 0);
    EXPECT_EQ(g.Questions[0].QuestionText, L"Sky 'colour'?") << "the question is stored all the same";
    EXPECT_EQ(Texts(0), (std::vector<std::wstring>{L"Green/0", L"Blue/0"}));

    b.Check1 = true;
    b.Text3 = L"Rayleigh";
    b.Text4 = L"More";
    b.Text5 = L"sky.htm";
    ASSERT_TRUE(NextQuestion(g, b));
    EXPECT_EQ(g.CurQuestion, 1);
    EXPECT_EQ(g.CurAnswer, 0);
    EXPECT_EQ(b, CreatorBoxes{}) << "a new question starts with empty boxes";
    ASSERT_EQ(g.Questions.size(), 2u);
    EXPECT_EQ(g.Questions[1].Answers.size(), 1u);
    EXPECT_EQ(g.Questions[0].Explanation, L"Rayleigh");
    EXPECT_EQ(g.Questions[0].LinkText, L"More");
    EXPECT_EQ(Texts(0), (std::vector<std::wstring>{L"Green/0", L"Blue/1"}));

    b.Text1.clear();
    EXPECT_FALSE(NextQuestion(g, b)) << "an empty question box does nothing";
    EXPECT_EQ(g.Questions.size(), 2u);

    // Back and forth: the stored question comes back into the boxes.
    EXPECT_TRUE(PreviousQuestion(g, b)) << "an empty question may be left without a correct answer";
    EXPECT_EQ(g.CurQuestion, 0);
    EXPECT_EQ(b, (CreatorBoxes{L"Sky 'colour'?", L"Green", false, L"Rayleigh", L"More", L"sky.htm"}));
    ASSERT_TRUE(NextQuestion(g, b)) << "question 1 has its correct answer";
    EXPECT_EQ(g.CurQuestion, 1);
    EXPECT_EQ(b, (CreatorBoxes{L"", L"", false, L"", L"", L""})) << "the existing empty question is shown";
    EXPECT_EQ(g.Questions.size(), 2u);
}

TEST_F(Creator, PreviousQuestionOnTheFirstKeepsBoxesAndTheirAnswer) {
    TypeQuestion(L"Q1", {L"*A", L"B", L"C"});  // the box shows answer 3
    EXPECT_EQ(g.CurAnswer, 2);
    const CreatorBoxes before = b;
    EXPECT_TRUE(PreviousQuestion(g, b));
    EXPECT_EQ(g.CurQuestion, 0);
    EXPECT_EQ(b, before);
    // The box still holds answer 3, so answer 3 is what the next store changes.
    b.Text2 = L"C2";
    ASSERT_TRUE(NextQuestion(g, b));
    EXPECT_EQ(Texts(0), (std::vector<std::wstring>{L"A/1", L"B/0", L"C2/0"}));
}

TEST_F(Creator, AnswerMovesGrowAndDropTheEmptyTrailingSlot) {
    b.Text1 = L"Q";
    NextAnswer(g, b);
    EXPECT_EQ(g.CurAnswer, 0) << "an empty answer box only gets the focus";
    b.Text2 = L"\r\n";
    NextAnswer(g, b);
    EXPECT_EQ(g.CurAnswer, 0) << "line breaks alone are no answer";

    b.Text2 = L"A";
    b.Check1 = true;
    NextAnswer(g, b);
    EXPECT_EQ(g.CurAnswer, 1);
    EXPECT_EQ(b.Text2, L"");
    EXPECT_FALSE(b.Check1);
    EXPECT_EQ(g.Questions[0].Answers.size(), 2u);
    PreviousAnswer(g, b);
    EXPECT_EQ(g.CurAnswer, 0);
    EXPECT_EQ(Texts(0), (std::vector<std::wstring>{L"A/1"})) << "the empty slot left at the end goes";
    EXPECT_EQ(b.Text2, L"A");
    EXPECT_TRUE(b.Check1);
    PreviousAnswer(g, b);
    EXPECT_EQ(g.CurAnswer, 0) << "nothing before the first answer";

    NextAnswer(g, b);
    b.Text2 = L"B";
    NextAnswer(g, b);
    b.Text2 = L"C";
    PreviousAnswer(g, b);  // the typed answer is stored before leaving
    PreviousAnswer(g, b);
    EXPECT_EQ(b.Text2, L"A");
    NextAnswer(g, b);
    EXPECT_EQ(b.Text2, L"B");
    EXPECT_EQ(Texts(0), (std::vector<std::wstring>{L"A/1", L"B/0", L"C/0"}));
}

TEST_F(Creator, DeleteAnswerInTheMiddleAndAtTheEnds) {
    TypeQuestion(L"Q", {L"A", L"*B", L"C"});
    PreviousAnswer(g, b);  // on B
    DeleteAnswer(g, b);
    EXPECT_EQ(Texts(0), (std::vector<std::wstring>{L"A/0", L"C/0"}));
    EXPECT_EQ(b.Text2, L"C") << "the next answer moves in with its mark";
    EXPECT_FALSE(b.Check1);

    PreviousAnswer(g, b);  // on A, not the last
    b.Text2.clear();
    DeleteAnswer(g, b);
    EXPECT_EQ(Texts(0).size(), 2u) << "an empty box deletes nothing in the middle";

    NextAnswer(g, b);  // empty box: stays on A
    b.Text2 = L"A";
    NextAnswer(g, b);  // on C, the last of two
    DeleteAnswer(g, b);
    EXPECT_EQ(Texts(0), (std::vector<std::wstring>{L"A/0"}));
    EXPECT_EQ(g.CurAnswer, 0) << "the position comes back to the new last answer";
    EXPECT_EQ(b.Text2, L"A");
    b.Text2 = L"A2";
    b.Check1 = true;
    NextAnswer(g, b);
    EXPECT_EQ(Texts(0)[0], L"A2/1") << "the stores after the delete land on an existing answer";

    PreviousAnswer(g, b);
    DeleteAnswer(g, b);  // the only answer: one new empty slot
    EXPECT_EQ(Texts(0), (std::vector<std::wstring>{L"/"}));
    EXPECT_EQ(b.Text2, L"");
}

TEST_F(Creator, AnEmptyFlagReadsAsNotCorrectWhenAnAnswerMovesIn) {
    g.Questions[0].Answers = {{L"A", L"1"}, {L"B", L""}, {L"C", L"1"}};
    ShowQuestion(g, b, 0);
    DeleteAnswer(g, b);
    EXPECT_EQ(b.Text2, L"B");
    EXPECT_FALSE(b.Check1);
}

TEST_F(Creator, DeleteQuestionKeepsRecordsTogetherAndClampsAtTheEnd) {
    for (const wchar_t* q : {L"Q1", L"Q2", L"Q3"}) {
        TypeQuestion(q, {std::wstring(L"*") + q + L"a", std::wstring(q) + L"b"}, std::wstring(q) + L" because");
        b.Text4 = std::wstring(q) + L" link";
        b.Text5 = std::wstring(q) + L".htm";
        ASSERT_TRUE(NextQuestion(g, b));
    }
    ASSERT_EQ(g.Questions.size(), 4u);
    ShowQuestion(g, b, 1);
    DeleteQuestion(g, b);
    ASSERT_EQ(g.Questions.size(), 3u);
    EXPECT_EQ(b, (CreatorBoxes{L"Q3", L"Q3a", true, L"Q3 because", L"Q3 link", L"Q3.htm"}));
    EXPECT_EQ(g.Questions[0].LinkFile, L"Q1.htm");
    EXPECT_EQ(Texts(1), (std::vector<std::wstring>{L"Q3a/1", L"Q3b/0"}));

    ShowQuestion(g, b, 2);  // the new empty last question
    DeleteQuestion(g, b);
    EXPECT_EQ(g.Questions.size(), 2u);
    EXPECT_EQ(g.CurQuestion, 1) << "the position comes back to the new last question";
    EXPECT_EQ(b.Text1, L"Q3");
    b.Text1 = L"Q3 changed";
    ASSERT_TRUE(NextQuestion(g, b));
    EXPECT_EQ(g.Questions[1].QuestionText, L"Q3 changed");

    ShowQuestion(g, b, 0);
    b.Text1.clear();
    DeleteQuestion(g, b);
    EXPECT_EQ(g.Questions.size(), 3u) << "an empty box deletes nothing before the last question";

    StartAssessment(g);
    b = {L"Only", L"A", true, L"", L"", L""};
    DeleteQuestion(g, b);
    ASSERT_EQ(g.Questions.size(), 1u);
    EXPECT_EQ(g.Questions[0].Answers.size(), 1u) << "the question left has an answer slot";
    EXPECT_EQ(b, CreatorBoxes{});
    b.Text2 = L"stored";
    NextAnswer(g, b);
    EXPECT_EQ(Texts(0)[0], L"stored/0");
}

TEST_F(Creator, StoreRulesNeverPutEmptyBoxesOverStoredText) {
    TypeQuestion(L"Q", {L"*A"}, L"Expl");
    b.Text4 = L"Link";
    b.Text5 = L"";
    StoreCurrentQuestion(g, b);
    EXPECT_EQ(g.Questions[0].LinkText, L"") << "a link text without a file is not stored";
    b.Text4 = L"Li\r\nnk \"x\"";
    b.Text5 = L"a \"b\".htm";
    StoreCurrentQuestion(g, b);
    EXPECT_EQ(g.Questions[0].LinkText, L"Link 'x'");
    EXPECT_EQ(g.Questions[0].LinkFile, L"a 'b'.htm");
    b.Text3.clear();
    b.Text4.clear();
    StoreCurrentQuestion(g, b);
    EXPECT_EQ(g.Questions[0].Explanation, L"Expl") << "an emptied explanation box leaves it on save";
    EXPECT_EQ(g.Questions[0].LinkText, L"Link 'x'") << "empty link boxes never clear a link";
    b.Text3 = L"say \"so\"\r\nnow";
    StoreCurrentQuestion(g, b);
    EXPECT_EQ(g.Questions[0].Explanation, L"say 'so'\r\nnow");
    b.Text3.clear();
    ASSERT_TRUE(NextQuestion(g, b));
    EXPECT_EQ(g.Questions[0].Explanation, L"") << "the question moves store an emptied explanation";

    b.Text1.clear();
    b.Text2 = L"stray";
    StoreCurrentQuestion(g, b);
    EXPECT_EQ(g.Questions[1].Answers[0].AnswerText, L"") << "nothing is stored while the question box is empty";

    EXPECT_EQ(CreatorCaption(L"000123", 4), L"Assessment Creation - Module(000123) - Question(5)");
}

TEST_F(Creator, CorrectAnswerSelectedWantsTheExactFlag) {
    g.Questions[0].Answers = {{L"A", L"2"}, {L"B", L"0"}};
    EXPECT_FALSE(CorrectAnswerSelected(g));
    ShowQuestion(g, b, 0);
    EXPECT_TRUE(b.Check1) << "shown as correct: any number but 0 is";
    g.Questions[0].Answers[1].Correct = L"1";
    EXPECT_TRUE(CorrectAnswerSelected(g));
}

TEST_F(Creator, NewModuleKeepsTheLinkBoxes) {
    TypeQuestion(L"Q", {L"*A"}, L"E");
    b.Text4 = L"L";
    b.Text5 = L"F";
    ASSERT_TRUE(NextQuestion(g, b));
    ClearForNewAssessment(g, b);
    EXPECT_EQ(g.Questions.size(), 1u);
    EXPECT_EQ(g.Questions[0].Answers.size(), 1u);
    EXPECT_EQ(g.CurQuestion, 0);
    EXPECT_EQ(b, (CreatorBoxes{L"", L"", false, L"", L"", L""}));  // the new question shows its (empty) link
}

TEST_F(Creator, GrowingPastTheLimitsIsToldAndChangesNoPosition) {
    g.Questions.resize(kMaxQuestions);
    for (auto& q : g.Questions) q.Answers = {{L"A", L"1"}};
    ShowQuestion(g, b, kMaxQuestions - 1);
    b.Text1 = L"Last";
    EXPECT_THROW(NextQuestion(g, b), zv::Error);
    EXPECT_EQ(g.CurQuestion, kMaxQuestions - 1);
    EXPECT_EQ(g.Questions.size(), static_cast<size_t>(kMaxQuestions));

    StartAssessment(g);
    g.Questions[0].Answers.resize(kMaxAnswers);
    ShowAnswer(g, b, kMaxAnswers - 1);
    b.Text2 = L"A";
    EXPECT_THROW(NextAnswer(g, b), zv::Error);
    EXPECT_EQ(g.CurAnswer, kMaxAnswers - 1);
}

TEST_F(Creator, QuestionsWithoutSlotsOrPositionsPastTheEndAreRepaired) {
    g.Questions = {AssessmentQuestion{L"Q", L"", {}, L"", L""}};
    ShowQuestion(g, b, 0);
    EXPECT_EQ(g.Questions[0].Answers.size(), 1u);
    g.Questions[0].Answers.clear();
    g.CurAnswer = 5;
    b.Text2 = L"A";
    StoreAnswer(g, b);
    EXPECT_EQ(Texts(0), (std::vector<std::wstring>{L"A/0"}));
}

}  // namespace
