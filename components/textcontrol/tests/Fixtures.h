#pragma once
// Documents used by several tests and by the benchmarks.

#include <string>

#include "components/textcontrol/TextEngine.h"

namespace tx::testing {

// The header of a PNG of the given size: enough for the model, which never decodes images.
std::string TinyPng(int width = 20, int height = 10);

// A page that uses every part of the model: character formats, styles, alignment, indents,
// spacing, tabs, both list kinds in several numbering styles and levels, frames, hyperlink fields
// of both kinds (one with quotes, one a page link with a backslash), an image as a character, a
// fixed image, a windowed object with a name, a 3 x 4 table with cell attributes, a page break,
// marks, header, a footer with a page number and a page geometry of its own. Built through the
// engine's own members.
Document FullDocument();

// The benchmark's page: 20 paragraphs, a 3 x 4 table, an image and 30 fields.
Document BenchmarkPage();

// Finds `text` in the engine's text and selects it; fails the test when it is not there.
void Select(TextEngine& engine, std::wstring_view text);

}  // namespace tx::testing
