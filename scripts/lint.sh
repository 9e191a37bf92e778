#!/usr/bin/env bash
# Static checks: formatting of every C++ file, then clang-tidy and cppcheck on src/.
# Needs the developer build's compile_commands.json (cmake --preset dev).
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.hpp')
clang-format --dry-run --Werror "${sources[@]}"
echo "clang-format: ${#sources[@]} files formatted"

mapfile -t unites < <(git ls-files 'src/*.cpp')
clang-tidy --quiet -p build/dev "${unites[@]}"
echo "clang-tidy: clean on src/"

cppcheck --enable=warning,style,performance,portability --std=c++20 --error-exitcode=1 \
    --inline-suppr --quiet -I src src
echo "cppcheck: clean on src/"
