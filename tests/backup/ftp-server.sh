#!/usr/bin/env bash
# Runs the FtpServer tests of backup_test (under Wine) against a real FTP server on loopback: pyftpdlib, started
# here on a free port over a fresh root folder, with the login tess/secret and write permission.
set -euo pipefail
runner=$1 program=$2
root=$(mktemp -d)
portfile=$(mktemp -u)
/usr/bin/python3 - "$root" "$portfile" <<'PY' &
import logging, os, sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
root, portfile = sys.argv[1], sys.argv[2]
logging.basicConfig(level=logging.WARNING)
authorizer = DummyAuthorizer()
authorizer.add_user("tess", "secret", root, perm="elradfmwMT")
FTPHandler.authorizer = authorizer
server = FTPServer(("127.0.0.1", 0), FTPHandler)
with open(portfile + ".new", "w") as f:
    f.write(str(server.address[1]))
os.rename(portfile + ".new", portfile)
server.serve_forever()
PY
server=$!
trap 'kill "$server" 2>/dev/null || true; rm -rf "$root" "$portfile"' EXIT
for _ in $(seq 200); do [ -s "$portfile" ] && break; sleep 0.05; done
[ -s "$portfile" ] || { echo "the FTP server did not start" >&2; exit 1; }

TESS_FTP_PORT=$(cat "$portfile") TESS_FTP_ROOT="Z:${root//\//\\}" \
    "$runner" "$program" --gtest_filter='FtpServer.*' --gtest_brief=1
