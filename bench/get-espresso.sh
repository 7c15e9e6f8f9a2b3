#!/usr/bin/env bash
# Builds the espresso command from the sources shipped in the npm package
# espresso-logic-minimizer, into DIR (default build/peers); prints the binary's path.
set -euo pipefail
dir="${1:-build/peers}"
mkdir -p "$dir"
dir="$(cd "$dir" && pwd)"
if [ ! -x "$dir/bin/espresso" ]; then
  (cd "$dir" && [ -f package.json ] || npm init -y >/dev/null)
  (cd "$dir" && npm install --ignore-scripts --no-audit --no-fund espresso-logic-minimizer >/dev/null)
  rm -rf "$dir/src" && cp -r "$dir/node_modules/espresso-logic-minimizer/espresso-src" "$dir/src"
  make -s -C "$dir/src" CFLAGS="-O2 -w" TARGETDIR="$dir/bin" >/dev/null
fi
echo "$dir/bin/espresso"
