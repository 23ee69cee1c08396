#pragma once
// Whole-file reads and safe rewrites.

#include <string>
#include <string_view>

namespace zv {

// The bytes of a file; throws zv::Error naming the file when it is missing or unreadable.
std::string ReadFileBytes(std::wstring_view path);

// Writes the bytes to a temporary file in the same folder and then puts it in the place of `path`
// in one step, so that a failure leaves the old file as it was and never a half-written one.
// Throws zv::Error describing what failed; the temporary file is removed.
void WriteFileReplacing(std::wstring_view path, std::string_view bytes);

// Copies the file `source` to `path` the same way: a failed copy leaves the old file whole. Throws
// zv::Error naming the file that could not be read or written.
void CopyFileReplacing(std::wstring_view source, std::wstring_view path);

bool FileExists(std::wstring_view path);
bool FolderExists(std::wstring_view path);

}  // namespace zv
