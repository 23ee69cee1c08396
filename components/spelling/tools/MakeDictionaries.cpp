// Makes the program's dictionary files at build time:
//   make_dictionaries WORD-LIST CLASSED-LISTS-FOLDER THESAURUS-TEXT OUTPUT-FOLDER
// The word list gives the spelling dictionary its words; the classed lists ("english-words.10",
// "american-upper.50", ...: a word a line, the class after the last dot) give each word its
// commonness; the thesaurus text gives the thesaurus.

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>

#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "components/spelling/DictionaryBuilder.h"
#include "components/spelling/DictionaryNames.h"

namespace fs = std::filesystem;

namespace {

int Run(const fs::path& words, const fs::path& classes, const fs::path& thesaurus, const fs::path& out) {
    sp::CommonnessMap commonness;
    const std::regex classed(R"((english|american)-(words|upper|proper-names|contractions|abbreviations)\.([0-9]+))");
    int lists = 0;
    for (const auto& entry : fs::directory_iterator(classes)) {
        std::smatch m;
        const std::string name = entry.path().filename().string();
        if (!std::regex_match(name, m, classed)) continue;
        sp::AddCommonnessList(commonness, zv::ReadFileBytes(entry.path().wstring()), std::stoi(m[3].str()));
        ++lists;
    }
    if (lists == 0) throw zv::Error(L"No classed word lists in " + classes.wstring());
    fs::create_directories(out);
    const std::string spelling = sp::BuildSpellDictionary(zv::ReadFileBytes(words.wstring()), commonness);
    zv::WriteFileReplacing((out / sp::kSpellingDictionaryName).wstring(), spelling);
    const std::string thes = sp::BuildThesaurus(zv::ReadFileBytes(thesaurus.wstring()));
    zv::WriteFileReplacing((out / sp::kThesaurusName).wstring(), thes);
    std::printf("make_dictionaries: %zu and %zu bytes from %d classed lists\n", spelling.size(), thes.size(), lists);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: make_dictionaries WORD-LIST CLASSED-LISTS-FOLDER THESAURUS-TEXT OUTPUT-FOLDER\n");
        return 2;
    }
    try {
        return Run(argv[1], argv[2], argv[3], argv[4]);
    } catch (const zv::Error& e) {
        std::fprintf(stderr, "make_dictionaries: %ls\n", e.Description().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_dictionaries: %s\n", e.what());
    }
    return 1;
}
