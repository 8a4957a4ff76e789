#!/usr/bin/env bash
# Installs what is needed, builds Wigglet twice (release and ASan+UBSan) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

jobs="$(nproc)"
# A rebuild of unchanged sources comes from the cache when there is one.
if command -v ccache >/dev/null && [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ]; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
for preset in default asan; do
  echo "=== build: $preset"
  cmake --preset "$preset" >/dev/null
  if [ "$preset" = default ]; then scripts/check-deps.sh build/default; fi
  cmake --build --preset "$preset" -j "$jobs"
  echo "=== test: $preset"
  ctest --preset "$preset" -j "$jobs"
done

# The public conformance scenarios, where the shared folder sits beside the checkout.
conformance="../shared/conformance/run"
if [ -x "$conformance" ]; then
  echo "=== conformance"
  "$conformance" build/default
fi
scripts/fuzz.sh

# Installation and the Debian package: install, validate, build, install, remove.
echo "=== package check"
scripts/package-check.sh
