#pragma once
// Files the tests read: tests/fixtures of the text control, found through the source folder.

#include <string>

#include "base/Paths.h"

namespace tx::testing {

inline std::wstring FixturePath(const std::wstring& name) {
    const std::string folder = ZV_TX_FIXTURES;
    return zv::JoinPath(zv::WidePath(std::filesystem::path(folder)), name);
}

}  // namespace tx::testing
