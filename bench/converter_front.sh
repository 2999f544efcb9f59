#!/usr/bin/env bash
# Times the converter front against the plain system ffmpeg, in one run:
#  (a) a 20 s cut at 5:00 of a 10-minute 320x240 MPEG-1 clip, as ClipLoom
#      writes it, through the process runner and lib/ffmpeg, against the same
#      cut run directly on the system ffmpeg with today's options (the very
#      arguments the front hands on), so the ratio is the cost of the runner
#      and the front. For comparison it also shows the plain input seek
#      "-ss S -t D -i SRC", which is faster but not frame-exact in MPEG
#      program streams.
#  (b) the one-frame thumbnail at 9:50 of that clip in ClipLoom's first form
#      through lib/ffmpeg, against the literal "-i SRC -ss T" form on the
#      system ffmpeg (which decodes everything before T).
# Times are wall clock, median of several interleaved runs; on a busy machine
# single runs vary by tens of percent. Goals: (a) <= 1.03, (b) <= 0.1.
set -euo pipefail
cd "$(dirname "$0")/.."

source bench/lib.sh
bench_build loom_bench_run lib_ffmpeg

runner=build/release/loom_bench_run
ffmpeg=$(command -v ffmpeg)
bench_workdir
source="$work/source clip.mpg"

echo "load: $(cut -d" " -f1-3 /proc/loadavg)"
echo "making a 10-minute 320x240 clip..."
"$ffmpeg" -hide_banner -loglevel error -y \
  -f lavfi -i testsrc=size=320x240:rate=25:duration=600 \
  -f lavfi -i sine=frequency=440:sample_rate=48000:duration=600 -shortest "$source" </dev/null

# Milliseconds of one direct run of the system ffmpeg with the given arguments.
direct_ms() {
  local start end
  start=$(date +%s%N)
  "$ffmpeg" "$@" </dev/null >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

# Milliseconds of one run through the runner and the front.
runner_ms() {
  local result
  result=$("$runner" "$1" 2>/dev/null)
  echo "${result%% *}"
}


codec="-vcodec mpeg1video -b 2048kb -f mpeg -acodec mp2 -ac 2 -ar 48000 -ab 256kb"
today="-vcodec mpeg1video -b:v 2048k -f mpeg -acodec mp2 -ac 2 -ar 48000 -ab 256k"
cut_line="lib/ffmpeg -y  -t 20  -i \"$source\" -async 100 -r 30  -ss 300  $codec \"$work/cut.mpg\""
thumb_line="lib/ffmpeg -y -i \"$source\" -ss 590 -vframes 1 -an -vcodec mjpeg -f mjpeg \"$work/thumb.jpg\""

runs=11
front_cut=() direct_cut=() plain_cut=()
for _ in $(seq $runs); do
  front_cut+=("$(runner_ms "$cut_line")")
  # shellcheck disable=SC2086
  direct_cut+=("$(direct_ms -y -ss 297 -i "$source" -ss 3 -t 20 -async 100 -r 30 $today "$work/direct.mpg")")
  # shellcheck disable=SC2086
  plain_cut+=("$(direct_ms -y -ss 300 -t 20 -i "$source" -async 100 -r 30 $today "$work/plain.mpg")")
done

front_thumb=() literal_thumb=()
for _ in $(seq 3); do
  front_thumb+=("$(runner_ms "$thumb_line")")
  literal_thumb+=("$(direct_ms -y -i "$source" -ss 590 -vframes 1 -an -vcodec mjpeg -f mjpeg "$work/literal.jpg")")
done

fc=$(median "${front_cut[@]}") dc=$(median "${direct_cut[@]}") pc=$(median "${plain_cut[@]}")
ft=$(median "${front_thumb[@]}") lt=$(median "${literal_thumb[@]}")
echo "cut 20 s at 5:00: runner+front ${fc} ms, system ffmpeg same options ${dc} ms, plain input seek ${pc} ms"
echo "thumbnail at 9:50: runner+front ${ft} ms, literal \"-i SRC -ss T\" ${lt} ms"
echo "(a) cut through runner and front / system ffmpeg, today's options: $(ratio "$fc" "$dc") (goal <= 1.03)"
echo "    (for comparison: / plain input seek: $(ratio "$fc" "$pc"))"
echo "(b) thumbnail through the front / literal form on the system ffmpeg: $(ratio "$ft" "$lt") (goal <= 0.1)"
