#!/usr/bin/env bash
# Fails, listing the differences, when a tracked C++ file is not formatted as .clang-format says.
# Usage: tools/check-format.sh [clang-format binary]   (default: clang-format)
set -euo pipefail
cd "$(dirname "$0")/.."

format=${1:-clang-format}
if ! command -v "$format" >/dev/null; then
  echo "check-format: $format not found (tools/setup-debian.sh installs it)" >&2
  exit 2
fi

mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h')
if ((${#files[@]} == 0)); then
  echo "check-format: no C++ files found" >&2
  exit 2
fi

if "$format" --dry-run --Werror "${files[@]}"; then
  echo "check-format: ${#files[@]} files formatted"
else
  echo "check-format: run clang-format -i on the files above" >&2
  exit 1
fi
