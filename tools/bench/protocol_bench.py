"""The remote-client protocol under load: 64 logged-in clients receive the pushes of busy lines while one of them
runs CDR searches over a day of 20000 records, again and again.

The service host runs the assembled program folder under Wine (programfolder.py) with 128 event-driven lines and
8 voltage-watched ones; this program, native on Linux, makes the lines busy through the simulator's control port
(pick-up, hang-up, as fast as the port answers; a voltage-watched line between every 16 commands) and receives
with four processes of 16 clients each. It reports the frames per second all clients received, the delay from a
control command to each client's channel-status push (for the voltage-watched lines through the hook monitor's
100 ms debounce), from a hang-up to each client's new-CDR push, the period of the call-time pushes of a recording
line (ten passes of the poll thread), and how the search went meanwhile.

With --stalled the last client stops reading once logged in, listening live to a busy line: the others' figures
show what it costs them.

usage (under scripts/with-wine): protocol_bench.py --dist <build>/dist [--seconds 30] [--cpu N] [--stalled]
"""
import argparse
import bisect
import datetime
import multiprocessing
import os
import selectors
import shutil
import socket
import statistics
import struct
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "client"))

from programfolder import ServiceHost, data_folder, free_port, make_program_folder, windows_path  # noqa: E402
from simcontrol import SimControl  # noqa: E402
import tessclient as tc  # noqa: E402

CLIENTS = 64
PROCESSES = 4
BOARDS = 4                  # analogue boards of 32 lines: 128 event-driven lines
LINES = BOARDS * 32
HOOK_LINES = 8              # voltage-watched lines of a fifth board, after the event-driven ones
HOOK_MS = 100               # their HookOffTime and HookOnTime
SEARCH_ROWS = 20000
STATE_IDLE, STATE_OFF_HOOK, STATE_OUT_REC = 0, 2, 3
STALLED_RECEIVE_BUFFER = 4096


def user_name(client_id):
    """An account may be logged in once at a time: every client has its own."""
    return "tovak" if client_id == 0 else "bench%02d" % client_id


def add_client_accounts():
    """Accounts for clients 1..63 beside the default one, with its channel rights."""
    accounts = os.path.join(data_folder(), "MyLoginClient.db")
    values = ",".join("('%s', 'bench', 'bench-%02d', (select UserFile from AccountTable where UserName = 'tovak'), "
                      "1, 1, 1, 1)" % (user_name(cid), cid) for cid in range(1, CLIENTS))
    subprocess.run(["sqlite3", "-cmd", ".timeout 10000", accounts,
                    "insert into AccountTable (UserName, UserPsw, AutoCode, UserFile, bPlayer, bDownload, bDelete, "
                    "bChart) values " + values], check=True)


def login(port, client_id, receive_buffer=0):
    sock = socket.socket()
    if receive_buffer:
        sock.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, receive_buffer)
    sock.settimeout(30)
    sock.connect(("127.0.0.1", port))
    password = "tovak" if client_id == 0 else "bench"
    record = tc.pack_text16(user_name(client_id), 32) + tc.pack_text16(password, 32)
    sock.sendall(tc.frame(tc.CMD_LOGIN, record + b"\0" * (tc.ACCOUNT_RECORD_BYTES - len(record))))
    cutter = tc.FrameCutter()
    statuses = 0
    while statuses < LINES + HOOK_LINES:  # the login ends with the status of every channel
        data = sock.recv(1 << 16)
        if not data:
            raise ConnectionError("client %d: connection closed during login" % client_id)
        for body in cutter.feed(data):
            if body[0] == tc.FRAME_CHANNEL_STATUS:
                statuses += 1
    sock.setblocking(False)
    return sock, cutter


def receiver(client_ids, port, searcher, stalled, pipe):
    """One process: logs its clients in, then notes every push they receive until told to stop. The stalled client,
    if it is one of them, listens live to line 0 and reads nothing more."""
    clients = {cid: login(port, cid, STALLED_RECEIVE_BUFFER if cid == stalled else 0) for cid in client_ids}
    selector = selectors.DefaultSelector()
    for cid, (sock, _) in clients.items():
        if cid == stalled:
            sock.sendall(tc.frame(tc.CMD_START_MONITOR, struct.pack("<H", 0)))
            continue
        selector.register(sock, selectors.EVENT_READ, cid)
    pipe.send("ready")
    pushes = []           # (client, frame command, channel, state, arrival)
    counts = {}           # frame command -> frames
    received_bytes = 0
    searches = []         # (rows, seconds) of every finished search
    search_rows, search_start, search_last = 0, None, None
    last_keepalive = time.monotonic()
    running = True
    while running or selector.select(0.5):
        if pipe.poll():
            message = pipe.recv()
            if message == "stop":
                running = False
        now = time.monotonic()
        if searcher is not None and running and (search_start is None or
                                                   (search_rows >= SEARCH_ROWS and now - search_last > 0.2)):
            if search_start is not None:
                searches.append((search_rows, search_last - search_start))
            today = datetime.datetime.now()
            day_from = today.replace(hour=0, minute=0, second=0)
            day_to = today.replace(hour=23, minute=59, second=59)
            sql = "select * from Rec_Table".encode("utf-16-le") + b"\0\0"
            clients[searcher][0].setblocking(True)
            clients[searcher][0].sendall(tc.frame(tc.CMD_CDR_SEARCH, tc.pack_systemtime(day_from) +
                                                  tc.pack_systemtime(day_to) + sql))
            clients[searcher][0].setblocking(False)
            search_rows, search_start, search_last = 0, now, now
        if now - last_keepalive > tc.KEEPALIVE_SECONDS:
            for cid, (sock, _) in clients.items():
                if cid == stalled:
                    continue
                sock.setblocking(True)
                sock.sendall(tc.frame(tc.CMD_KEEPALIVE))
                sock.setblocking(False)
            last_keepalive = now
        for key, _ in selector.select(0.05):
            cid = key.data
            sock, cutter = clients[cid]
            try:
                data = sock.recv(1 << 18)
            except BlockingIOError:
                continue
            if not data:
                selector.unregister(sock)
                continue
            arrival = time.monotonic()
            received_bytes += len(data)
            for body in cutter.feed(data):
                command = body[0]
                counts[command] = counts.get(command, 0) + 1
                if command == tc.FRAME_CHANNEL_STATUS:
                    channel, state = struct.unpack_from("<i", body, 1)[0], struct.unpack_from("<i", body, 13)[0]
                    pushes.append((cid, command, channel, state, arrival))
                elif command == tc.FRAME_NEW_CDR:
                    pushes.append((cid, command, struct.unpack_from("<i", body, 1 + 2756)[0], 0, arrival))
                elif command == tc.FRAME_CDR_ROW and cid == searcher:
                    search_rows += 1
                    search_last = arrival
    pipe.send((pushes, counts, received_bytes, searches))


def make_busy(sim, seconds):
    """Picks up and hangs up every line in turn until the time is over, and a voltage-watched line between every 16
    commands; the command times by channel."""
    channels = range(LINES + HOOK_LINES)
    offhooks = {ch: [] for ch in channels}
    onhooks = {ch: [] for ch in channels}
    round_trips = []
    hook_toggles = 0

    def run(table, command, channel):
        sent = time.monotonic()
        table[channel].append(sent)
        sim.command("%s %d" % (command, channel))
        return time.monotonic() - sent

    end = time.monotonic() + seconds
    while time.monotonic() < end:
        for table, command in ((offhooks, "offhook"), (onhooks, "onhook")):
            for channel in range(LINES):
                round_trips.append(run(table, command, channel))
                if channel % 16 == 15:
                    line = LINES + hook_toggles // 2 % HOOK_LINES
                    run(offhooks if hook_toggles % 2 == 0 else onhooks, "offhook" if hook_toggles % 2 == 0 else
                        "onhook", line)
                    hook_toggles += 1
    return offhooks, onhooks, round_trips


def latest_before(times, arrival):
    """The index of the last time not after arrival; -1 when there is none."""
    return bisect.bisect_right(times, arrival) - 1


def summary(values):
    if not values:
        return "none"
    values = sorted(values)
    pick = lambda q: values[min(len(values) - 1, int(len(values) * q))] * 1000  # noqa: E731
    return "median %.1f ms, p95 %.1f ms, p99 %.1f ms, max %.1f ms (n=%d)" % (
        pick(0.5), pick(0.95), pick(0.99), values[-1] * 1000, len(values))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--dist", required=True)
    parser.add_argument("--seconds", type=float, default=30)
    parser.add_argument("--cpu", help="CPU list for the service host (taskset)")
    parser.add_argument("--no-search", action="store_true", help="pushes only, no CDR search meanwhile")
    parser.add_argument("--stalled", action="store_true",
                        help="the last client stops reading once logged in, listening live to line 0")
    options = parser.parse_args()

    tmp = tempfile.mkdtemp(prefix="tesselon-protocol-")
    recordings = os.path.join(tmp, "rec")
    os.makedirs(recordings)
    net_port, control_port = free_port(), free_port()
    shutil.rmtree(os.path.dirname(data_folder()), ignore_errors=True)
    boards = {"Board%d" % b: {"Type": 293, "SerialNo": 300001 + b, "LineTypes": ",".join(["7", "8"] * 16)}
              for b in range(BOARDS)}
    boards["Board%d" % BOARDS] = {"Type": 293, "SerialNo": 300001 + BOARDS, "LineTypes": ",".join(["6"] * HOOK_LINES)}
    hook_times = {}
    for channel in range(LINES, LINES + HOOK_LINES):
        hook_times["Channel%03dHookOffTime" % (channel + 1)] = HOOK_MS
        hook_times["Channel%03dHookOnTime" % (channel + 1)] = HOOK_MS
    make_program_folder(options.dist, os.path.join(tmp, "program"),
                        {"Settings": {"NetPort": net_port, "RecFolder1": windows_path(recordings) + "\\"},
                         "Setting": {"Language": "English"}, "ChannelParam": hook_times},
                        dict({"Simulator": {"ControlPort": control_port, "Speed": 1}}, **boards))
    host = ServiceHost(os.path.join(tmp, "program"), log_path=os.path.join(tmp, "servicehost.log"),
                       cpu_list=options.cpu)
    try:
        host.wait_for_line(r"channels ready: %d " % (LINES + 32), 90)
        day = datetime.date.today()
        cdr = os.path.join(data_folder(), day.strftime("%Y%m"), "CDR%s.db" % day.strftime("%Y%m%d"))
        subprocess.run(["sqlite3", "-cmd", ".timeout 10000", cdr,
                        "with recursive n(i) as (select 1 union all select i + 1 from n where i < %d) "
                        "insert into Rec_Table (DateTime, DoubleDate, ChannelName, ChannelPhone, PhoneNumber, "
                        "PhoneName, Extension, ExtensionName, SiteName, SiteNumber, CallNotes, FilePath, Channel, "
                        "CallType, RecTime, CloudSave, Ftp, Flag, RingCnt, CusAutoID, CusNotes1, CusNotes2, CusAJBH) "
                        "select '%s 10:00:00', 0, 'Line', '100', printf('555%%05d', i), '', '', '', 'bench', 'B1', "
                        "'', printf('Z:\\rec\\%%d.wav', i), i %% %d, 1 + i %% 2, 30, 0, 0, 0, 1, '', '', '', '' "
                        "from n" % (SEARCH_ROWS, day.isoformat(), LINES)], check=True)
        add_client_accounts()
        sim = SimControl(control_port)

        pipes, processes = [], []
        for p in range(PROCESSES):
            ids = list(range(p * CLIENTS // PROCESSES, (p + 1) * CLIENTS // PROCESSES))
            parent, child = multiprocessing.Pipe()
            searcher = 0 if p == 0 and not options.no_search else None
            stalled = CLIENTS - 1 if options.stalled else None
            process = multiprocessing.Process(target=receiver, args=(ids, net_port, searcher, stalled, child))
            process.start()
            pipes.append(parent)
            processes.append(process)
        for pipe in pipes:
            if pipe.recv() != "ready":
                raise RuntimeError("a receiver did not log in")
        print("%d clients logged in; lines busy for %.0f s..." % (CLIENTS, options.seconds), flush=True)

        start = time.monotonic()
        offhooks, onhooks, round_trips = make_busy(sim, options.seconds)
        busy_end = time.monotonic()
        time.sleep(3)  # the last calls' CDRs
        for pipe in pipes:
            pipe.send("stop")
        results = [pipe.recv() for pipe in pipes]
        for process in processes:
            process.join()
    finally:
        host.stop()
        shutil.rmtree(tmp, ignore_errors=True)

    pushes = [p for r in results for p in r[0] if p[4] >= start]
    counts = {}
    for r in results:
        for command, n in r[1].items():
            counts[command] = counts.get(command, 0) + n
    received_bytes = sum(r[2] for r in results)
    searches = [s for r in results for s in r[3]]
    window = busy_end - start
    calls = sum(len(onhooks[ch]) for ch in range(LINES))
    readers = CLIENTS - 1 if options.stalled else CLIENTS

    # A status push answers the latest command of its kind for its channel; the channel goes on being pushed while
    # it records (each second), so only the first push of that state after the command counts. The later pushes of
    # a recording line are its call-time pushes, one each ten passes of the poll thread.
    status_delays, hook_delays, cdr_delays, call_time_periods = [], [], [], []
    answered, cdr_seen, last_status = {}, {}, {}
    for cid, command, channel, state, arrival in pushes:
        if command == tc.FRAME_CHANNEL_STATUS and 0 <= channel < LINES + HOOK_LINES:
            previous = last_status.get((cid, channel))
            last_status[(cid, channel)] = (state, arrival)
            if channel < LINES and state == STATE_OUT_REC and previous and previous[0] == STATE_OUT_REC:
                call_time_periods.append(arrival - previous[1])
            on_state, delays = (STATE_OUT_REC, status_delays) if channel < LINES else (STATE_OFF_HOOK, hook_delays)
            if state not in (on_state, STATE_IDLE):
                continue
            times = offhooks[channel] if state == on_state else onhooks[channel]
            index = latest_before(times, arrival)
            if index >= 0 and index > answered.get((cid, channel, state), -1):
                answered[(cid, channel, state)] = index
                delays.append(arrival - times[index])
        elif command == tc.FRAME_NEW_CDR and 0 <= channel < LINES:
            k = cdr_seen.get((cid, channel), 0)  # the k-th record of a channel is its k-th hang-up
            cdr_seen[(cid, channel)] = k + 1
            if k < len(onhooks[channel]):
                cdr_delays.append(arrival - onhooks[channel][k])
    push_frames = sum(1 for p in pushes if p[4] <= busy_end)
    print("\nprotocol under load: %d clients%s, %d lines picked up and hung up %d times in %.1f s "
          "(%.0f commands/s on the control port)" % (
              CLIENTS, ", the last of them stalled" if options.stalled else "", LINES, calls, window,
              2 * calls / window))
    print("  push frames received by all clients: %.0f frames/s (%d in the busy window)" % (
        push_frames / window, push_frames))
    print("  all frames received, search results included: %d frames, %.1f MB/s" % (
        sum(counts.values()), received_bytes / 1e6 / (time.monotonic() - start)))
    print("  control command round trip (its events handled):     " + summary(round_trips))
    print("  control command -> channel-status push at each client: " + summary(status_delays))
    print("  voltage-watched line, command -> status push (%d ms debounce): " % HOOK_MS + summary(hook_delays))
    print("  call-time pushes of a recording line, period (10 polls): " + summary(call_time_periods))
    print("  hang-up -> new-CDR push at each client:               " + summary(cdr_delays))
    print("  new-CDR pushes: %d of %d expected (%d calls x %d reading clients)" % (
        len(cdr_delays), calls * readers, calls, readers))
    if searches:
        rows = sum(s[0] for s in searches)
        print("  CDR searches finished meanwhile: %d, %d rows each, %.1f s each (%.0f rows/s)" % (
            len(searches), searches[0][0], statistics.mean(s[1] for s in searches),
            rows / sum(s[1] for s in searches)))
    else:
        print("  no CDR search finished within the window")


if __name__ == "__main__":
    main()
