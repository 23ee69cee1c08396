#pragma once
// The frame shared by the dictionary files: a header (an 8-byte mark, a version, the file's size, a
// checksum of everything after the header, the number of sections) and a table of sections, each
// an offset, a size in bytes and a number of records. A file is read in one piece and checked once
// here; the dictionaries then use its bytes where they lie, through the sections, whose extents are
// known to be inside the file and to match their record counts.
//
//   0   mark[8]
//   8   u32 version
//   12  u32 file size
//   16  u32 checksum of bytes [24 + 12 * sections, end)
//   20  u32 number of sections
//   24  sections: u32 offset, u32 size, u32 count
// All numbers little-endian.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "components/spelling/FileBytes.h"

namespace sp {

struct FileSection {
    std::uint32_t offset = 0, size = 0, count = 0;
};

// What a format expects of its file.
struct FileLayout {
    const char* mark;                          // 8 bytes
    std::uint32_t version;
    std::vector<std::uint32_t> recordSizes;    // per section; 0 = raw bytes (count = size)
};

std::uint32_t DictionaryChecksum(std::string_view bytes);

// Little-endian reads from bytes whose extent was checked before.
inline std::uint32_t LoadU32(const char* p) {
    unsigned char b[4];
    std::memcpy(b, p, 4);
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}
inline std::uint16_t LoadU16(const char* p) {
    unsigned char b[2];
    std::memcpy(b, p, 2);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}
inline std::uint8_t LoadU8(const char* p) { return static_cast<std::uint8_t>(*p); }

class DictionaryImage {
public:
    DictionaryImage() = default;
    // Takes the file's bytes and checks the frame; throws zv::Error saying what is wrong, with
    // `what` (the file's name) in front.
    DictionaryImage(FileBytes bytes, const FileLayout& layout, const std::wstring& what);

    std::size_t SectionCount() const { return sections_.size(); }
    std::uint32_t Count(std::size_t section) const { return sections_[section].count; }
    const char* Data(std::size_t section) const { return bytes_.View().data() + sections_[section].offset; }
    std::string_view Bytes(std::size_t section) const {
        return {Data(section), sections_[section].size};
    }
    std::size_t FileSize() const { return bytes_.Size(); }

private:
    FileBytes bytes_;
    std::vector<FileSection> sections_;
};

// Builds a file of the frame above from its sections' bytes.
std::string WriteDictionaryImage(const FileLayout& layout, const std::vector<std::string>& sections,
                                 const std::vector<std::uint32_t>& counts);

// Appending little-endian numbers to a section being built.
inline void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
inline void PutU16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}
inline void PutU8(std::string& out, std::uint8_t v) { out.push_back(static_cast<char>(v)); }

}  // namespace sp
