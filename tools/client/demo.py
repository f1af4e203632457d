"""The demo calls: with the program (TesselonServer.exe, or the console service host) running on the demo program
folder, places a few calls of every line kind through the simulated driver's control port while a remote client is
logged in, printing the channel changes and the filed calls that client receives; then lists the recordings and the
CDR rows the calls left behind.

usage: demo.py [--dist <program folder>]   (scripts/run starts it beside the program)
"""
import argparse
import configparser
import datetime
import os
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from programfolder import data_folder  # noqa: E402
from simcontrol import SimControl  # noqa: E402
import tessclient as tc  # noqa: E402

CALL_TYPES = {1: "incoming", 2: "outgoing", 3: "missed", 4: "voice", 5: "auto-answered"}


def say(text):
    print("demo: " + text, flush=True)


def read_ini(path):
    ini = configparser.ConfigParser(strict=False, interpolation=None)
    ini.optionxform = str
    raw = open(path, "rb").read()
    ini.read_string(raw.decode("utf-16") if raw[:2] == b"\xff\xfe" else raw.decode("utf-8", errors="replace"))
    return ini


def report_frames(client):
    """Narrates what the logged-in client receives from now on (live audio once per listening)."""
    seen, audio_shown = client.mark(), False
    while not client.closed:
        try:
            client.wait_for(lambda f: True, 1.0, seen)
        except TimeoutError:
            continue
        for f in client.received()[seen:]:
            seen += 1
            if f.command == tc.FRAME_CHANNEL_STATUS:
                s = tc.parse_channel_status(f.payload)
                say("client <- status of channel %03d: state %d" % (s["Channel"] + 1, s["State"]))
            elif f.command == tc.FRAME_CALLER_ID:
                say("client <- caller id %s" % tc.text8(f.payload, 0, 64))
            elif f.command == tc.FRAME_NEW_CDR:
                r = tc.parse_call_record(f.payload)
                say("client <- new CDR: channel %03d, %s, %d s, %s" % (
                    r["Channel"] + 1, CALL_TYPES.get(r["CallType"], r["CallType"]), r["RecTime"], r["PhoneNumber"]))
            elif f.command == tc.FRAME_LIVE_AUDIO and not audio_shown:
                say("client <- live audio, %d bytes per frame" % (len(f.body) - 2))
                audio_shown = True
            elif f.command == tc.FRAME_MONITOR_STOPPED:
                audio_shown = False


def place_calls(sim, client):
    say("call 1: incoming call with caller id on line 001 (voltage-watched), the client listens in")
    sim.command("ring 0 3 5551234")
    time.sleep(5)
    sim.command("offhook 0")
    time.sleep(1)
    client.start_monitor(0)
    time.sleep(3)
    client.stop_monitor()
    time.sleep(2)
    sim.command("onhook 0")
    time.sleep(2)

    say("call 2: outgoing call on line 003 (event-driven), dialling 0123456")
    sim.command("offhook 2")
    time.sleep(1)
    sim.command("dtmf 2 0123456")
    time.sleep(5)
    sim.command("onhook 2")
    time.sleep(2)

    say("call 3: a call on line 005 (event-driven) that nobody answers")
    sim.command("ring 4 1 5559876")
    time.sleep(9)

    say("call 4: incoming call on the tapped E1 circuit 0 (channel 009)")
    sim.command("spy alert 0 in 5554321 8009")
    time.sleep(2)
    sim.command("spy answer 0")
    time.sleep(5)
    sim.command("spy release 0")
    time.sleep(3)


def list_results(dist):
    recordings = os.path.join(dist, "Recordings")
    say("recordings under %s:" % recordings)
    for folder, _, files in os.walk(recordings):
        for name in sorted(files):
            path = os.path.join(folder, name)
            say("  %s (%d bytes)" % (os.path.relpath(path, recordings), os.path.getsize(path)))
    day = datetime.date.today()
    cdr = os.path.join(data_folder(), day.strftime("%Y%m"), "CDR%s.db" % day.strftime("%Y%m%d"))
    say("CDR rows in %s:" % cdr)
    rows = subprocess.run(["sqlite3", "-cmd", ".timeout 5000", cdr,
                           "select DateTime, Channel + 1, CallType, RecTime, PhoneNumber from Rec_Table"],
                          capture_output=True, text=True).stdout
    for row in rows.splitlines():
        say("  " + row)
    say("data folder: %s (inside the run's Wine prefix, removed when the run ends)" % data_folder())


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--dist", required=True, help="the program folder the program runs")
    dist = parser.parse_args().dist
    control_port = read_ini(os.path.join(dist, "qskern.ini")).getint("Simulator", "ControlPort")
    client_port = read_ini(os.path.join(dist, "Server_Settings.ini")).getint("Settings", "NetPort", fallback=6691)
    if client_port < 1:
        client_port = 6691

    sim = SimControl(control_port, connect_timeout=120)
    deadline = time.monotonic() + 60
    while sim.status().get("started") != "1":  # the service starts the boards 5 s after its start
        if time.monotonic() > deadline:
            say("the boards did not start")
            return 1
        time.sleep(0.5)
    time.sleep(1)
    client = tc.TessClient(client_port)
    say("client logged in on port %d as %s" % (client_port, client.login()))
    threading.Thread(target=report_frames, args=(client,), daemon=True).start()
    place_calls(sim, client)
    list_results(dist)
    say("done; the service keeps running until Ctrl+C")
    client.logout()
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        sys.exit(130)
