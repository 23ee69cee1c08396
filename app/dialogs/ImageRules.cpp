#include "app/dialogs/ImageRules.h"

#include "base/Error.h"

std::vector<std::wstring> SplitFormats(std::wstring_view formats) {
    std::vector<std::wstring> entries;
    if (formats.empty()) return entries;
    size_t from = 0;
    for (;;) {
        const size_t bar = formats.find(L'|', from);
        entries.emplace_back(formats.substr(from, bar == std::wstring_view::npos ? std::wstring_view::npos : bar - from));
        if (bar == std::wstring_view::npos) break;
        from = bar + 1;
    }
    return entries;
}

std::array<std::int32_t, 4> ReadImageDistances(const std::array<std::wstring, 4>& texts,
                                               const std::array<ShownValue, 4>& shown, int unit,
                                               wchar_t decimalSeparator, int& failedBox) {
    static const wchar_t* const kNames[] = {L"Left", L"Top", L"Right", L"Bottom"};
    constexpr std::int32_t kMaxDistance = 32767;
    std::array<std::int32_t, 4> twips{};
    for (int i = 0; i < 4; ++i) {
        const auto value = LengthOfEntry(texts[static_cast<size_t>(i)], shown[static_cast<size_t>(i)], unit, decimalSeparator);
        if (!value || *value < 0 || *value > kMaxDistance) {
            failedBox = i;
            throw zv::Error(std::wstring(L"The ") + kNames[i] + L" distance must be a length from 0 to " +
                            std::to_wstring(kMaxDistance) + L" twips.");
        }
        twips[static_cast<size_t>(i)] = *value;
    }
    failedBox = -1;
    return twips;
}
