#!/usr/bin/env bash
# Usage: ./run.sh ClipLoom | DiscLoom
# Installs what is missing, builds in Release and starts the chosen program.
set -euo pipefail
cd "$(dirname "$0")"

program=${1:-}
case "$program" in
  ClipLoom | DiscLoom) ;;
  *)
    echo "usage: $0 ClipLoom|DiscLoom" >&2
    exit 2
    ;;
esac

./scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DLOOM_TESTS=OFF >/dev/null
cmake --build build/release
exec "build/release/$program"
