#include "components/textcontrol/formats/ByteIO.h"

namespace tx {

void ByteReader::Fail(const std::wstring& what) const {
    throw zv::Error(context_ + L": " + what + L" (at byte " + std::to_wstring(base_ + pos_) + L").");
}

void ByteReader::Need(std::size_t count, const wchar_t* what) const {
    if (count > Remaining()) Fail(std::wstring(L"the data ends inside ") + what);
}

std::uint8_t ByteReader::U8(const wchar_t* what) {
    Need(1, what);
    return static_cast<std::uint8_t>(data_[pos_++]);
}

std::uint16_t ByteReader::U16(const wchar_t* what) {
    Need(2, what);
    const auto* p = reinterpret_cast<const unsigned char*>(data_.data() + pos_);
    pos_ += 2;
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t ByteReader::U32(const wchar_t* what) {
    Need(4, what);
    const auto* p = reinterpret_cast<const unsigned char*>(data_.data() + pos_);
    pos_ += 4;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t ByteReader::I32(const wchar_t* what) { return static_cast<std::int32_t>(U32(what)); }

bool ByteReader::Bool(const wchar_t* what) {
    const auto v = U8(what);
    if (v > 1) Fail(std::wstring(what) + L" is neither true nor false");
    return v == 1;
}

int ByteReader::Int(const wchar_t* what, int lo, int hi) {
    const std::int32_t v = I32(what);
    if (v < lo || v > hi) {
        pos_ -= 4;
        Fail(std::wstring(what) + L" is out of range (" + std::to_wstring(v) + L")");
    }
    return v;
}

std::size_t ByteReader::Count(const wchar_t* what, std::size_t max, std::size_t minItemBytes) {
    const std::uint32_t n = U32(what);
    if (n > max) Fail(std::wstring(what) + L" is too large (" + std::to_wstring(n) + L")");
    if (minItemBytes > 0 && n > Remaining() / minItemBytes)
        Fail(std::wstring(what) + L" (" + std::to_wstring(n) + L") is more than the data can hold");
    return n;
}

std::string_view ByteReader::Bytes(std::size_t count, const wchar_t* what) {
    Need(count, what);
    auto v = data_.substr(pos_, count);
    pos_ += count;
    return v;
}

std::wstring ByteReader::Text(const wchar_t* what, std::size_t maxUnits) {
    const std::size_t n = Count(what, maxUnits, 2);
    auto bytes = Bytes(n * 2, what);
    std::wstring text(n, L'\0');
    for (std::size_t i = 0; i < n; ++i) {
        text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    return text;
}

ByteReader ByteReader::Sub(std::size_t count, const wchar_t* what) {
    const std::size_t start = base_ + pos_;
    return ByteReader(Bytes(count, what), context_, start);
}

void ByteWriter::U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v));
    U8(static_cast<std::uint8_t>(v >> 8));
}

void ByteWriter::U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) U8(static_cast<std::uint8_t>(v >> (8 * i)));
}

void ByteWriter::Text(std::wstring_view text) {
    U32(static_cast<std::uint32_t>(text.size()));
    for (wchar_t c : text) {
        // The file holds UTF-16 units; a wider character (only where wchar_t is 32-bit) cannot be kept.
        auto unit = static_cast<std::uint32_t>(c);
        if constexpr (sizeof(wchar_t) > 2) {
            if (unit > 0xFFFF) unit = 0xFFFD;
        }
        U16(static_cast<std::uint16_t>(unit));
    }
}

void ByteWriter::PatchU32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out_[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
}

}  // namespace tx
