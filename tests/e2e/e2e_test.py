"""End-to-end scenarios of the recording service: the real program folder (<build>/dist) runs under Wine with the
simulated driver; calls of every line kind are placed through the simulator's control port, and what the service
made of them is checked from outside: each recording with sox, each CDR row with the sqlite3 shell, the frames a
logged-in client received, and the upload to a loopback FTP server inside the backup window.

Run by ctest under scripts/with-wine (the environment gives the Wine prefix, TESSELON_DIST and TESSELON_TOOLS).
One service runs for the whole class; the tests run in the order of their numbers and use channels of their own.
"""
import datetime
import logging
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

sys.path.insert(0, os.environ.get("TESSELON_TOOLS", os.path.join(os.path.dirname(__file__), "../../tools/client")))

from programfolder import (ServiceHost, data_folder, free_port, linux_path, make_program_folder,  # noqa: E402
                           windows_path)
from simcontrol import SimControl  # noqa: E402
import tessclient as tc  # noqa: E402

DIST = os.environ.get("TESSELON_DIST", "")
SPEED = 8                 # the simulator's audio clock runs 8 times faster: short calls, full recording blocks
WAIT = 30                 # s: generous deadlines for a loaded machine
SERIAL = "E2E0001"
FTP_USER, FTP_PASSWORD = "backup", "secret"
LOOPBACK_AS_SETTING = (127 << 24) + 1  # FtpServer: the first octet in the most significant byte

# Channels (0-based driver channels) of the scenario's analogue board, by line type; spy channels follow.
VOLTAGE_IN, VOLTAGE_OUT, EVENT_IN, EVENT_MISSED, EVENT_OUT, EVENT_FTP = 0, 1, 2, 3, 4, 5
LINE_TYPES = "6,6,7,7,8,8,6,7"
ANALOGUE_LINES = 8
SPY_CHANNELS = 30          # one E1 board of type 15 taps 30 circuits
SPY_IN_CIC, SPY_OUT_CIC = 0, 1

STATE_IDLE, STATE_OFF_HOOK, STATE_OUT_REC, STATE_RINGING, STATE_IN_REC = 0, 2, 3, 4, 5
CALL_IN, CALL_OUT, CALL_MISSED = 1, 2, 3


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, check=True).stdout.strip()


def sqlite(db, sql):
    """Rows of a query through the sqlite3 shell (fields split on |); waits out the service's write locks."""
    out = run("sqlite3", "-cmd", ".timeout 10000", db, sql)
    return [line.split("|") for line in out.splitlines()] if out else []


def read_bytes(path):
    with open(path, "rb") as file:
        return file.read()


def start_ftp_server(root, port):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import FTPServer
    log = logging.getLogger("pyftpdlib")  # a handler of its own keeps the server from logging every command
    log.addHandler(logging.NullHandler())
    log.setLevel(logging.WARNING)
    log.propagate = False
    authorizer = DummyAuthorizer()
    authorizer.add_user(FTP_USER, FTP_PASSWORD, root, perm="elradfmwMT")
    handler = type("BackupHandler", (FTPHandler,), {"authorizer": authorizer})
    server = FTPServer(("127.0.0.1", port), handler)
    threading.Thread(target=server.serve_forever, kwargs={"timeout": 0.2}, daemon=True).start()
    return server


class ServiceEndToEnd(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="tesselon-e2e-")
        cls.recordings = os.path.join(cls.tmp, "rec")
        cls.ftp_root = os.path.join(cls.tmp, "ftp")
        os.makedirs(cls.recordings)
        os.makedirs(cls.ftp_root)
        ftp_port, cls.net_port, control_port = free_port(), free_port(), free_port()
        cls.ftp = start_ftp_server(cls.ftp_root, ftp_port)
        # The data folder belongs to the run's Wine prefix; start from an empty one.
        shutil.rmtree(os.path.dirname(data_folder()), ignore_errors=True)
        cls.settings = {
            "Settings": {
                "NetPort": cls.net_port, "LocalName": "E2E site", "LocalSerialNo": SERIAL,
                "RecFolder1": windows_path(cls.recordings) + "\\", "AudioFmt": 0, "MissedRing": 2000,
                "FtpBackup": 1, "FtpServer": LOOPBACK_AS_SETTING, "FtpPort": ftp_port,
                "FtpUserName": FTP_USER, "FtpUserPsw": FTP_PASSWORD,
                "FtpFromHour": 0, "FtpFromMin": 0, "FtpToHour": 23, "FtpToMin": 59,
            },
            "Setting": {"Language": "English"},
            "ChannelParam": {"Channel001Name": "Reception", "Channel001Phone": "100"},
        }
        scenario = {
            "Simulator": {"ControlPort": control_port, "Speed": SPEED, "RingIntervalMs": 1000, "Audio": "tone 440"},
            "Board0": {"Type": 297, "SerialNo": 100001, "LineTypes": LINE_TYPES},
            "Board1": {"Type": 15, "SerialNo": 100002},
        }
        cls.folder = os.path.join(cls.tmp, "program")
        make_program_folder(DIST, cls.folder, cls.settings, scenario)
        cls.host = ServiceHost(cls.folder, log_path=os.path.join(cls.tmp, "servicehost.log"))
        cls.host.wait_for_line(r"channels ready: %d " % (ANALOGUE_LINES + SPY_CHANNELS), 60)
        cls.sim = SimControl(control_port)
        cls.client = tc.TessClient(cls.net_port)
        cls.client.login()

    @classmethod
    def tearDownClass(cls):
        cls.client.close()
        cls.sim.close()
        cls.host.stop()
        cls.ftp.close_all()
        if os.environ.get("TESSELON_KEEP_E2E"):
            print("e2e files kept in", cls.tmp)
        else:
            shutil.rmtree(cls.tmp, ignore_errors=True)

    # Helpers
    def today_db(self, name):
        day = datetime.date.today()
        return os.path.join(data_folder(), day.strftime("%Y%m"), "%s%s.db" % (name, day.strftime("%Y%m%d")))

    def set_setting(self, key, value):
        """Rewrites one key of section Settings while the service runs (it reads AudioFmt at every recording)."""
        path = os.path.join(self.folder, "Server_Settings.ini")
        raw = open(path, "rb").read()
        text, encoding = (raw.decode("utf-16"), "utf-16") if raw[:2] == b"\xff\xfe" else (raw.decode(), "utf-8")
        text = re.sub(r"(?m)^%s=.*$" % key, lambda _: "%s=%s\r" % (key, value), text)
        open(path, "wb").write(text.encode(encoding))

    def wait_status(self, channel, state, start):
        frame = self.client.wait_for(
            lambda f: f.command == tc.FRAME_CHANNEL_STATUS and
            tc.parse_channel_status(f.payload)["Channel"] == channel and
            tc.parse_channel_status(f.payload)["State"] == state, WAIT, start)
        return tc.parse_channel_status(frame.payload)

    def wait_cdr(self, channel, start):
        frame = self.client.wait_for(
            lambda f: f.command == tc.FRAME_NEW_CDR and tc.parse_call_record(f.payload)["Channel"] == channel,
            WAIT, start)
        self.assertEqual(len(frame.payload), tc.CALL_RECORD_BYTES)
        return tc.parse_call_record(frame.payload)

    def wait_caller_id(self, number, start):
        frame = self.client.wait_for(lambda f: f.command == tc.FRAME_CALLER_ID and
                                     tc.text8(f.payload, 0, 64) == number, WAIT, start)
        self.assertEqual(len(frame.payload), 64 + tc.CONTACT_RECORD_BYTES)

    def check_filed_call(self, pushed, channel, call_type, number, seconds_of_call, encoding="IMA ADPCM"):
        """The pushed record, its CDR row and its recording agree with the call that was placed."""
        self.assertEqual((pushed["Channel"], pushed["CallType"]), (channel, call_type))
        self.assertIn(number, pushed["PhoneNumber"])
        self.assertEqual((pushed["SiteName"], pushed["SiteNumber"]), ("E2E site", SERIAL))
        rows = sqlite(self.today_db("CDR"), "select Channel, CallType, PhoneNumber, RecTime from Rec_Table "
                      "where FilePath = '%s'" % pushed["FilePath"].replace("'", "''"))
        self.assertEqual(rows, [[str(channel), str(call_type), pushed["PhoneNumber"], str(pushed["RecTime"])]])
        self.assertLessEqual(pushed["RecTime"], seconds_of_call + 1)
        wav = linux_path(pushed["FilePath"])
        self.assertTrue(wav.startswith(self.recordings), wav)
        self.assertEqual(run("sox", "--i", "-e", wav), encoding)
        self.assertEqual((run("sox", "--i", "-r", wav), run("sox", "--i", "-c", wav)), ("8000", "1"))
        run("sox", wav, "-n", "stat")  # the whole file decodes
        # The audio clock runs SPEED times faster than the call's wall time.
        duration = float(run("sox", "--i", "-D", wav))
        self.assertGreater(duration, SPEED * max(pushed["RecTime"] - 1, 0.5) * 0.8)
        self.assertLess(duration, SPEED * (seconds_of_call + 2))
        return wav

    # Scenarios
    def test_1_login_sends_identity_rights_and_every_channel_status(self):
        channel_count = ANALOGUE_LINES + SPY_CHANNELS
        info = self.client.wait_for(lambda f: f.command == tc.FRAME_SERVER_INFO, WAIT).payload
        self.assertEqual(tc.text16(info, 0, 32), "E2E site")
        self.assertEqual(tc.text16(info, 64, 32), SERIAL)
        self.assertEqual(int.from_bytes(info[128:132], "little"), channel_count)
        rights = self.client.wait_for(lambda f: f.command == tc.FRAME_RIGHTS, WAIT).payload
        self.assertEqual(rights, b"\x01" * 512)  # the default client account may see every channel
        # The statuses follow in channel order.
        self.client.wait_for(lambda f: f.command == tc.FRAME_CHANNEL_STATUS and
                             tc.parse_channel_status(f.payload)["Channel"] == channel_count - 1, WAIT)
        statuses = [tc.parse_channel_status(f.payload) for f in self.client.received(tc.FRAME_CHANNEL_STATUS)]
        channels = sorted({s["Channel"] for s in statuses})
        self.assertEqual(channels, list(range(channel_count)))
        first = next(s for s in statuses if s["Channel"] == 0)
        self.assertEqual((first["Name"], first["Phone"], first["ChannelType"]), ("Reception", "100", 6))

    def test_2_incoming_call_on_voltage_watched_line_with_live_audio(self):
        start = self.client.mark()
        self.sim.command("ring %d 3 5551001" % VOLTAGE_IN)
        self.wait_status(VOLTAGE_IN, STATE_RINGING, start)
        self.wait_caller_id("5551001", start)
        began = time.monotonic()
        self.sim.command("offhook %d" % VOLTAGE_IN)
        self.wait_status(VOLTAGE_IN, STATE_IN_REC, start)

        listening = self.client.mark()
        self.client.start_monitor(VOLTAGE_IN)
        audio = [self.client.wait_for(lambda f: f.command == tc.FRAME_LIVE_AUDIO, WAIT, listening)]
        audio.append(self.client.wait_for(lambda f: f.command == tc.FRAME_LIVE_AUDIO and f is not audio[0],
                                          WAIT, listening))
        for frame in audio:
            self.assertEqual(len(frame.body), 4098)
            self.assertEqual(frame.payload[0], 0)  # AudioFmt of the recording: IMA ADPCM
        self.client.stop_monitor()
        stopped = self.client.wait_for(lambda f: f.command == tc.FRAME_MONITOR_STOPPED, WAIT, listening)
        self.assertEqual(stopped.body, bytes([14, 1, 0, 0]))

        time.sleep(1)
        self.sim.command("onhook %d" % VOLTAGE_IN)
        pushed = self.wait_cdr(VOLTAGE_IN, start)
        ended = time.monotonic()
        self.wait_status(VOLTAGE_IN, STATE_IDLE, start)
        self.assertEqual((pushed["ChannelName"], pushed["ChannelPhone"]), ("Reception", "100"))
        self.check_filed_call(pushed, VOLTAGE_IN, CALL_IN, "5551001", ended - began)
        self.assertIn("-in-001(Reception 100)-5551001.wav", pushed["FilePath"])

    def test_3_outgoing_call_on_voltage_watched_line(self):
        start = self.client.mark()
        began = time.monotonic()
        self.sim.command("offhook %d" % VOLTAGE_OUT)
        self.wait_status(VOLTAGE_OUT, STATE_OFF_HOOK, start)
        self.sim.command("dtmf %d 2223333" % VOLTAGE_OUT)  # the recording starts with the first digits
        status = self.wait_status(VOLTAGE_OUT, STATE_OUT_REC, start)
        self.assertEqual(status["ChannelType"], 6)
        time.sleep(2)
        self.sim.command("onhook %d" % VOLTAGE_OUT)
        pushed = self.wait_cdr(VOLTAGE_OUT, start)
        self.check_filed_call(pushed, VOLTAGE_OUT, CALL_OUT, "2223333", time.monotonic() - began)
        self.assertIn("-out-002", pushed["FilePath"])

    def test_4_incoming_call_on_event_driven_line(self):
        start = self.client.mark()
        self.sim.command("ring %d 2 5552002" % EVENT_IN)
        self.wait_status(EVENT_IN, STATE_RINGING, start)
        self.wait_caller_id("5552002", start)
        began = time.monotonic()
        self.sim.command("offhook %d" % EVENT_IN)
        self.wait_status(EVENT_IN, STATE_IN_REC, start)
        time.sleep(2)
        self.sim.command("onhook %d" % EVENT_IN)
        pushed = self.wait_cdr(EVENT_IN, start)
        self.check_filed_call(pushed, EVENT_IN, CALL_IN, "5552002", time.monotonic() - began)

    def test_5_outgoing_call_on_event_driven_line_recorded_in_alaw(self):
        self.set_setting("AudioFmt", 2)
        try:
            start = self.client.mark()
            began = time.monotonic()
            self.sim.command("offhook %d" % EVENT_OUT)  # the pick-up itself starts the recording
            self.wait_status(EVENT_OUT, STATE_OUT_REC, start)
            self.sim.command("dtmf %d 4445555" % EVENT_OUT)
            time.sleep(2)
            self.sim.command("onhook %d" % EVENT_OUT)
            pushed = self.wait_cdr(EVENT_OUT, start)
        finally:
            self.set_setting("AudioFmt", 0)
        self.check_filed_call(pushed, EVENT_OUT, CALL_OUT, "4445555", time.monotonic() - began, encoding="A-law")

    def test_6_unanswered_ringing_is_filed_as_missed_call(self):
        start = self.client.mark()
        self.sim.command("ring %d 1 5553003" % EVENT_MISSED)
        pushed = self.wait_cdr(EVENT_MISSED, start)
        self.assertEqual((pushed["CallType"], pushed["RecTime"], pushed["RingCnt"]), (CALL_MISSED, 0, 1))
        self.assertIn("5553003", pushed["PhoneNumber"])
        self.assertTrue(pushed["FilePath"].endswith(".tmp"))
        self.assertFalse(os.path.exists(linux_path(pushed["FilePath"])))
        rows = sqlite(self.today_db("CDR"), "select CallType, RecTime from Rec_Table where Channel = %d"
                      % EVENT_MISSED)
        self.assertEqual(rows, [[str(CALL_MISSED), "0"]])

    def test_7_spy_calls_in_both_directions(self):
        for cic, direction, caller, callee, call_type, number in (
                (SPY_IN_CIC, "in", "5554004", "8004", CALL_IN, "5554004"),
                (SPY_OUT_CIC, "out", "8005", "5555005", CALL_OUT, "5555005")):
            with self.subTest(direction=direction):
                channel = ANALOGUE_LINES + cic  # the n-th spy channel taps circuit n
                start = self.client.mark()
                self.sim.command("spy alert %d %s %s %s" % (cic, direction, caller, callee))
                began = time.monotonic()
                self.sim.command("spy answer %d" % cic)
                self.wait_status(channel, STATE_IN_REC if direction == "in" else STATE_OUT_REC, start)
                time.sleep(2)
                self.sim.command("spy release %d" % cic)
                pushed = self.wait_cdr(channel, start)
                self.check_filed_call(pushed, channel, call_type, number, time.monotonic() - began)

    def test_8_recordings_and_cdr_database_are_uploaded_inside_the_backup_window(self):
        pushed = [tc.parse_call_record(f.payload) for f in self.client.received(tc.FRAME_NEW_CDR)]
        recorded = [p for p in pushed if p["RecTime"] > 0]
        self.assertTrue(recorded)
        day = datetime.date.today()
        remote_day = os.path.join(self.ftp_root, SERIAL, day.strftime("%Y%m"), day.strftime("%Y%m%d"))
        deadline = time.monotonic() + 90
        pending = {os.path.basename(linux_path(p["FilePath"])): linux_path(p["FilePath"]) for p in recorded}
        while pending and time.monotonic() < deadline:
            for name, local in list(pending.items()):
                remote = os.path.join(remote_day, name)
                if os.path.exists(remote) and os.path.getsize(remote) == os.path.getsize(local):
                    self.assertEqual(read_bytes(remote), read_bytes(local))
                    del pending[name]
            time.sleep(0.5)
        self.assertFalse(pending, "not uploaded: %s" % sorted(pending))
        cdr_copy = os.path.join(remote_day, "dbFiles", "CDR%s.db" % day.strftime("%Y%m%d"))
        deadline = time.monotonic() + WAIT
        while time.monotonic() < deadline and not os.path.exists(cdr_copy):
            time.sleep(0.5)
        self.assertGreaterEqual(int(sqlite(cdr_copy, "select count(*) from Rec_Table")[0][0]), 1)
        self.host.wait_for_line(r"FTP uploaded: ", WAIT)

    def test_9_ctrl_c_stops_the_service_in_order(self):
        mark = self.host.mark()
        self.assertEqual(self.host.stop(), 0)
        self.host.wait_for_line(r"service stopped", 5, mark)
        rows = sqlite(self.today_db("SysLog"), "select SysLog_Cmd from SysLog_Table where SysLog_Cmd in (0, 1)")
        self.assertEqual([r[0] for r in rows], ["0", "1"])


if __name__ == "__main__":
    if not (os.path.isfile(os.path.join(DIST, "servicehost.exe")) and os.environ.get("WINEPREFIX")):
        print("skipped: needs the assembled program folder (TESSELON_DIST) and a Wine prefix (scripts/with-wine)")
        sys.exit(77)  # ctest's SKIP_RETURN_CODE
    unittest.main(verbosity=2)
