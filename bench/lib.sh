# Shared steps of the benchmark scripts; sourced, not run.
# Run from the repository root.

# Installs what is missing and builds the given targets in Release.
bench_build() {
  ./scripts/install-deps.sh
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DLOOM_TESTS=OFF >/dev/null
  cmake --build build/release --target "$@" >/dev/null
}

# Makes a scratch folder in $work that is removed when the script ends.
bench_workdir() {
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
}

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
