#pragma once
// Random access to big-endian binary data (font tables, PNG and JPEG headers): every read is checked
// against the data's end and a failure throws a zv::Error saying what was being read and where.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/Error.h"

namespace tx {

class BigEndianView {
public:
    BigEndianView() = default;
    BigEndianView(std::string_view data, std::wstring context, std::size_t base = 0)
        : data_(data), context_(std::move(context)), base_(base) {}

    std::size_t Size() const { return data_.size(); }
    std::string_view Data() const { return data_; }
    bool Has(std::size_t at, std::size_t count) const { return at <= data_.size() && count <= data_.size() - at; }

    std::uint8_t U8(std::size_t at, const wchar_t* what) const {
        Need(at, 1, what);
        return static_cast<std::uint8_t>(data_[at]);
    }
    std::uint16_t U16(std::size_t at, const wchar_t* what) const {
        Need(at, 2, what);
        return static_cast<std::uint16_t>(Byte(at) << 8 | Byte(at + 1));
    }
    std::int16_t I16(std::size_t at, const wchar_t* what) const { return static_cast<std::int16_t>(U16(at, what)); }
    std::uint32_t U32(std::size_t at, const wchar_t* what) const {
        Need(at, 4, what);
        return static_cast<std::uint32_t>(Byte(at)) << 24 | static_cast<std::uint32_t>(Byte(at + 1)) << 16 |
               static_cast<std::uint32_t>(Byte(at + 2)) << 8 | Byte(at + 3);
    }
    std::string_view Bytes(std::size_t at, std::size_t count, const wchar_t* what) const {
        Need(at, count, what);
        return data_.substr(at, count);
    }
    BigEndianView Sub(std::size_t at, std::size_t count, const wchar_t* what) const {
        return BigEndianView(Bytes(at, count, what), context_, base_ + at);
    }

    [[noreturn]] void Fail(const std::wstring& what, std::size_t at = 0) const {
        throw zv::Error(context_ + L": " + what + L" (at byte " + std::to_wstring(base_ + at) + L").");
    }

private:
    unsigned Byte(std::size_t at) const { return static_cast<unsigned char>(data_[at]); }
    void Need(std::size_t at, std::size_t count, const wchar_t* what) const {
        if (!Has(at, count)) Fail(std::wstring(L"the data ends inside ") + what, std::min(at, data_.size()));
    }

    std::string_view data_;
    std::wstring context_;
    std::size_t base_ = 0;
};

}  // namespace tx
