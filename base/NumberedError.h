#pragma once
// An error that a COM server reports to its clients with a number and a source besides its
// description (through error info).

#include <cstdint>
#include <string>

#include "base/Error.h"

namespace zv {

class NumberedError : public Error {
public:
    NumberedError(int32_t number, std::wstring source, std::wstring description)
        : Error(std::move(description)), number_(number), source_(std::move(source)) {}
    int32_t Number() const noexcept { return number_; }
    const std::wstring& Source() const noexcept { return source_; }

private:
    int32_t number_;
    std::wstring source_;
};

}  // namespace zv
