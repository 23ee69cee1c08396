#pragma once
// Builds a real module folder from the sample's sources: a description (module code, module name,
// then one line per page: source RTF file "*" page type ["*" topic]) and one RTF file per page.
// The folder is made the way the program makes it: the new-module folder, each page stored as a
// page file and appended to the page list, which writes Map.txt.

#include <string>

// Makes `outFolder`\code from `sourceFolder`\module.txt and its pages; an old folder of that code
// is replaced. Returns the marker file's path. Throws zv::Error.
std::wstring BuildSampleModule(const std::wstring& sourceFolder, const std::wstring& outFolder);
