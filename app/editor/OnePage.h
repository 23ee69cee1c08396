#pragma once
// A page of a module is one printed page: text that runs past it is reported, never cut.

inline constexpr wchar_t kPastOnePageMessage[] =
    L"The current page exceeds the maximum page length set for this project.  Please remove any text, spaces, "
    L"images or objects that appear past the initial page. Only one page of this document should be viewable.";
