#!/usr/bin/env bash
# Fails when a tracked C++ source differs from what clang-format makes of it (.clang-format).
set -euo pipefail
cd "$(dirname "$0")/../.."
git ls-files -z -- '*.h' '*.cpp' '*.c' | xargs -0 clang-format --dry-run --Werror
