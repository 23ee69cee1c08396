#pragma once
// The rules of the page setup dialog that need no window: the paper presets, which preset a typed
// size is, and which entries allow OK.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

struct PaperPreset {
    const wchar_t* name;
    std::int32_t width;   // twips
    std::int32_t height;  // twips
};

// In the order of the paper list. "Letter" is the editor's own page, wider than high.
inline constexpr std::array<PaperPreset, 5> kPaperPresets{{
    {L"A4", 11906, 16837},
    {L"A5", 8418, 11906},
    {L"B5", 9978, 14174},
    {L"Letter", 15228, 9618},
    {L"Legal", 12240, 20160},
}};
inline constexpr int kUserDefinedPaper = 5;
inline constexpr wchar_t kUserDefinedName[] = L"User Defined";
// A typed size this close to a preset (less than this many twips off on each side) is the preset.
inline constexpr std::int32_t kPaperTolerance = 10;

// The six boxes in twips; nullopt where the text is no length.
struct PageEntries {
    std::optional<std::int32_t> left, top, right, bottom, width, height;
};

// Every margin at least 1 twip and at most the paper side it runs along; the width at most 16383
// twips (twice it must fit 16 bits), the height at most 32767. A box that is no length fails.
bool ValidatePageEntries(const PageEntries& entries);

// The preset index for a typed size, kUserDefinedPaper when none is near enough. Sizes are 16-bit
// values in the page setup: one outside that range, or no size at all, is user defined.
int MatchPaperSize(std::optional<std::int32_t> width, std::optional<std::int32_t> height);

// The index of a paper list entry by its text, -1 for "User Defined" or an unknown text.
int PresetIndex(std::wstring_view name);
