#!/usr/bin/env bash
# Audio exchanged with sox, the reference codec: sox makes the inputs, the engine tests (under Wine) decode them
# and write recordings, converted files and an MP3 with the service's own code, and sox checks what they wrote.
set -euo pipefail
runner=$1 program=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
mkdir out

raw16=(-t raw -r 8000 -c 1 -e signed-integer -b 16 -L)
# A sweep over the voice band, a near-silent stretch and loud noise: every A-law segment and the whole ADPCM
# step range.
sox -n -r 8000 -c 1 -b 16 -e signed-integer sweep.wav synth 3 sine 100-3800 vol 0.95
sox -n -r 8000 -c 1 -b 16 -e signed-integer quiet.wav synth 1 whitenoise vol 0.0005
sox -n -r 8000 -c 1 -b 16 -e signed-integer noise.wav synth 1 whitenoise vol 0.6
sox sweep.wav quiet.wav noise.wav speech.wav
sox speech.wav -e ima-adpcm ima.wav
sox ima.wav "${raw16[@]}" ima-pcm.raw
# The same signal on the 13-bit grid of G.711, which sox compresses without rounding.
sox speech.wav "${raw16[@]}" speech.raw
/usr/bin/python3 -c '
import array, sys
s = array.array("h"); s.frombytes(open("speech.raw", "rb").read())
open("aligned.raw", "wb").write(array.array("h", [x & ~7 for x in s]).tobytes())
open("codes.raw", "wb").write(bytes(range(256)))'
sox -D "${raw16[@]}" aligned.raw -t raw -e a-law aligned-alaw.raw
sox -t raw -r 8000 -c 1 -e a-law codes.raw "${raw16[@]}" codes-pcm.raw

TESS_SOX_DIR="Z:${dir//\//\\}" "$runner" "$program" --gtest_filter='SoxExchange.*' --gtest_brief=1

[ -s out/expected.txt ] || { echo "no files were written" >&2; exit 1; }
status=0
number='^[0-9]+$'
while IFS=$'\t' read -r name encoding min max; do
    file=out/$name
    got_encoding=$(soxi -e "$file")
    got_rate=$(soxi -r "$file")
    got_channels=$(soxi -c "$file")
    got_samples=$(sox "$file" -n stat 2>&1 | awk '/^Samples read/ {print $3}')
    if [ "$got_encoding" != "$encoding" ] || [ "$got_rate" != 8000 ] || [ "$got_channels" != 1 ] ||
       ! [[ $got_samples =~ $number && $min =~ $number && $max =~ $number ]] ||
       [ "$got_samples" -lt "$min" ] || [ "$got_samples" -gt "$max" ]; then
        echo "FAIL $name: $got_encoding, $got_rate Hz, $got_channels channel(s), $got_samples samples;" \
             "expected $encoding, 8000 Hz, 1 channel, $min..$max samples" >&2
        status=1
    else
        echo "ok   $name: $got_encoding, $got_samples samples"
    fi
done < out/expected.txt
exit $status
