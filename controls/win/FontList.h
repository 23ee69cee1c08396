#pragma once
// The per-charset "Enabled" flags of the font lists, kept under the global options key, and which
// form of the system's font records the lists use on this thread.

#include <cstdint>
#include <string>

namespace palvex {

// A charset never written reads as enabled.
bool GetCharsetEnabled(int32_t charset);
void SetCharsetEnabled(int32_t charset, bool enabled);

// -1: the wide records and calls; anything else (the start value, 0): the ANSI ones.
int32_t UseUnicodeAPI();
void SetUseUnicodeAPI(int32_t value);

}  // namespace palvex
