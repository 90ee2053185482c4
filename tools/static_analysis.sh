#!/usr/bin/env bash
# Static analysis of the command's sources: clang-tidy (.clang-tidy), cppcheck, and clang-format
# (.clang-format) over every C++ file. Any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/analysis
cmake -S . -B "$build" -G Ninja -DZENTAVO_TESTS=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null

sources=$(git ls-files 'src/*.cc')
echo "clang-tidy"
clang-tidy -p "$build" --quiet $sources

echo "cppcheck"
cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ \
  --enable=warning,style,performance,portability --inline-suppr \
  --suppress=missingIncludeSystem --suppress=unusedFunction \
  -I include -I src/driver -I src/writers $sources

echo "clang-format"
git ls-files '*.cc' '*.h' | xargs clang-format --dry-run --Werror
echo "static analysis: clean"
