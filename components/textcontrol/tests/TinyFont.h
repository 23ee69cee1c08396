#pragma once
// A small TrueType font made table by table, so that tests know every value in it and can damage
// any part: 1000 units per em; glyph 0 the missing glyph, 1 'A' (advance 500), 2 'B' (600), 3 'C'
// (700) built of 'A' and 'B', 4 the blank, which has no long metric of its own and so advances as
// the last one does (700); U+1F600 maps to 'B' through the full map.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "components/textcontrol/formats/FontSource.h"

namespace tx::testing {

struct TinyFontOptions {
    std::uint16_t embedding = 0;  // the OS/2 table's embedding bits
    bool bold = false;
    std::wstring family = L"Tiny Sans";
};

std::map<std::uint32_t, std::string> TinyFontTables(const TinyFontOptions& options = {});
std::string TinyFont(const TinyFontOptions& options = {});

// A source of the made font, bold or not, under the face "Tiny"; nothing for any other face.
class TinyFontSource : public FontSource {
public:
    explicit TinyFontSource(std::uint16_t embedding = 0) : embedding_(embedding) {}
    std::shared_ptr<const TrueTypeFont> Find(const std::wstring& face, bool bold, bool italic) override;

private:
    std::uint16_t embedding_;
};

}  // namespace tx::testing
