#pragma once
// What the assessment creator's commands do to the model and to its boxes, without the window: the
// window hands its boxes in, runs the command, and shows the boxes, the focus and the caption after.

#include <string>

#include "app/assessment/Assessment.h"

// The creator's boxes as the author sees them.
struct CreatorBoxes {
    std::wstring Text1;   // the question
    std::wstring Text2;   // the answer at CurAnswer
    bool Check1 = false;  // that answer is correct
    std::wstring Text3;   // the explanation
    std::wstring Text4;   // the link text
    std::wstring Text5;   // the link file
    bool operator==(const CreatorBoxes&) const = default;
};

// "Assessment Creation - Module(<code>) - Question(<CurQuestion + 1>)"
std::wstring CreatorCaption(const std::wstring& moduleCode, int curQuestion);

// One question with one empty answer slot, shown at question 1, answer 1.
void StartAssessment(AssCreatorGlobals& g);

void ShowQuestion(AssCreatorGlobals& g, CreatorBoxes& b, int q);
void ShowAnswer(AssCreatorGlobals& g, CreatorBoxes& b, int a);

// The store steps: none ever stores an empty box over stored text, except the explanation on a move.
void StoreAnswer(AssCreatorGlobals& g, const CreatorBoxes& b);
void StoreLink(AssCreatorGlobals& g, const CreatorBoxes& b);
void StoreExplanationOnMove(AssCreatorGlobals& g, const CreatorBoxes& b);
// The step a save runs first: nothing when the question box is empty.
void StoreCurrentQuestion(AssCreatorGlobals& g, const CreatorBoxes& b);

// True when an answer of the current question is stored with the flag "1".
bool CorrectAnswerSelected(const AssCreatorGlobals& g);

// The question moves: true when the move went on (the window then saves and sets its caption);
// false when it was refused (an empty question box, or no answer marked correct). Growing past the
// last question of a full test throws zv::Error.
bool NextQuestion(AssCreatorGlobals& g, CreatorBoxes& b);
bool PreviousQuestion(AssCreatorGlobals& g, CreatorBoxes& b);

void NextAnswer(AssCreatorGlobals& g, CreatorBoxes& b);
void PreviousAnswer(AssCreatorGlobals& g, CreatorBoxes& b);
void DeleteAnswer(AssCreatorGlobals& g, CreatorBoxes& b);
void DeleteQuestion(AssCreatorGlobals& g, CreatorBoxes& b);

// "New Module" after its save: one new empty question; the link boxes keep what they show.
void ClearForNewAssessment(AssCreatorGlobals& g, CreatorBoxes& b);
