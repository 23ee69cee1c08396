#include "controls/core/ColorCollection.h"

#include "controls/core/LibraryError.h"

namespace palvex {

namespace {

const wchar_t kSource[] = L"MultiGradient";

// Upper case of a letter of the Latin-1 and Latin Extended-A ranges, Greek or Cyrillic; every other
// character stays. Enough for keys a program gives, and the same on every platform.
wchar_t FoldCase(wchar_t c) {
    if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 32);
    if (c < 0xE0) return c;
    if (c <= 0xFE) return c == 0xF7 ? c : static_cast<wchar_t>(c - 32);   // à..þ except ÷
    if (c == 0xFF) return 0x178;                                             // ÿ
    if (c >= 0x100 && c <= 0x17F) {                                          // Latin Extended-A pairs
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : static_cast<wchar_t>(c - 1);
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        return (c & 1) ? static_cast<wchar_t>(c - 1) : c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return static_cast<wchar_t>(c - 32);  // Greek
    if (c >= 0x430 && c <= 0x44F) return static_cast<wchar_t>(c - 32);                // Cyrillic
    if (c >= 0x450 && c <= 0x45F) return static_cast<wchar_t>(c - 80);
    return c;
}

[[noreturn]] void Fail(int32_t number, const wchar_t* description) {
    throw LibraryError(number, kSource, description);
}

}  // namespace

bool SameKey(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

std::vector<int32_t> ColorCollection::Colors() const {
    std::vector<int32_t> colors;
    colors.reserve(items_.size());
    for (const Item& item : items_) colors.push_back(item.color);
    return colors;
}

size_t ColorCollection::IndexOf(const ItemRef& ref) const {
    if (const auto* position = std::get_if<int64_t>(&ref)) {
        if (*position < 1 || *position > static_cast<int64_t>(items_.size())) Fail(kErrSubscriptOutOfRange, L"Subscript out of range");
        return static_cast<size_t>(*position - 1);
    }
    const std::wstring& key = std::get<std::wstring>(ref);
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].key && SameKey(*items_[i].key, key)) return i;
    Fail(kErrInvalidCall, L"Invalid procedure call or argument");
}

void ColorCollection::Add(int32_t color, const std::optional<std::wstring>& key, const std::optional<ItemRef>& before) {
    if (key) {
        for (const Item& item : items_)
            if (item.key && SameKey(*item.key, *key))
                Fail(kErrDuplicateKey, L"This key is already associated with an element of this collection");
    }
    const size_t at = before ? IndexOf(*before) : items_.size();
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), Item{color, key});
}

void ColorCollection::Remove(const ItemRef& ref) {
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(IndexOf(ref)));
}

int32_t ColorCollection::Color(const ItemRef& ref) const { return items_[IndexOf(ref)].color; }

void ColorCollection::Assign(const std::vector<int32_t>& colors) {
    std::vector<Item> items;
    items.reserve(colors.size());
    for (int32_t color : colors) items.push_back(Item{color, std::nullopt});
    items_ = std::move(items);
}

std::wstring StoredName(const std::wstring& prefix, const std::wstring& name) {
    return prefix.empty() ? name : prefix + L"." + name;
}

int32_t StoredColorCount(int32_t stored) {
    if (stored < 0) return 0;
    if (stored > kMaxStoredColors)
        throw LibraryError(kErrInvalidPropertyValue, kSource,
                           L"The stored colour count " + std::to_wstring(stored) + L" is above the limit of " +
                               std::to_wstring(kMaxStoredColors) + L".");
    return stored;
}

}  // namespace palvex
