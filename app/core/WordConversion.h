#pragma once
// The portable half of the Word conversion: every page of the open module gathered into one text
// control, and the file name the module's Word document gets.

#include <functional>
#include <string>

#include "app/core/AppState.h"
#include "components/textcontrol/TextEngine.h"

// Empties `engine`, then puts in it every page of the module in the page list's order, with a page
// break between two pages and none after the last; the document takes the first page's size and
// margins. `beforePage` runs before each page goes in (the control's printable players go first),
// `afterPage` once it is in (its movie becomes a picture of what printing draws for it).
// The pages are walked over a list of their own: PageList and CurrentPageNo do not move. Throws
// zv::Error naming the page that cannot be loaded; the engine then holds what was gathered so far.
void GatherModulePages(const AppState& state, tx::TextEngine& engine, const std::function<void()>& beforePage,
                       const std::function<void()>& afterPage = nullptr);

// The name of the module's Word document in its folder: ModuleName & ".doc", with what a file name
// cannot hold made harmless (folder separators, drive colons, wildcards, control characters and
// trailing dots or blanks become "_"; a device name such as "CON" gets "_" after it), so that the
// document lands in the module folder under a name close to the module's.
std::wstring WordDocumentFileName(const std::wstring& moduleName);
