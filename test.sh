#!/usr/bin/env bash
# Installs what is missing, builds in Debug with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build/debug -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLOOM_SANITIZE=ON >/dev/null
cmake --build build/debug

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$PWD/cmake/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build/debug --output-on-failure -j2
