#pragma once
// The objects of a PDF file and their cross-reference table. Objects are numbered when reserved and
// written in any order; streams are compressed unless asked not to be.

#include <string>
#include <string_view>
#include <vector>

namespace tx {

class PdfObjects {
public:
    int Reserve();
    // `body`: a dictionary, an array or any other object.
    void Put(int id, std::string body);
    // `dictionary` without its /Length (and /Filter when compressed); the data as it is.
    void PutStream(int id, std::string_view dictionary, std::string_view data, bool compress = true);
    // The whole file, with `root` as its catalog and `info` (0 = none) as its information dictionary.
    std::string Finish(int root, int info) const;

private:
    std::vector<std::string> objects_;  // by id - 1
};

// A number as PDF writes it: at most three decimals, no exponent.
std::string PdfNumber(double value);
// A name (/Name) with every character outside the plain ones as #hh.
std::string PdfName(std::string_view name);
// A text string: ASCII as a literal string, anything else as UTF-16 with a byte-order mark.
std::string PdfText(std::wstring_view text);
// A byte string as a literal string, escaped.
std::string PdfBytes(std::string_view bytes);

}  // namespace tx
