#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test:
#   the logic, rendering and window tests (CTest, offscreen),
#   the logic tests again under AddressSanitizer and UBSan,
#   a short bounded run of every fuzz target (when clang with libFuzzer is present).
# Exits non-zero when anything fails; the last lines are CTest's summary.
set -uo pipefail
cd "$(dirname "$0")"

scripts/install-deps || exit 1

jobs=$(nproc 2>/dev/null || echo 2)
werror=OFF
[[ "${CI:-}" == "true" ]] && werror=ON
status=0
step() { echo; echo "== $*"; }

step "build"
cmake -S . -B build -G Ninja -DMIRELTA_WERROR=$werror >/dev/null || exit 1
cmake --build build -j"$jobs" || exit 1
cmake --build build -j"$jobs" --target bench || exit 1

step "logic tests under AddressSanitizer and UBSan"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMIRELTA_CORE_ONLY=ON \
  -DMIRELTA_SANITIZE=ON -DMIRELTA_WERROR=$werror >/dev/null || exit 1
if cmake --build build-asan -j"$jobs"; then
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan -j"$jobs" --output-on-failure --timeout 300 | tail -n 4 || status=1
else
  status=1
fi

if command -v clang++ >/dev/null && echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, long){return 0;}' |
    clang++ -x c++ -fsanitize=fuzzer - -o /dev/null 2>/dev/null; then
  step "fuzzing (${MIRELTA_FUZZ_SECONDS:-15} s per target)"
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMIRELTA_FUZZ=ON >/dev/null || exit 1
  if cmake --build build-fuzz -j"$jobs"; then
    for fuzzer in build-fuzz/fuzz/*_fuzz; do
      name=$(basename "$fuzzer" _fuzz)
      work=$(mktemp -d)
      [[ -d fuzz/corpus/$name ]] && cp -r fuzz/corpus/"$name"/. "$work"/
      if "$fuzzer" -max_total_time="${MIRELTA_FUZZ_SECONDS:-15}" -rss_limit_mb=2048 \
          -artifact_prefix="$work/" "$work" >"$work/log" 2>&1; then
        echo "fuzz $name: $(tail -n 1 "$work/log")"
      else
        echo "fuzz $name: FAILED"; tail -n 40 "$work/log"; status=1
      fi
      rm -rf "$work"
    done
  else
    status=1
  fi
fi

step "tests"
QT_QPA_PLATFORM=offscreen ctest --test-dir build -j"$jobs" --output-on-failure --timeout 600 || status=1
exit $status
