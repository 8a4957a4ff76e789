#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan, UBSan) and runs each for a bounded time,
# FUZZ_SECONDS each (default 10). New inputs go to a scratch folder under the build folder; the
# seeds under tests/fuzz/corpus are only read. Exits non-zero when any target finds a crash, a
# leak, a hang or a sanitizer report; the input that did it is kept under build/fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-10}"
sources=tests/fuzz
build=build/fuzz

echo "=== build: fuzz"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

# The fuzz build lets UBSan findings recover; here every one must stop the run.
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"

stat_of() {
  sed -n "s/^stat::$1: *//p" "$2" | tail -n 1
}

coverage_of() {
  grep -o 'cov: [0-9]*' "$1" | tail -n 1 | cut -d' ' -f2
}

run_target() {
  local binary="$1" name
  name="$(basename "$binary" _fuzz)"
  local seeds="$sources/corpus/$name"
  local scratch="$build/scratch/$name"
  local artifacts="$build/artifacts/$name"
  local log="$build/logs/$name.log"
  if [ ! -d "$seeds" ]; then
    echo "fuzz $name: no seeds in $seeds"
    return 1
  fi
  mkdir -p "$scratch" "$artifacts" "$(dirname "$log")"

  local args=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
    -artifact_prefix="$artifacts/")
  [ -f "$sources/$name.dict" ] && args+=(-dict="$sources/$name.dict")

  local status=0
  "$binary" "${args[@]}" "$scratch" "$seeds" >"$log" 2>&1 || status=$?

  local runs coverage
  runs="$(stat_of number_of_executed_units "$log")"
  coverage="$(coverage_of "$log")"
  if [ "$status" -eq 0 ]; then
    echo "fuzz $name: ${runs:-?} inputs, coverage ${coverage:-?}, nothing found"
    return 0
  fi
  echo "fuzz $name: FOUND SOMETHING after ${runs:-?} inputs (exit $status); log: $log"
  grep -E 'ERROR: |runtime error: |Test unit written to' "$log" | head -n 5 | sed 's/^/    /'
  return 1
}

echo "=== fuzz: ${seconds} s per target"
shopt -s nullglob
binaries=()
for binary in "$build"/tests/fuzz/*_fuzz; do
  [ -x "$binary" ] && binaries+=("$binary")
done
if [ ${#binaries[@]} -eq 0 ]; then
  echo "fuzz: no targets were built"
  exit 1
fi

# One target a core at a time; each target's report is printed whole, in the targets' order.
reports="$build/logs/reports"
mkdir -p "$reports"
found=0
for ((i = 0; i < ${#binaries[@]}; i += $(nproc))); do
  pids=()
  for binary in "${binaries[@]:i:$(nproc)}"; do
    run_target "$binary" >"$reports/$(basename "$binary")" &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do
    wait "$pid" || found=$((found + 1))
  done
  for binary in "${binaries[@]:i:$(nproc)}"; do
    cat "$reports/$(basename "$binary")"
  done
done
echo "fuzz: ${#binaries[@]} targets run, $found found something"
[ "$found" -eq 0 ]
