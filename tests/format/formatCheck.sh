#!/usr/bin/env bash
# Fails, naming the files, when any C++ file of the project differs from what clang-format makes of it.
set -euo pipefail
root=$1
cd "$root"
command -v clang-format > /dev/null || { echo "formatCheck: clang-format is not installed (scripts/setup.sh installs it)"; exit 1; }
mapfile -t files < <(find app bench platform tests tools views -name '*.cpp' -o -name '*.h' | sort)
# One clang-format run over every file; its complaints name the files.
if ! report=$(clang-format --dry-run --Werror "${files[@]}" 2>&1); then
  echo "formatCheck: not formatted (run clang-format -i on them):"
  grep -o '^[^: ]*\.\(cpp\|h\):' <<< "$report" | sort -u | sed 's/:$//; s/^/  /'
  exit 1
fi
echo "formatCheck: ${#files[@]} files formatted"
