#pragma once
// Little-endian reading and writing for the binary format. The reader checks every read against
// the bytes that remain and throws a zv::Error that says what was being read and where; it never
// reads past its end, and a length field is checked against what remains before anything is
// allocated for it.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/Error.h"

namespace tx {

class ByteReader {
public:
    ByteReader(std::string_view data, std::wstring context, std::size_t base = 0)
        : data_(data), context_(std::move(context)), base_(base) {}

    std::size_t Remaining() const { return data_.size() - pos_; }
    std::size_t Position() const { return pos_; }
    bool AtEnd() const { return pos_ == data_.size(); }

    std::uint8_t U8(const wchar_t* what);
    std::uint16_t U16(const wchar_t* what);
    std::uint32_t U32(const wchar_t* what);
    std::int32_t I32(const wchar_t* what);
    bool Bool(const wchar_t* what);
    // An int that must lie in [lo, hi].
    int Int(const wchar_t* what, int lo, int hi);
    // A count of items each at least `minItemBytes` long, and at most `max`.
    std::size_t Count(const wchar_t* what, std::size_t max, std::size_t minItemBytes);
    std::string_view Bytes(std::size_t count, const wchar_t* what);
    // UTF-16 text with a 32-bit length in units, at most `maxUnits` long.
    std::wstring Text(const wchar_t* what, std::size_t maxUnits);
    ByteReader Sub(std::size_t count, const wchar_t* what);

    [[noreturn]] void Fail(const std::wstring& what) const;

private:
    void Need(std::size_t count, const wchar_t* what) const;
    std::string_view data_;
    std::size_t pos_ = 0;
    std::wstring context_;
    std::size_t base_ = 0;  // where data_ starts in the whole input, for the messages
};

class ByteWriter {
public:
    void U8(std::uint8_t v) { out_.push_back(static_cast<char>(v)); }
    void U16(std::uint16_t v);
    void U32(std::uint32_t v);
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void Bool(bool v) { U8(v ? 1 : 0); }
    void Bytes(std::string_view bytes) { out_.append(bytes); }
    void Text(std::wstring_view text);
    // Patches a 32-bit value written earlier (section lengths).
    void PatchU32(std::size_t at, std::uint32_t v);
    std::size_t Size() const { return out_.size(); }
    std::string& Data() { return out_; }

private:
    std::string out_;
};

}  // namespace tx
