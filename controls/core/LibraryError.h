#pragma once
// An error of the control library itself, with the number, source and description that it reports
// to COM clients through error info.

#include <cstdint>
#include <string>

#include "base/Error.h"

namespace palvex {

class LibraryError : public zv::Error {
public:
    LibraryError(int32_t number, std::wstring source, std::wstring description)
        : zv::Error(std::move(description)), number_(number), source_(std::move(source)) {}
    int32_t Number() const noexcept { return number_; }
    const std::wstring& Source() const noexcept { return source_; }

private:
    int32_t number_;
    std::wstring source_;
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
