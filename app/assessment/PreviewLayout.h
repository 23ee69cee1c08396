#pragma once
// The arithmetic of the assessment preview's question page: its height from the heights of what it
// shows, and the scroll bar that moves it inside its viewport, 230 twips a step.

inline constexpr long kPreviewScrollStep = 230;

// Heights (twips) of the page's parts: "Question i of n", the question, the answers' frame, the
// "Correct answer(s) in bold." line, the explanation's heading and text.
struct PreviewHeights {
    long Label7 = 0, Label8 = 0, Frame1 = 0, Label5 = 0, Label6 = 0, Label10 = 0;
};

// Style 1: the page before its question is laid out; 3: a question with an explanation; any other:
// a question without one.
long QuestionPageHeight(int style, const PreviewHeights& h);

struct PageScroll {
    long pageHeight = 0;      // the page's height inside the viewport
    bool scrollBar = false;   // shown only when the page is taller than the viewport
    int max = 0;              // the scroll bar's Max (Min is 0)
};
// The page's height and its scroll bar for a page of `pageHeight` in a viewport `viewportHeight` high
// (inner heights).
PageScroll ScrollForPage(long viewportHeight, long pageHeight);

// A whole number from a fraction, halves to the even number.
long RoundHalfEven(double value);
