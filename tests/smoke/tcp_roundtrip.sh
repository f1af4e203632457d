#!/usr/bin/env bash
# Loopback round trip between the Windows peer (under Wine) and a Linux-native client:
# Wine uses host sockets, so protocol tests may drive the program from either side.
set -euo pipefail
runner=$1 peer=$2
port=$(( 20000 + RANDOM % 20000 ))
out=$(mktemp)
trap 'rm -f "$out"; kill "$pid" 2>/dev/null || true' EXIT
"$runner" "$peer" "$port" >"$out" &
pid=$!
for _ in $(seq 200); do grep -q ready "$out" && break; sleep 0.05; done
/usr/bin/python3 - "$port" <<'PY'
import socket, struct, sys
payload = b"tesselon-frame"
with socket.create_connection(("127.0.0.1", int(sys.argv[1])), timeout=10) as s:
    s.sendall(struct.pack("<H", len(payload)) + payload)
    data = b""
    while len(data) < 2 + len(payload):
        chunk = s.recv(64)
        if not chunk: break
        data += chunk
assert data == struct.pack("<H", len(payload)) + payload[::-1], data
PY
wait "$pid"
