#pragma once
// What a PDF export takes from Windows: the TrueType fonts GDI selects for a face (its font mapper
// substitutes a face the system lacks, as the screen and printer do), and the pictures only Windows
// decodes (TIFF through the Imaging Component, metafiles played onto a bitmap).

#include <windows.h>

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>

#include "components/textcontrol/formats/FontSource.h"
#include "components/textcontrol/formats/Raster.h"
#include "components/textcontrol/model/Document.h"

namespace tx {

class GdiFontSource : public FontSource {
public:
    // The one source of the process: fonts are read once and kept.
    static GdiFontSource& Shared();
    std::shared_ptr<const TrueTypeFont> Find(const std::wstring& face, bool bold, bool italic) override;

private:
    std::map<std::tuple<std::wstring, bool, bool>, std::shared_ptr<const TrueTypeFont>> fonts_;
    std::mutex mutex_;
};

// A picture as pixels for a PDF, composed onto white; nullopt when Windows cannot decode it either.
std::optional<Raster> DecodePictureForPdf(const Object& object);

}  // namespace tx
