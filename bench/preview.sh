#!/usr/bin/env bash
# Times the preview player on a 20-minute MPEG-1 clip against the plain
# converter: median open, median exact seek into the second half, and the
# system ffmpeg decoding the frame at the same positions; then the editor's
# peak memory with the clip loaded and playing.
set -euo pipefail
cd "$(dirname "$0")/.."

source bench/lib.sh
bench_build bench_preview

bench_workdir
clip="$work/twenty-minutes.mpg"
echo "making a 20-minute 320x240 MPEG-1 clip ..."
ffmpeg -v error -y -f lavfi -i testsrc=size=320x240:rate=25:duration=1200 \
  -f lavfi -i sine=frequency=440:sample_rate=48000:duration=1200 \
  -c:v mpeg1video -b:v 1000k -c:a mp2 -f mpeg -shortest "$clip"

targets=()
for i in 0 1 2 3 4 5 6; do
  targets+=("$(awk -v i="$i" 'BEGIN { printf "%.3f", 610 + i * 83.457 }')")
done

export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="cliploom.mediaplayer.debug=false"
driver=build/release/bench_preview
"$driver" times "$clip" "${targets[@]}" | tee "$work/times.txt"

ffmpeg_ms=()
for t in "${targets[@]}"; do
  start=$(date +%s%N)
  ffmpeg -v error -ss "$t" -i "$clip" -frames:v 1 -f null - 2>/dev/null
  ffmpeg_ms+=("$(( ($(date +%s%N) - start) / 1000 ))")
done
ffmpeg_median=$(awk -v us="$(median "${ffmpeg_ms[@]}")" 'BEGIN { printf "%.1f", us / 1000 }')

open_ms=$(awk '/^open_ms/ { print $2 }' "$work/times.txt")
seek_ms=$(awk '/^seek_ms/ { print $2 }' "$work/times.txt")
echo "ffmpeg_frame_ms $ffmpeg_median"
awk -v o="$open_ms" -v s="$seek_ms" -v f="$ffmpeg_median" 'BEGIN {
  printf "ratio seek / ffmpeg        %.2f\n", s / f
  printf "ratio open+seek / ffmpeg   %.2f\n", (o + s) / f
}'
"$driver" memory "$clip"
