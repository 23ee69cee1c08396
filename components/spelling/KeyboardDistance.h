#pragma once
// How far a typed word is from a dictionary word, counting the slips a typist makes as cheaper than
// other differences. Both words are compared case-folded. The costs, in hundredths of an edit:
//   a letter left out, added or replaced                      100
//   a letter replaced by its neighbour on a US keyboard        60
//   two neighbouring letters swapped                           50
//   a letter doubled or a double letter undoubled              50
//   an apostrophe left out or added                            40
// ("teh" is 50 from "the" and 60 from "ten"; "recieve" 50 from "receive".)

#include <string_view>

namespace sp {

namespace cost {
inline constexpr int kEdit = 100;
inline constexpr int kNeighbourKey = 60;
inline constexpr int kSwap = 50;
inline constexpr int kDouble = 50;
inline constexpr int kApostrophe = 40;
}  // namespace cost

bool AreNeighbourKeys(char32_t a, char32_t b);

// The cost of turning `typed` into `word`, or a number above `limit` once it is certain to exceed
// it. Words longer than 64 code points are never near.
int KeyboardDistance(std::u32string_view typed, std::u32string_view word, int limit);

}  // namespace sp
