#!/usr/bin/env bash
# run-benchmarks.sh [build-dir] [cpu]: the service's performance figures, each run under Wine in a Wine
# environment of its own (scripts/with-wine), after a line describing the machine.
#  - capacity: capacity_bench.exe, 512 channels recording in real time, pinned with everything it starts (Wine's
#    server included) to one CPU (default 0);
#  - protocol under load: protocol_bench.py, 64 clients on the assembled program folder (build-dir/dist), run
#    twice: all clients reading, then with the last one stalled (logged in, listening live, never reading), so that
#    the two runs show what a stalled client costs the others; the clients need CPUs of their own, so nothing is
#    pinned.
# Needs a build of capacity_bench and dist: ninja -C <build-dir> capacity_bench dist
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$ROOT/build}
cpu=${2:-0}
bench=$build/bin/capacity_bench.exe
[ -f "$bench" ] && [ -f "$build/dist/servicehost.exe" ] ||
    { echo "build first: ninja -C $build capacity_bench dist" >&2; exit 1; }

model=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
echo "machine: $(nproc) CPUs ($model), load average $(cut -d' ' -f1-3 /proc/loadavg) at the start"
echo
taskset -c "$cpu" "$ROOT/scripts/with-wine" "$ROOT/cmake/wine-run" "$bench"
echo
"$ROOT/scripts/with-wine" /usr/bin/python3 "$ROOT/tools/bench/protocol_bench.py" --dist "$build/dist"
echo
"$ROOT/scripts/with-wine" /usr/bin/python3 "$ROOT/tools/bench/protocol_bench.py" --dist "$build/dist" --stalled
echo
echo "load average $(cut -d' ' -f1-3 /proc/loadavg) at the end"
