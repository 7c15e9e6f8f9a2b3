#!/usr/bin/env bash
# Builds the one-file page: the logic of the Qt-free build compiled to WebAssembly (the root
# project through emcmake, configured once), the npm packages of the lock file, then the
# bundle. Prints the page's path.
# Usage: web/build.sh [OUT_DIR]   (default build/web)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/web}
mkdir -p "$out"
# Debian's em++ finds its JavaScript parser only here when node is newer than Debian's.
export NODE_PATH=/usr/share/nodejs
if [ ! -f "$out/wasm/build.ninja" ] || ! grep -q '^MW_WASM:BOOL=ON' "$out/wasm/CMakeCache.txt"; then
  rm -rf "$out/wasm"
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  fi
  emcmake cmake -S "$root" -B "$out/wasm" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DMW_WASM=ON \
    -DMW_GUI=OFF -DMW_BUILD_TESTS=OFF -DMW_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
fi
cmake --build "$out/wasm" -j2 --target mapwright_wasm >&2
cd "$root/web"
if [ ! -f node_modules/.package-lock.json ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
  npm ci --no-audit --no-fund >&2
fi
node bundle.mjs "$out/wasm/bin/mapwright-logic.js" "$out/mapwright.html" >&2
echo "$out/mapwright.html"
