#!/usr/bin/env bash
# codec-vs-sox.sh [build-dir] [minutes]: the service's codecs against sox on the same files. sox makes a
# speech-band signal of the given length (default 60 minutes) as 16-bit PCM, A-law and IMA ADPCM WAV files;
# codec_bench (under Wine) and sox then do each conversion file to file, best of five runs, in MB/s of input.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$ROOT/build}
minutes=${2:-60}
bench=$build/bin/codec_bench.exe
[ -f "$bench" ] || { echo "build codec_bench first: ninja -C $build codec_bench" >&2; exit 1; }

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
seconds=$((minutes * 60))
sox -n -r 8000 -c 1 -b 16 -e signed-integer "$dir/pcm.wav" synth "$seconds" pinknoise vol 0.3 \
    synth "$seconds" sine amod 3 30
sox -D "$dir/pcm.wav" -e a-law "$dir/alaw.wav"
sox "$dir/pcm.wav" -e ima-adpcm "$dir/ima.wav"

best_of_five() {
    local best=
    for _ in 1 2 3 4 5; do
        local start end t
        start=$(date +%s.%N)
        "$@"
        end=$(date +%s.%N)
        t=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
        if [ -z "$best" ] || awk -v t="$t" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$t; fi
    done
    echo "$best"
}

declare -A sox_rate
run_sox() {  # name input sox-arguments...
    local name=$1 input=$2; shift 2
    local bytes seconds
    bytes=$(stat -c %s "$dir/$input")
    seconds=$(best_of_five sox -D "$dir/$input" "$@" "$dir/sox-out.wav")
    sox_rate[$name]=$(awk -v n="$bytes" -v t="$seconds" 'BEGIN { print n / t / 1e6 }')
}
run_sox alaw-encode pcm.wav -e a-law
run_sox alaw-decode alaw.wav -e signed-integer -b 16
run_sox adpcm-decode ima.wav -e signed-integer -b 16
run_sox adpcm-to-alaw ima.wav -e a-law

ours=$("$ROOT/scripts/with-wine" "$ROOT/cmake/wine-run" "$bench" "Z:${dir//\//\\}")
echo "$minutes minutes of audio; MB/s of input, file to file, best of 5"
printf '%-14s %10s %10s %8s\n' conversion ours sox ratio
while read -r name rate; do
    awk -v n="$name" -v r="$rate" -v s="${sox_rate[$name]}" \
        'BEGIN { printf "%-14s %10.1f %10.1f %7.1fx\n", n, r, s, r / s }'
done <<< "$ours"
