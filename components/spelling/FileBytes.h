#pragma once
// The bytes of a dictionary file as the readers use them in place. On Windows the file is mapped
// into memory and held open without write sharing, so its bytes cannot change under a reader that
// checked them once; fresh memory is slow to fill there (some megabytes cost tens of milliseconds
// under Wine). Elsewhere the file is read into memory. Bytes made in memory (tests, builders) are
// held the same way.

#include <memory>
#include <string>
#include <string_view>

namespace sp {

class FileBytes {
public:
    FileBytes() = default;
    FileBytes(std::string bytes);  // NOLINT: bytes made in memory convert freely
    // Throws zv::Error with the system's reason when the file cannot be opened or read.
    static FileBytes Read(const std::wstring& path);

    std::string_view View() const { return view_; }
    std::size_t Size() const { return view_.size(); }

private:
    std::shared_ptr<const void> owner_;
    std::string_view view_;
};

}  // namespace sp
