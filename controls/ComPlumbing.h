#pragma once
// The library's classes stand on the COM plumbing that our servers share; inside the library its
// names are used as the library's own.

namespace zvcom {}

namespace palvex {
using namespace zvcom;
}  // namespace palvex
