#include "components/spelling/DictionaryFile.h"

#include "base/Error.h"

namespace sp {
namespace {
constexpr std::size_t kHeaderSize = 24;
constexpr std::size_t kSectionEntrySize = 12;
}  // namespace

std::uint32_t DictionaryChecksum(std::string_view bytes) {
    // Eight bytes a step: a dictionary of some megabytes is checked in about a millisecond.
    std::uint64_t h = 0xCBF29CE484222325ull ^ bytes.size();
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t v;
        std::memcpy(&v, bytes.data() + i, 8);
        h = (h ^ v) * 0x100000001B3ull;
        h ^= h >> 31;
    }
    std::uint64_t tail = 0;
    for (std::size_t k = 0; i + k < bytes.size(); ++k)
        tail |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[i + k])) << (8 * k);
    h = (h ^ tail) * 0x100000001B3ull;
    h ^= h >> 29;
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

DictionaryImage::DictionaryImage(FileBytes file, const FileLayout& layout, const std::wstring& what)
    : bytes_(std::move(file)) {
    const std::string_view bytes = bytes_.View();
    auto fail = [&](const std::wstring& why) { throw zv::Error(what + L": " + why + L"."); };
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), layout.mark, 8) != 0)
        fail(L"this is not a dictionary of this program");
    const std::uint32_t version = LoadU32(bytes.data() + 8);
    if (version != layout.version)
        fail(L"the dictionary has version " + std::to_wstring(version) + L", this program reads version " +
             std::to_wstring(layout.version));
    if (LoadU32(bytes.data() + 12) != bytes.size())
        fail(L"the file is " + std::to_wstring(bytes.size()) + L" bytes long, its header says " +
             std::to_wstring(LoadU32(bytes.data() + 12)));
    const std::uint32_t count = LoadU32(bytes.data() + 20);
    if (count != layout.recordSizes.size())
        fail(L"the dictionary has " + std::to_wstring(count) + L" sections, not " +
             std::to_wstring(layout.recordSizes.size()));
    const std::size_t tableEnd = kHeaderSize + kSectionEntrySize * count;
    if (bytes.size() < tableEnd) fail(L"the file ends inside its table of sections");
    if (DictionaryChecksum(bytes.substr(tableEnd)) != LoadU32(bytes.data() + 16))
        fail(L"the file is damaged (its checksum does not match)");
    std::size_t next = tableEnd;
    for (std::uint32_t i = 0; i < count; ++i) {
        const char* e = bytes.data() + kHeaderSize + kSectionEntrySize * i;
        FileSection s{LoadU32(e), LoadU32(e + 4), LoadU32(e + 8)};
        const std::wstring name = L"section " + std::to_wstring(i + 1);
        if (s.offset != next) fail(name + L" does not start where the one before it ends");
        if (s.size > bytes.size() - s.offset) fail(name + L" runs past the end of the file");
        const std::uint32_t recordSize = layout.recordSizes[i];
        if (recordSize == 0 ? s.count != s.size : static_cast<std::uint64_t>(s.count) * recordSize != s.size)
            fail(name + L" does not hold the number of records it claims");
        next = s.offset + s.size;
        sections_.push_back(s);
    }
    if (next != bytes.size()) fail(L"the file has bytes after its last section");
}

std::string WriteDictionaryImage(const FileLayout& layout, const std::vector<std::string>& sections,
                                 const std::vector<std::uint32_t>& counts) {
    std::string out(layout.mark, 8);
    PutU32(out, layout.version);
    PutU32(out, 0);  // size, patched below
    PutU32(out, 0);  // checksum, patched below
    PutU32(out, static_cast<std::uint32_t>(sections.size()));
    std::size_t offset = kHeaderSize + kSectionEntrySize * sections.size();
    for (std::size_t i = 0; i < sections.size(); ++i) {
        PutU32(out, static_cast<std::uint32_t>(offset));
        PutU32(out, static_cast<std::uint32_t>(sections[i].size()));
        PutU32(out, layout.recordSizes[i] == 0 ? static_cast<std::uint32_t>(sections[i].size()) : counts[i]);
        offset += sections[i].size();
    }
    const std::size_t tableEnd = out.size();
    for (const auto& s : sections) out += s;
    auto patch = [&](std::size_t at, std::uint32_t v) {
        std::string b;
        PutU32(b, v);
        out.replace(at, 4, b);
    };
    patch(12, static_cast<std::uint32_t>(out.size()));
    patch(16, DictionaryChecksum(std::string_view(out).substr(tableEnd)));
    return out;
}

}  // namespace sp
