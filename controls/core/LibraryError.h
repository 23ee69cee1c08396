#pragma once
// An error of the control library itself, with the number, source and description that it reports
// to COM clients through error info.

#include <cstdint>
#include <string>

#include "base/NumberedError.h"

namespace palvex {

class LibraryError : public zv::NumberedError {
public:
    using zv::NumberedError::NumberedError;
};

constexpr int32_t kErrDoubleHook = 65586;
constexpr int32_t kErrInvalidCall = 5;
constexpr int32_t kErrOverflow = 6;
constexpr int32_t kErrSubscriptOutOfRange = 9;
constexpr int32_t kErrTypeMismatch = 13;
constexpr int32_t kErrObjectNotSet = 91;
constexpr int32_t kErrInvalidPropertyValue = 380;
constexpr int32_t kErrDuplicateKey = 457;

}  // namespace palvex
