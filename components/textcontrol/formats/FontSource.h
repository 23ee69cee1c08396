#pragma once
// Where a page description gets its fonts: the TrueType font a face names, in bold and italic where
// the family has those styles. A device gives what it shows (under Windows the fonts GDI selects);
// the folder source reads font files, natively the Liberation fonts that stand in metric for metric
// for the usual Windows faces.

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "components/textcontrol/formats/TrueType.h"

namespace tx {

class FontSource {
public:
    virtual ~FontSource() = default;
    // The face's font nearest to the style asked for; null when the source has nothing for it. A
    // source may give a substitute for a face it lacks, as a device's font mapper does.
    virtual std::shared_ptr<const TrueTypeFont> Find(const std::wstring& face, bool bold, bool italic) = 0;
};

class FolderFontSource : public FontSource {
public:
    explicit FolderFontSource(std::vector<std::wstring> folders);
    // The folders of Debian's Liberation and DejaVu fonts.
    static std::vector<std::wstring> DefaultFolders();
    // The source of the default folders, made once for the process.
    static FolderFontSource& Default();

    std::shared_ptr<const TrueTypeFont> Find(const std::wstring& face, bool bold, bool italic) override;

private:
    struct Entry {
        std::wstring path;
        bool bold = false, italic = false;
    };
    void Index();
    std::shared_ptr<const TrueTypeFont> Load(const Entry& entry);
    const Entry* Best(const std::wstring& family, bool bold, bool italic) const;

    std::vector<std::wstring> folders_;
    bool indexed_ = false;
    std::map<std::wstring, std::vector<Entry>> families_;  // by family name, lower case
    std::map<std::wstring, std::shared_ptr<const TrueTypeFont>> loaded_;
    std::mutex mutex_;
};

// The family that stands in for a face in a source that lacks it: the usual Windows faces have
// metric twins, anything else goes by its look (serif, fixed pitch or sans).
std::wstring SubstituteFamily(std::wstring_view face);

}  // namespace tx
