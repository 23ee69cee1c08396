#include "app/assessment/CreatorCommands.h"

#include <algorithm>

#include "app/assessment/AssCreatorControls.h"
#include "app/assessment/TextFields.h"
#include "base/Error.h"

namespace {

AssessmentQuestion NewQuestion() {
    AssessmentQuestion q;
    q.Answers.emplace_back();
    return q;
}

// The positions always name an existing question and an existing answer slot of it.
AssessmentQuestion& Current(AssCreatorGlobals& g) {
    if (g.Questions.empty()) g.Questions.push_back(NewQuestion());
    g.CurQuestion = static_cast<std::int16_t>(std::clamp<int>(g.CurQuestion, 0, static_cast<int>(g.Questions.size()) - 1));
    AssessmentQuestion& q = g.Questions[static_cast<size_t>(g.CurQuestion)];
    EnsureAnswerSlot(q);
    g.CurAnswer = static_cast<std::int16_t>(std::clamp<int>(g.CurAnswer, 0, static_cast<int>(q.Answers.size()) - 1));
    return q;
}

int Last(size_t size) { return static_cast<int>(size) - 1; }

}  // namespace

std::wstring CreatorCaption(const std::wstring& moduleCode, int curQuestion) {
    return L"Assessment Creation - Module(" + moduleCode + L") - Question(" + std::to_wstring(curQuestion + 1) + L")";
}

void StartAssessment(AssCreatorGlobals& g) {
    g.CurQuestion = 0;
    g.CurAnswer = 0;
    g.Questions.assign(1, NewQuestion());
}

void ShowQuestion(AssCreatorGlobals& g, CreatorBoxes& b, int q) {
    g.CurQuestion = static_cast<std::int16_t>(q);
    g.CurAnswer = 0;
    const AssessmentQuestion& question = Current(g);
    b.Text1 = question.QuestionText;
    b.Text2 = question.Answers[0].AnswerText;
    b.Check1 = IsCorrectFlag(question.Answers[0].Correct);
    b.Text3 = question.Explanation;
    b.Text4 = question.LinkText;
    b.Text5 = question.LinkFile;
}

void ShowAnswer(AssCreatorGlobals& g, CreatorBoxes& b, int a) {
    g.CurAnswer = static_cast<std::int16_t>(a);
    const AssessmentQuestion& question = Current(g);
    const AssessmentAnswer& answer = question.Answers[static_cast<size_t>(g.CurAnswer)];
    b.Text2 = answer.AnswerText;
    b.Check1 = IsCorrectFlag(answer.Correct);
}

void StoreAnswer(AssCreatorGlobals& g, const CreatorBoxes& b) {
    if (b.Text2.empty()) return;
    AssessmentQuestion& q = Current(g);
    AssessmentAnswer& a = q.Answers[static_cast<size_t>(g.CurAnswer)];
    a.AnswerText = StoredAnswerText(b.Text2);
    a.Correct = b.Check1 ? L"1" : L"0";
}

void StoreLink(AssCreatorGlobals& g, const CreatorBoxes& b) {
    if (b.Text4.empty() || b.Text5.empty()) return;
    AssessmentQuestion& q = Current(g);
    q.LinkText = RemoveCR_LF_Quotes(b.Text4);
    q.LinkFile = QuotesToApostrophes(b.Text5);
}

void StoreExplanationOnMove(AssCreatorGlobals& g, const CreatorBoxes& b) {
    Current(g).Explanation = QuotesToApostrophes(b.Text3);
}

void StoreCurrentQuestion(AssCreatorGlobals& g, const CreatorBoxes& b) {
    if (b.Text1.empty()) return;
    AssessmentQuestion& q = Current(g);
    q.QuestionText = QuotesToApostrophes(b.Text1);
    StoreAnswer(g, b);
    if (!b.Text3.empty()) q.Explanation = QuotesToApostrophes(b.Text3);
    StoreLink(g, b);
}

bool CorrectAnswerSelected(const AssCreatorGlobals& g) {
    if (g.CurQuestion < 0 || static_cast<size_t>(g.CurQuestion) >= g.Questions.size()) return false;
    const auto& answers = g.Questions[static_cast<size_t>(g.CurQuestion)].Answers;
    return std::any_of(answers.begin(), answers.end(), [](const AssessmentAnswer& a) { return a.Correct == L"1"; });
}

bool NextQuestion(AssCreatorGlobals& g, CreatorBoxes& b) {
    if (b.Text1.empty()) return false;
    Current(g).QuestionText = QuotesToApostrophes(b.Text1);
    StoreAnswer(g, b);
    if (!CorrectAnswerSelected(g)) return false;
    StoreExplanationOnMove(g, b);
    StoreLink(g, b);
    if (g.CurQuestion == Last(g.Questions.size())) {
        if (g.Questions.size() >= static_cast<size_t>(kMaxQuestions)) {
            throw zv::Error(L"An assessment holds at most " + std::to_wstring(kMaxQuestions) + L" questions.");
        }
        g.Questions.push_back(NewQuestion());
        g.CurQuestion = static_cast<std::int16_t>(g.CurQuestion + 1);
        g.CurAnswer = 0;
        b = CreatorBoxes{};
    } else {
        ShowQuestion(g, b, g.CurQuestion + 1);
    }
    return true;
}

bool PreviousQuestion(AssCreatorGlobals& g, CreatorBoxes& b) {
    if (!b.Text1.empty()) Current(g).QuestionText = QuotesToApostrophes(b.Text1);
    StoreAnswer(g, b);
    if (!b.Text1.empty() && !CorrectAnswerSelected(g)) return false;
    StoreExplanationOnMove(g, b);
    StoreLink(g, b);
    // On the first question the boxes stay as they are, and so does the answer they show: moving the
    // position to answer 1 under them would store this answer's text over answer 1 at the next store.
    if (g.CurQuestion > 0) ShowQuestion(g, b, g.CurQuestion - 1);
    return true;
}

void NextAnswer(AssCreatorGlobals& g, CreatorBoxes& b) {
    if (b.Text2.empty()) return;
    StoreAnswer(g, b);
    AssessmentQuestion& q = Current(g);
    if (q.Answers[static_cast<size_t>(g.CurAnswer)].AnswerText.empty()) return;  // line breaks alone are no answer
    if (g.CurAnswer == Last(q.Answers.size())) {
        if (q.Answers.size() >= static_cast<size_t>(kMaxAnswers)) {
            throw zv::Error(L"A question holds at most " + std::to_wstring(kMaxAnswers) + L" answers.");
        }
        q.Answers.emplace_back();
        g.CurAnswer = static_cast<std::int16_t>(g.CurAnswer + 1);
        b.Check1 = false;
        b.Text2.clear();
    } else {
        ShowAnswer(g, b, g.CurAnswer + 1);
    }
}

void PreviousAnswer(AssCreatorGlobals& g, CreatorBoxes& b) {
    StoreAnswer(g, b);
    AssessmentQuestion& q = Current(g);
    if (g.CurAnswer == 0) return;
    const int to = g.CurAnswer - 1;
    // An empty slot left at the end is dropped.
    if (b.Text2.empty() && g.CurAnswer == Last(q.Answers.size())) q.Answers.pop_back();
    ShowAnswer(g, b, to);
}

void DeleteAnswer(AssCreatorGlobals& g, CreatorBoxes& b) {
    AssessmentQuestion& q = Current(g);
    if (g.CurAnswer != Last(q.Answers.size())) {
        if (b.Text2.empty()) return;
        q.Answers.erase(q.Answers.begin() + g.CurAnswer);
        ShowAnswer(g, b, g.CurAnswer);
        return;
    }
    b.Text2.clear();
    b.Check1 = false;
    if (g.CurAnswer == 0) {
        q.Answers.assign(1, AssessmentAnswer{});
        return;
    }
    q.Answers.pop_back();
    ShowAnswer(g, b, Last(q.Answers.size()));
}

void DeleteQuestion(AssCreatorGlobals& g, CreatorBoxes& b) {
    Current(g);
    if (g.CurQuestion != Last(g.Questions.size())) {
        if (b.Text1.empty()) return;
        g.Questions.erase(g.Questions.begin() + g.CurQuestion);
        ShowQuestion(g, b, g.CurQuestion);
        return;
    }
    b = CreatorBoxes{};
    if (g.CurQuestion == 0) {
        g.Questions.assign(1, NewQuestion());
        g.CurAnswer = 0;
        return;
    }
    g.Questions.pop_back();
    ShowQuestion(g, b, Last(g.Questions.size()));
}

void ClearForNewAssessment(AssCreatorGlobals& g, CreatorBoxes& b) {
    StartAssessment(g);
    b.Text1.clear();
    b.Text2.clear();
    b.Text3.clear();
    b.Check1 = false;
}
