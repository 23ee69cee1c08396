#pragma once
// The module folder on disk: its name from the module code, its new-module files, the format a
// file's extension asks for, and moving a module's files to another folder (Save As).

#include <cstdint>
#include <string>
#include <string_view>

// The decimal text of a module code, left-padded with "0" to six characters; a text of more than
// six characters gives "" (the caller refuses such a code).
std::wstring FormatModuleCode(std::int32_t number);

// The text control's format code for a file name, by its extension (upper-cased): TXM 3, RTF 5,
// HTM or HTML 4, DOC 9, XML 10, CSS 11, PDF 12, anything else 1 (plain text).
std::int16_t FormatFromExtension(std::wstring_view fileName);

// programFolder & "\" & code, with one separator even when the folder ends with one.
std::wstring BuildModulePath(std::wstring_view programFolder, std::wstring_view moduleCode);

// The part of a path after its last separator.
std::wstring FileNameOfPath(std::wstring_view path);

// True when a folder name may serve as a module code: digits only.
bool IsNumericName(std::wstring_view name);

// Makes a new module folder with an empty Map.txt and the empty marker file code & ".zvk".
// Refuses, changing nothing, when the folder exists already: a new module must never take over
// another module's folder. Throws zv::Error.
bool CreateModuleFolder(const std::wstring& path, const std::wstring& code);

// Moves every file and folder of `from` (the module's pages, map, markers and its Movies folder)
// into `to`, which is made when missing. When `to` already holds an item of the same name, or is
// the module folder itself or lies inside it, nothing is moved and zv::Error names the clash.
void MoveModuleFiles(const std::wstring& from, const std::wstring& to);

// Makes the folder (and the folders above it) when it does not exist; "" does nothing. Throws zv::Error.
void EnsureFolder(const std::wstring& path);

// Writes an empty marker file `name` into `folder`; an existing file of that name is kept as it is.
void WriteMarkerFile(const std::wstring& folder, const std::wstring& name);
