#!/usr/bin/env bash
# Installs what is missing, builds everything (benchmarks included) and runs every test, then the
# image engine's tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build_dir=${ZV_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZV_DEBUG_INFO=OFF
cmake --build "$build_dir"
ctest --test-dir "$build_dir" --output-on-failure -j2
# The image engine's worker threads under ThreadSanitizer: only the engine and its tests are built.
tsan_dir=${ZV_TSAN_BUILD_DIR:-build-tsan}
cmake -S . -B "$tsan_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZV_THREAD_SANITIZE=ON -DZV_BUILD_BENCH=OFF
cmake --build "$tsan_dir" --target engine_tests
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/engine/tsan.supp" \
  "$tsan_dir/tests/engine/engine_tests"
