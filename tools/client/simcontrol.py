"""Client of the simulated driver's loopback control port (platform/qskern/README.md, "Control commands").

One command per line; the reply lines end with a line holding a single ".". Used by the demo, the end-to-end
tests and the benchmarks, all of which run natively on Linux beside the program under Wine.
"""
import socket
import time


class SimError(Exception):
    """The simulator answered ERR."""


class SimControl:
    def __init__(self, port, host="127.0.0.1", connect_timeout=30.0):
        """Connects, retrying until connect_timeout: the port opens when the program loads the driver."""
        deadline = time.monotonic() + connect_timeout
        while True:
            try:
                self._sock = socket.create_connection((host, port), timeout=5)
                break
            except OSError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.2)
        self._sock.settimeout(60)
        self._buffer = b""

    def close(self):
        self._sock.close()

    def command(self, line):
        """Runs one command; returns its reply lines (the first starts with OK). Raises SimError on ERR."""
        self._sock.sendall(line.encode() + b"\n")
        lines = []
        while True:
            while b"\n" not in self._buffer:
                chunk = self._sock.recv(65536)
                if not chunk:
                    raise ConnectionError("control port closed")
                self._buffer += chunk
            text, self._buffer = self._buffer.split(b"\n", 1)
            text = text.decode(errors="replace").rstrip("\r")
            if text == ".":
                break
            lines.append(text)
        if not lines or not lines[0].startswith("OK"):
            raise SimError("%s -> %s" % (line, " | ".join(lines)))
        return lines

    def status(self):
        """The status reply as a dict of its key=value words."""
        words = self.command("status")[0].split()[1:]
        return dict(word.split("=", 1) for word in words if "=" in word)
