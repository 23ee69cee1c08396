#include "components/spelling/tests/TestDictionaries.h"

#include <atomic>
#include <random>
#include <sstream>

#include "base/Files.h"
#include "components/spelling/DictionaryFile.h"
#include "components/spelling/Unicode.h"

namespace sp::test {

std::wstring RealDictionaryPath() { return Utf8ToWide(ZV_DICTIONARY_DIR "/VSSP_AE.DCT"); }
std::wstring RealThesaurusPath() { return Utf8ToWide(ZV_DICTIONARY_DIR "/VSTH_AE.THE"); }

std::shared_ptr<const SpellDictionary> RealDictionary() {
    static auto d = std::make_shared<SpellDictionary>(zv::ReadFileBytes(RealDictionaryPath()), L"real");
    return d;
}

const Thesaurus& RealThesaurus() {
    static Thesaurus t(zv::ReadFileBytes(RealThesaurusPath()), L"real");
    return t;
}

std::string SmallDictionaryBytes(const std::string& lines) {
    std::istringstream in(lines);
    std::string line, words;
    CommonnessMap classes;
    while (std::getline(in, line)) {
        const auto space = line.find(' ');
        const std::string word = line.substr(0, space);
        if (space != std::string::npos) classes[word] = std::stoi(line.substr(space + 1));
        words += word + "\n";
    }
    return BuildSpellDictionary(words, classes);
}

std::shared_ptr<const SpellDictionary> SmallDictionary(const std::string& lines) {
    return std::make_shared<SpellDictionary>(SmallDictionaryBytes(lines), L"small");
}

void PutU32At(std::string& bytes, std::size_t at, std::uint32_t v) {
    std::string b;
    PutU32(b, v);
    bytes.replace(at, 4, b);
}

std::uint32_t SectionOffset(const std::string& bytes, int section) { return LoadU32(bytes.data() + 24 + 12 * section); }

void Reseal(std::string& bytes) {
    const std::size_t tableEnd = 24 + 12 * static_cast<std::size_t>(LoadU32(bytes.data() + 20));
    PutU32At(bytes, 12, static_cast<std::uint32_t>(bytes.size()));
    if (tableEnd > bytes.size()) return;
    PutU32At(bytes, 16, DictionaryChecksum(std::string_view(bytes).substr(tableEnd)));
}

ScratchFolder::ScratchFolder() {
    // Test programs run side by side: a random part keeps their folders apart.
    static std::atomic<int> counter{0};
    static const unsigned run = std::random_device{}();
    path_ = std::filesystem::temp_directory_path() /
            ("zv-spelling-" + std::to_string(run) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

}  // namespace sp::test
