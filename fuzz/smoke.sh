#!/bin/sh
# Runs every fuzz target once over its seed corpus, without mutation: a quick regression
# check that no seed (including those kept from past findings) crashes or trips a sanitizer.
# Usage: fuzz/smoke.sh [build dir]   (default build/fuzz, as the fuzz preset configures it)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../build/fuzz"}
status=0
for dir in "$here"/corpus/*/; do
  name=$(basename "$dir")
  binary="$build/fuzz/fuzz_$name"
  if [ ! -x "$binary" ]; then
    echo "smoke: $binary is missing; build with: cmake --build --preset fuzz" >&2
    status=1
    continue
  fi
  if "$binary" -runs=0 "$dir" >"$build/fuzz/smoke_$name.log" 2>&1; then
    echo "ok    $name"
  else
    echo "FAIL  $name (see $build/fuzz/smoke_$name.log)"
    status=1
  fi
done
exit $status
