// Fuzz target: the thesaurus reader. Whatever the bytes, reading fails with zv::Error or gives a
// thesaurus whose look-ups stay inside its bytes.
#include <cstddef>
#include <cstdint>

#include "base/Error.h"
#include "components/spelling/Thesaurus.h"
#include "components/spelling/fuzz/FuzzSealing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        sp::Thesaurus t(SealedInput(data, size), L"t");
        for (const wchar_t* w : {L"big", L"running", L"foot race", L"zzz", L"a"}) t.LookUp(w);
        for (std::uint32_t e = 0; e < t.EntryCount() && e < 32; ++e) t.Meanings(e);
    } catch (const zv::Error&) {
    }
    return 0;
}
