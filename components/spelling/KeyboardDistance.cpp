#include "components/spelling/KeyboardDistance.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace sp {
namespace {

constexpr int kMaxLength = 64;

// Row and column of each letter on a US keyboard; each row sits half a key right of the one above.
struct KeyPlace {
    int row = -1, col = -1;
};
constexpr std::array<KeyPlace, 26> MakeKeyPlaces() {
    std::array<KeyPlace, 26> places{};
    const char* rows[] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; rows[r][c]; ++c) places[rows[r][c] - 'a'] = {r, c};
    return places;
}

constexpr bool Touch(KeyPlace p, KeyPlace q) {
    if (p.row == q.row) return p.col - q.col == 1 || q.col - p.col == 1;
    if (p.row > q.row) std::swap(p, q);
    // q is one row below p: it touches the key above it and the one above to the right.
    return q.row - p.row == 1 && (p.col == q.col || p.col == q.col + 1);
}

// For each letter, a bit for each letter whose key touches its key.
constexpr std::array<std::uint32_t, 26> MakeNeighbours() {
    constexpr auto places = MakeKeyPlaces();
    std::array<std::uint32_t, 26> out{};
    for (int a = 0; a < 26; ++a)
        for (int b = 0; b < 26; ++b)
            if (a != b && Touch(places[a], places[b])) out[a] |= 1u << b;
    return out;
}
constexpr auto kNeighbours = MakeNeighbours();

}  // namespace

bool AreNeighbourKeys(char32_t a, char32_t b) {
    if (a < U'a' || a > U'z' || b < U'a' || b > U'z') return false;
    return (kNeighbours[a - U'a'] >> (b - U'a')) & 1;
}

namespace {

inline int GapCost(std::u32string_view s, std::size_t i) {
    if (s[i] == U'\'') return cost::kApostrophe;
    if ((i > 0 && s[i - 1] == s[i]) || (i + 1 < s.size() && s[i + 1] == s[i])) return cost::kDouble;
    return cost::kEdit;
}

inline int ReplaceCost(char32_t a, char32_t b) {
    if (a == b) return 0;
    const char32_t x = a - U'a', y = b - U'a';
    return x < 26 && y < 26 && ((kNeighbours[x] >> y) & 1) ? cost::kNeighbourKey : cost::kEdit;
}

}  // namespace

int KeyboardDistance(std::u32string_view s, std::u32string_view t, int limit) {
    if (s.size() > kMaxLength || t.size() > kMaxLength) return limit + 1;
    std::array<int, kMaxLength> insert;
    for (std::size_t j = 0; j < t.size(); ++j) insert[j] = GapCost(t, j);
    // Three rows of the table: the one before last for swaps, the last, the current.
    std::array<int, kMaxLength + 1> rows[3];
    int* before = rows[0].data();
    int* last = rows[1].data();
    int* current = rows[2].data();
    last[0] = 0;
    int lastRowMin = 0;
    for (std::size_t j = 1; j <= t.size(); ++j) last[j] = last[j - 1] + insert[j - 1];
    for (std::size_t i = 1; i <= s.size(); ++i) {
        const int remove = GapCost(s, i - 1);
        const char32_t si = s[i - 1];
        current[0] = last[0] + remove;
        int rowMin = current[0];
        for (std::size_t j = 1; j <= t.size(); ++j) {
            const char32_t tj = t[j - 1];
            int v = std::min(last[j] + remove, current[j - 1] + insert[j - 1]);
            v = std::min(v, last[j - 1] + ReplaceCost(si, tj));
            if (i > 1 && j > 1 && si == t[j - 2] && s[i - 2] == tj && si != tj)
                v = std::min(v, before[j - 2] + cost::kSwap);
            current[j] = v;
            rowMin = std::min(rowMin, v);
        }
        // A swap reaches back two rows: only two rows past the limit rule out every way on.
        if (rowMin > limit && lastRowMin > limit) return limit + 1;
        lastRowMin = rowMin;
        std::swap(before, last);
        std::swap(last, current);
    }
    return last[t.size()];
}

}  // namespace sp
