#!/usr/bin/env bash
# Installs what is missing, builds the program and runs its main job on the built-in sample composition.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build_dir=${ZV_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZV_BUILD_TESTS=OFF -DZV_BUILD_BENCH=OFF
cmake --build "$build_dir" --target schematic
"$build_dir/app/schematic" help
