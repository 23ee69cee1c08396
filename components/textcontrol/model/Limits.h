#pragma once
// Sane bounds for everything a file can ask for. Readers check each value against them before they
// allocate or build anything, so that a hostile length field cannot make us allocate gigabytes.

#include <cstddef>

namespace tx::limits {

inline constexpr int kMaxTwips = 32767 * 20;        // far beyond any page (about 11 metres)
inline constexpr int kMaxBorder = 1440;
inline constexpr int kMinColumnWidth = 1;
inline constexpr int kMaxTableRows = 1000;
inline constexpr int kMaxTableColumns = 63;
inline constexpr int kMinFontSize = 1;
inline constexpr int kMaxFontSize = 1638 * 20;      // 1638 pt
inline constexpr int kMaxScale = 10000;             // percent
inline constexpr std::size_t kMaxFaceName = 64;
inline constexpr std::size_t kMaxTabs = 64;
inline constexpr std::size_t kMaxTextItem = 4096;   // field targets, object names, mark and style names
inline constexpr std::size_t kMaxParagraphs = 1'000'000;
inline constexpr std::size_t kMaxTextLength = 16 * 1024 * 1024;  // characters in a document
inline constexpr std::size_t kMaxImageBytes = 64 * 1024 * 1024;
inline constexpr std::size_t kMaxItems = 100'000;   // fields, objects, marks, styles, formats, tables

}  // namespace tx::limits
