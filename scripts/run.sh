#!/usr/bin/env bash
# Installs what is missing, builds the program and runs its main job: the built-in sample
# composition's schematic, laid out and drawn to a PNG.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build_dir=${ZV_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir" --target schematic
mkdir -p out
"$build_dir/app/schematic" render -o out/sample.png
echo "The sample's schematic is in $(pwd)/out/sample.png"
