#pragma once
// An ordered collection of colours, each with an optional key. Positions count from 1; keys compare
// without regard to case. A failed call throws a LibraryError and leaves the collection as it was.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace palvex {

// An item named by its position (from 1) or by its key.
using ItemRef = std::variant<int64_t, std::wstring>;

// Keys are equal when they are equal after case folding (Latin, Greek and Cyrillic letters).
bool SameKey(const std::wstring& a, const std::wstring& b);

class ColorCollection {
public:
    struct Item {
        int32_t color = 0;
        std::optional<std::wstring> key;
        bool operator==(const Item&) const = default;
    };

    size_t Count() const { return items_.size(); }
    const std::vector<Item>& Items() const { return items_; }
    std::vector<int32_t> Colors() const;

    // Before the item `before` names, or at the end. A key already present is error 457.
    void Add(int32_t color, const std::optional<std::wstring>& key, const std::optional<ItemRef>& before);
    void Remove(const ItemRef& ref);
    void Clear() { items_.clear(); }
    int32_t Color(const ItemRef& ref) const;
    // Replaces every item by these colours, without keys.
    void Assign(const std::vector<int32_t>& colors);

private:
    // The zero-based index; a position outside 1..Count is error 9, an unknown key error 5.
    size_t IndexOf(const ItemRef& ref) const;

    std::vector<Item> items_;
};

// The stored form of a collection in a property bag: names "Count" and "Value1"... after an optional
// prefix and a dot.
std::wstring StoredName(const std::wstring& prefix, const std::wstring& name);

// The largest stored count a load accepts.
constexpr int32_t kMaxStoredColors = 65536;

// The number of colours to read for a stored count: a negative count reads none; a count above
// kMaxStoredColors is error 380 and reads nothing.
int32_t StoredColorCount(int32_t stored);

}  // namespace palvex
