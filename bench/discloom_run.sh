#!/usr/bin/env bash
# Times a DiscLoom run over 5 small video object files (driven headless, through
# the process runner and lib/ffmpeg) against a shell loop that runs the system
# ffmpeg with the same conversion, one file after the other, in one run.
# Prints the ratio (goal <= 1.03) and the program's peak memory during the run.
set -euo pipefail
cd "$(dirname "$0")/.."

source bench/lib.sh
bench_build discloom_bench_run lib_ffmpeg

driver=build/release/discloom_bench_run
ffmpeg=$(command -v ffmpeg)
bench_workdir
mkdir -p "$work/VIDEO_TS" "$work/app" "$work/loop"

echo "load: $(cut -d" " -f1-3 /proc/loadavg)"
echo "making 5 VOB files of 10 s at 352x240..."
sources=()
for i in 1 2 3 4 5; do
  source="$work/VIDEO_TS/VTS_01_$i.VOB"
  "$ffmpeg" -hide_banner -loglevel error -y \
    -f lavfi -i testsrc=size=352x240:rate=29.97:duration=10 \
    -f lavfi -i sine=frequency=440:sample_rate=48000:duration=10 -shortest \
    -c:v mpeg2video -b:v 3000k -c:a mp2 -f vob "$source" </dev/null
  sources+=("$source")
done

# The conversion the front runs for each file.
loop_ms() {
  local start end
  start=$(date +%s%N)
  for source in "${sources[@]}"; do
    name=$(basename "$source" .VOB)
    "$ffmpeg" -y -i "$source" -vcodec mpeg1video -async 1000 -r 30 -acodec mp2 -b:v 4096k \
      -ac 2 -ar 48000 -ab 256k -f mpeg "$work/loop/$name.mpg" </dev/null >/dev/null 2>&1
  done
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}


runs=5
app=() loop=() peak=0
for _ in $(seq $runs); do
  rm -f "$work/app"/*.mpg
  read -r ms kib states <<<"$("$driver" "$work/app/" "${sources[@]}")"
  app+=("$ms")
  ((kib > peak)) && peak=$kib
  loop+=("$(loop_ms)")
done
echo "states of the last run: $states"

a=$(median "${app[@]}") l=$(median "${loop[@]}")
echo "DiscLoom run over 5 VOBs: ${a} ms; shell loop of the same conversions: ${l} ms (medians of $runs)"
echo "ratio DiscLoom / shell loop: $(ratio "$a" "$l") (goal <= 1.03)"
echo "peak resident memory of the program during the run: $((peak / 1024)) MiB"
