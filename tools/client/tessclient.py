"""A remote client of the recording server's TCP protocol, native on Linux (Wine uses the host's sockets).

Frames in both directions are a 16-bit little-endian length N and N bytes whose first byte is the command.
The records travel as their fixed little-endian images (UTF-16 texts, SYSTEMTIME as eight 16-bit words).
TessClient keeps every frame it receives, with its arrival time, for the caller to wait on and inspect.
"""
import socket
import struct
import threading
import time

# Commands a client sends.
CMD_LOGIN, CMD_LOGOUT, CMD_KEEPALIVE, CMD_CDR_SEARCH = 0, 1, 2, 3
CMD_START_MONITOR, CMD_STOP_MONITOR = 13, 14

# Commands of the frames the server sends.
FRAME_LOGIN, FRAME_KEEPALIVE, FRAME_CDR_ROW, FRAME_SERVER_INFO = 0, 2, 3, 8
FRAME_NEW_CDR, FRAME_CALLER_ID, FRAME_LIVE_AUDIO, FRAME_MONITOR_STOPPED = 10, 11, 13, 14
FRAME_CHANNEL_STATUS, FRAME_RIGHTS = 20, 27

CALL_RECORD_BYTES = 2800
ACCOUNT_RECORD_BYTES = 728
CHANNEL_STATUS_BYTES = 296
CONTACT_RECORD_BYTES = 1792
KEEPALIVE_SECONDS = 10  # the server drops a client silent for 60 s


def text16(data, offset, chars):
    """A UTF-16 text field, up to its first NUL."""
    raw = data[offset:offset + 2 * chars].decode("utf-16-le", errors="replace")
    return raw.split("\0", 1)[0]


def text8(data, offset, size):
    return data[offset:offset + size].split(b"\0", 1)[0].decode("latin-1")


def pack_text16(text, chars):
    raw = text.encode("utf-16-le")[:2 * (chars - 1)]
    return raw + b"\0" * (2 * chars - len(raw))


def systemtime(data, offset):
    year, month, _, day, hour, minute, second, ms = struct.unpack_from("<8H", data, offset)
    return (year, month, day, hour, minute, second, ms)


def pack_systemtime(t):
    """t: a time.struct_time or datetime-like with year..second."""
    weekday = (t.weekday() + 1) % 7
    return struct.pack("<8H", t.year, t.month, weekday, t.day, t.hour, t.minute, t.second, 0)


def parse_call_record(data):
    """The fields of a 2800-byte CallRecord that the tests and tools look at."""
    channel, call_type, rec_time, ring_cnt = struct.unpack_from("<4i", data, 2756)
    return {
        "ChannelName": text16(data, 0, 32), "ChannelPhone": text16(data, 64, 32),
        "PhoneNumber": text16(data, 128, 32), "PhoneName": text16(data, 192, 32),
        "SiteName": text16(data, 384, 32), "SiteNumber": text16(data, 448, 32),
        "CallNotes": text16(data, 512, 255), "FilePath": text16(data, 1022, 260),
        "Channel": channel, "CallType": call_type, "RecTime": rec_time, "RingCnt": ring_cnt,
        "StartTime": systemtime(data, 2784),
    }


def parse_channel_status(data):
    channel, mode, line_type, state, seconds, volts = struct.unpack_from("<6i", data, 0)
    return {
        "Channel": channel, "RecordMode": mode, "ChannelType": line_type, "State": state,
        "RecordedSeconds": seconds, "LineVoltage": volts, "Name": text16(data, 24, 32),
        "Phone": text16(data, 88, 32), "Number": text16(data, 152, 32), "Caller": text16(data, 216, 32),
    }


def frame(command, payload=b""):
    return struct.pack("<HB", len(payload) + 1, command) + payload


class FrameCutter:
    """Cuts received bytes into frame bodies (command byte first)."""

    def __init__(self):
        self._buffer = bytearray()

    def feed(self, data):
        self._buffer += data
        bodies = []
        used = 0
        while len(self._buffer) - used >= 2:
            (length,) = struct.unpack_from("<H", self._buffer, used)
            if len(self._buffer) - used < length + 2:
                break
            bodies.append(bytes(self._buffer[used + 2:used + 2 + length]))
            used += length + 2
        del self._buffer[:used]
        return bodies


class Frame:
    __slots__ = ("command", "body", "time")

    def __init__(self, body, arrival):
        self.command = body[0] if body else -1
        self.body = body
        self.time = arrival

    @property
    def payload(self):
        return self.body[1:]


class TessClient:
    """One logged-in client with a reader thread and a keep-alive thread."""

    def __init__(self, port, host="127.0.0.1", connect_timeout=30.0):
        deadline = time.monotonic() + connect_timeout
        while True:
            try:
                self.sock = socket.create_connection((host, port), timeout=5)
                break
            except OSError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.2)
        self.sock.settimeout(None)
        self.frames = []
        self.closed = False
        self._cond = threading.Condition()
        self._send_lock = threading.Lock()
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()
        self._keepalive = threading.Thread(target=self._keep_alive, daemon=True)
        self._keepalive.start()

    # Sending
    def send(self, command, payload=b""):
        with self._send_lock:
            self.sock.sendall(frame(command, payload))

    def login(self, user="tovak", password="tovak", timeout=10.0):
        """Sends the login and waits for its answer; returns the accepted account's user name, or raises."""
        record = pack_text16(user, 32) + pack_text16(password, 32)
        self.send(CMD_LOGIN, record + b"\0" * (ACCOUNT_RECORD_BYTES - len(record)))
        answer = self.wait_for(lambda f: f.command == FRAME_LOGIN, timeout)
        if len(answer.body) < 2 or answer.body[1] != 1:
            raise RuntimeError("login refused: %r" % answer.body[:4])
        return text16(answer.body, 2, 32)

    def logout(self):
        self.send(CMD_LOGOUT)

    def start_monitor(self, channel):
        self.send(CMD_START_MONITOR, struct.pack("<H", channel))

    def stop_monitor(self):
        self.send(CMD_STOP_MONITOR)

    def cdr_search(self, day_from, day_to, sql):
        """Command 3 over the days from..to (datetime values); results arrive as FRAME_CDR_ROW frames."""
        text = sql.encode("utf-16-le") + b"\0\0"
        self.send(CMD_CDR_SEARCH, pack_systemtime(day_from) + pack_systemtime(day_to) + text)

    def close(self):
        self.closed = True
        try:
            self.sock.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass
        self.sock.close()

    # Receiving
    def wait_for(self, predicate, timeout=10.0, start=0):
        """The first received frame (from index start) for which predicate is true; raises TimeoutError."""
        deadline = time.monotonic() + timeout
        with self._cond:
            index = start
            while True:
                while index < len(self.frames):
                    if predicate(self.frames[index]):
                        return self.frames[index]
                    index += 1
                remaining = deadline - time.monotonic()
                if remaining <= 0 or self.closed:
                    raise TimeoutError("no matching frame within %.1f s" % timeout)
                self._cond.wait(remaining)

    def received(self, command=None):
        with self._cond:
            return [f for f in self.frames if command is None or f.command == command]

    def mark(self):
        """The index of the next frame to arrive, for wait_for(start=...)."""
        with self._cond:
            return len(self.frames)

    def _read(self):
        cutter = FrameCutter()
        while True:
            try:
                data = self.sock.recv(65536)
            except OSError:
                data = b""
            now = time.monotonic()
            with self._cond:
                if not data:
                    self.closed = True
                    self._cond.notify_all()
                    return
                for body in cutter.feed(data):
                    self.frames.append(Frame(body, now))
                self._cond.notify_all()

    def _keep_alive(self):
        while not self.closed:
            time.sleep(KEEPALIVE_SECONDS)
            try:
                self.send(CMD_KEEPALIVE)
            except OSError:
                return
