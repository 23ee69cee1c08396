#pragma once
// The dictionary files of the program, in its folder.

namespace sp {

inline constexpr wchar_t kSpellingDictionaryName[] = L"VSSP_AE.DCT";
inline constexpr wchar_t kThesaurusName[] = L"VSTH_AE.THE";
inline constexpr wchar_t kUserDictionaryName[] = L"Custom.dct";

}  // namespace sp
