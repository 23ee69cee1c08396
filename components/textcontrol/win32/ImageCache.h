#pragma once
// Decoded pictures of image objects, kept per encoded image so that a repaint never decodes.
// Raster images (PNG, JPEG, BMP, GIF, TIFF) go through the Windows Imaging Component into 32-bit
// pixels composed onto white; Windows and enhanced metafiles become an enhanced metafile handle.

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "components/textcontrol/model/Document.h"
#include "ui/Handles.h"

namespace tx {

struct DecodedImage {
    int width = 0, height = 0;            // pixels; 0 = undecodable
    std::vector<std::uint32_t> pixels;    // BGRX, top row first
    ui::EnhMetafile metafile;             // metafiles instead of pixels
    bool Valid() const { return metafile.Get() != nullptr || (width > 0 && height > 0); }
};

// Decodes bytes of any image type the model knows; an invalid result for anything else.
DecodedImage DecodeImage(const std::string& bytes, ImageType type);

class ImageCache {
public:
    const DecodedImage& Get(const std::shared_ptr<const std::string>& bytes, ImageType type);
    // Forgets pictures whose bytes no document holds any more.
    void Prune();
    size_t Size() const { return entries_.size(); }

private:
    struct Entry {
        std::shared_ptr<const std::string> bytes;  // keeps the key's address in use
        DecodedImage image;
    };
    std::map<const std::string*, Entry> entries_;
};

// Draws a decoded picture into a device rectangle (nothing for an invalid one but a grey frame).
void DrawImage(HDC dc, const DecodedImage& image, const RECT& r);

}  // namespace tx
