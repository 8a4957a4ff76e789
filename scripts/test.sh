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
# Builds PRESET in the background at the lowest priority, its output kept in a log.
background_build() {
  cmake --preset "$1" >/dev/null
  nice -n 19 cmake --build --preset "$1" -j "$jobs" >"build/$1-build.log" 2>&1 &
  background=$!
}
# Waits for the background build; its log is shown when it failed.
finish_background_build() {
  echo "=== build: $1"
  if ! wait "$background"; then
    cat "build/$1-build.log"
    exit 1
  fi
  tail -n 1 "build/$1-build.log"
}

echo "=== build: default"
cmake --preset default >/dev/null
scripts/check-deps.sh build/default
cmake --build --preset default -j "$jobs"
# The tests mostly wait on servers and timers: the next build takes the idle cores meanwhile,
# niced so that no test's timing suffers.
background_build asan
echo "=== test: default"
status=0
ctest --preset default -j "$jobs" || status=$?
finish_background_build asan
[ "$status" -eq 0 ] || exit "$status"
background_build fuzz
echo "=== test: asan"
ctest --preset asan -j "$jobs" || status=$?
finish_background_build fuzz
[ "$status" -eq 0 ] || exit "$status"

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
