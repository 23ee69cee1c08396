#pragma once
// The program's own title texts, as the start-up window and the about box show them.

inline constexpr wchar_t kProductName[] = L"Zorvik";
inline constexpr wchar_t kProductDescription[] = L"Authoring of e-learning modules";
inline constexpr wchar_t kProductVersion[] = L"Version 2.0";
inline constexpr wchar_t kProductCopyright[] = L"Copyright \x00A9 Oskavar. All rights reserved.";
