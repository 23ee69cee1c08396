#pragma once
// The painting surface of a PDF page: the third device beside the screen and the printer. Its
// device unit is the twip, so the painter's positions need no rounding a printer would not do;
// it writes them as points, with the page's top edge where the painter's y is 0. Text stays
// text: every run is one text object of its font, each character placed at the edge the layout
// gave it.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "components/textcontrol/formats/PdfFonts.h"
#include "components/textcontrol/formats/PdfObjects.h"
#include "components/textcontrol/formats/Raster.h"
#include "components/textcontrol/paint/Surface.h"

namespace tx {

// A picture the PDF's own readers cannot decode (TIFF, metafiles), as a raster, or nullopt.
using PictureDecoder = std::function<std::optional<Raster>(const Object&)>;

// The pictures of one PDF, each written once however many pages show it.
class PdfPictures {
public:
    PdfPictures(PdfObjects& objects, PictureDecoder decodeOther) : objects_(objects), decodeOther_(std::move(decodeOther)) {}
    // The number n of the object's picture resource (/Im<n>), 0 when it cannot be read.
    int Of(const Object& object);
    // Picture numbers and their objects.
    const std::map<int, int>& Resources() const { return resources_; }

private:
    int Write(const Object& object);

    PdfObjects& objects_;
    PictureDecoder decodeOther_;
    // By the picture's bytes: the same picture inserted twice is still written once. The views are
    // into the document being written, which outlives this.
    std::map<std::string_view, int> byData_;
    std::map<int, int> resources_;
};

class PdfSurface : public Surface {
public:
    PdfSurface(PdfFonts& fonts, PdfPictures& pictures, int pageHeight) : fonts_(fonts), pictures_(pictures), height_(pageHeight) {}

    void Fill(const DeviceRect& r, Color color) override;
    void Invert(const DeviceRect& r) override;
    void Text(const TextRun& run) override;
    void Image(const Object& object, const DeviceRect& r) override;

    const std::string& Content() const { return out_; }
    // Whether an inversion was drawn: the page's resources then need its blend mode (/Inv).
    bool Inverts() const { return inverts_; }

private:
    std::string X(double twips) const;
    std::string Y(double twips) const;
    void Rectangle(double left, double top, double right, double bottom, Color color);

    PdfFonts& fonts_;
    PdfPictures& pictures_;
    int height_;
    bool inverts_ = false;
    std::string out_;
};

}  // namespace tx
