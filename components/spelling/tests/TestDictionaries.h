#pragma once
// Fixtures of the spelling tests: the real dictionaries the build made, small ones made from a
// few lines, a scratch folder, and the frame's checksum put right after a test changed bytes.

#include <filesystem>
#include <memory>
#include <string>

#include "components/spelling/DictionaryBuilder.h"
#include "components/spelling/SpellDictionary.h"
#include "components/spelling/Thesaurus.h"

namespace sp::test {

std::wstring RealDictionaryPath();  // VSSP_AE.DCT as the build made it
std::wstring RealThesaurusPath();   // VSTH_AE.THE
std::shared_ptr<const SpellDictionary> RealDictionary();  // read once for all tests
const Thesaurus& RealThesaurus();

// A dictionary of the given lines ("word" or "word 10" with its commonness class).
std::string SmallDictionaryBytes(const std::string& lines);
std::shared_ptr<const SpellDictionary> SmallDictionary(const std::string& lines);

// Writes size and checksum of a frame again, after a test changed its content on purpose.
void Reseal(std::string& bytes);
void PutU32At(std::string& bytes, std::size_t at, std::uint32_t v);
std::uint32_t SectionOffset(const std::string& bytes, int section);  // from 0

// A fresh empty folder, removed with the object.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::filesystem::path& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return (path_ / name).wstring(); }

private:
    std::filesystem::path path_;
};

}  // namespace sp::test
