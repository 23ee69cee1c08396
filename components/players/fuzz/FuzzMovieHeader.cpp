// Reads a movie header from arbitrary bytes. A head that reads must read the same with more bytes
// after it: the reader decompresses only the stage rectangle and never what follows.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Error.h"
#include "components/players/MovieHeader.h"

using namespace players;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string head(reinterpret_cast<const char*>(data), size);
    MovieHeader first;
    try {
        first = ReadMovieHeader(head);
    } catch (const zv::Error&) {
        return 0;
    }
    (void)first.Pixels();
    const MovieHeader again = ReadMovieHeader(head + std::string(64, '\xA5'));
    if (again.xMin != first.xMin || again.xMax != first.xMax || again.yMin != first.yMin ||
        again.yMax != first.yMax || again.declaredLength != first.declaredLength)
        std::abort();
    return 0;
}
