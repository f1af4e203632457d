#!/usr/bin/env bash
# soak.sh [seconds] [build-dir]: the TCP server's soak (SoakTest in remote_test.exe) for longer than the test run
# makes it (default 300 s): clients connect by the thousand and send random, truncated and oversized frames before
# and after logging in, while a well-behaved client logs in and out; prints the connections made, the slowest
# answer to the well-behaved client and the heap and handle figures after the warm-up and at the end.
# Needs a build of remote_test: ninja -C <build-dir> remote_test
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-300}
build=${2:-$ROOT/build}
report=$(mktemp "${TMPDIR:-/tmp}/soak.XXXXXX.xml")
trap 'rm -f "$report"' EXIT
echo "load average $(cut -d' ' -f1-3 /proc/loadavg) at the start; soaking for $seconds s"
status=0
TESS_SOAK_SECONDS=$seconds "$ROOT/scripts/with-wine" "$ROOT/cmake/wine-run" "$build/bin/remote_test.exe" \
    --gtest_filter='SoakTest.*' "--gtest_output=xml:Z:${report//\//\\}" || status=$?
grep -o '<property name="[a-z_]*" value="[^"]*"' "$report" | sed 's/<property name="\([a-z_]*\)" value="\([^"]*\)"/  \1: \2/; s/&gt;/>/g'
echo "load average $(cut -d' ' -f1-3 /proc/loadavg) at the end"
exit $status
