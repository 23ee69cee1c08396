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
# One target of the Windows build (an optimised tree); quiet unless the build fails.
zv_build_target_win() {
  local build=$1 target=$2 root log
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  log=$(mktemp)
  if ! { cmake -S "$root" -B "$build/win" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
           -DCMAKE_TOOLCHAIN_FILE="$root/tools/mingw-w64-x86_64.cmake" &&
         cmake --build "$build/win" --target "$target" -j"${ZV_JOBS:-$(nproc)}"; } >"$log" 2>&1; then
    grep -Ev '^\[ *[0-9]+%\]|^-- ' "$log" | tail -40 >&2 || true
    rm -f "$log"
    echo "build of $target failed" >&2
    return 1
  fi
  rm -f "$log"
}
