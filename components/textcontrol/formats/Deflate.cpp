#include "components/textcontrol/formats/Deflate.h"

#include <zlib.h>

#include <algorithm>

#include "base/Error.h"

namespace tx {

std::string Deflate(std::string_view bytes) {
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()),
                  static_cast<uLong>(bytes.size()), 6) != Z_OK)
        throw zv::Error(L"The data could not be compressed.");
    out.resize(size);
    return out;
}

std::string Inflate(std::string_view bytes, std::size_t maxBytes) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw zv::Error(L"The compressed data cannot be read: out of memory.");
    std::string out;
    char buffer[16384];
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z.avail_in = static_cast<uInt>(bytes.size());
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        status = inflate(&z, Z_NO_FLUSH);
        const std::size_t produced = sizeof buffer - z.avail_out;
        if (out.size() + produced > maxBytes) {
            inflateEnd(&z);
            throw zv::Error(L"The compressed data cannot be read: it is larger than it says.");
        }
        out.append(buffer, produced);
        if (status == Z_BUF_ERROR && z.avail_in == 0) break;  // the input ends before the stream does
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END) throw zv::Error(L"The compressed data cannot be read: it is damaged or cut short.");
    return out;
}

}  // namespace tx
