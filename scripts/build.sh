#!/usr/bin/env bash
# Configures and builds one tree: native (Linux, with the sanitizers) or win64;
# with target names after it, only those.
#   build.sh native|win64 [TARGET...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
case "${1:-}" in
  native) cmake -S "$top" -B "$top/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null ;;
  win64) cmake -S "$top" -B "$top/build/win64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
           -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" >/dev/null ;;
  *) echo "usage: $0 native|win64" >&2; exit 2 ;;
esac
tree=$1
shift
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$top/build/$tree" "${targets[@]}"
