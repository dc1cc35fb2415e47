#!/usr/bin/env bash
# Installs what is missing, builds everything (benchmarks included) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build_dir=${ZV_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir"
ctest --test-dir "$build_dir" --output-on-failure -j2
