# Sourced: configures and builds the two builds of a build tree.
zv_build_host() {
  local build=$1 root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  cmake -S "$root" -B "$build/host" -DCMAKE_BUILD_TYPE=Debug >/dev/null || return 1
  cmake --build "$build/host" -j"${ZV_JOBS:-$(nproc)}" 2>&1 | grep -Ev '^\[ *[0-9]+%\]|^-- ' ; return "${PIPESTATUS[0]}"
}
zv_build_win() {
  local build=$1 root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  cmake -S "$root" -B "$build/win" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/tools/mingw-w64-x86_64.cmake" >/dev/null || return 1
  cmake --build "$build/win" -j"${ZV_JOBS:-$(nproc)}" 2>&1 | grep -Ev '^\[ *[0-9]+%\]|^-- ' ; return "${PIPESTATUS[0]}"
}
