#pragma once
// Failures inside a command travel as exceptions carrying a description for the author; each
// command catches them at its top and shows the description in a message box.

#include <exception>
#include <string>

namespace zv {

class Error : public std::exception {
public:
    explicit Error(std::wstring description) : description_(std::move(description)) {}
    const std::wstring& Description() const noexcept { return description_; }
    const char* what() const noexcept override { return "zv::Error"; }

private:
    std::wstring description_;
};

// A cancelled common dialog: ends the command without a message.
class CancelError : public std::exception {
public:
    const char* what() const noexcept override { return "cancelled"; }
};

}  // namespace zv
