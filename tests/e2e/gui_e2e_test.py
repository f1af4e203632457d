"""The product end to end through its real window: TesselonServer.exe of the program folder (<build>/dist) runs under
Wine and Xvfb on the simulated boards and is driven as an operator would, with tools/guidriver (guidriver.exe in
the build's bin folder, run in the same Wine prefix): log in, watch a call come in, find it again, play it, listen
to a channel, dial out, change the settings, export to a spreadsheet, exit. What the program made of it is checked
from outside, as in e2e_test.py: sox for the recording, the sqlite3 shell for the databases, the simulator's
journal for the driver calls, a protocol client for the network, the test's fake spreadsheet server for the export.

Texts are looked up by key in the program folder's English language file, so the assertions read as the window
does. Screenshots go to <build>/gui-e2e/*.png. One program runs for the whole class; the tests run in the order of
their numbers and each leaves the program as the next expects it.
"""
import csv
import datetime
import glob
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import types
import unittest

TOOLS = os.environ.get("TESSELON_TOOLS", os.path.join(os.path.dirname(__file__), "../../tools/client"))
sys.path.insert(0, TOOLS)
sys.path.insert(0, os.path.join(TOOLS, ".."))  # make_app_icons: its PNG writer

from programfolder import WINE, data_folder, free_port, linux_path, make_program_folder, windows_path  # noqa: E402
from simcontrol import SimControl  # noqa: E402
from tessclient import TessClient  # noqa: E402
import make_app_icons  # noqa: E402

DIST = os.environ.get("TESSELON_DIST", "")
DRIVER = os.environ.get("TESSELON_GUIDRIVER", "")
FAKE_EXCEL = os.environ.get("TESSELON_FAKEEXCEL", "")
FAKE_EXCEL_CLSID = "{6A1E5C3B-0F2D-4C84-9B57-3E1D2C4A7F10}"  # tests/fakeexcel/FakeExcel.h
SHOTS = os.environ.get("TESSELON_GUI_SHOTS", "")
PROGRAM = "TesselonServer.exe"
SPEED = 8
WAIT = 30  # s: generous deadlines for a loaded machine
LINE_TYPES = "6,6,6,7,6,6,6,7"
CHANNELS = 8  # a board of this type has eight lines
NUMBER = "5551001"
DIALLED = "123"
DIAL_CHANNEL = 2  # an idle line of type 6
USER = "tovak"

# Window ids and commands of the program.
ID_STATUS_BAR, ID_PANE, IDOK, IDCANCEL, IDYES = 0xE801, 0xE900, 1, 2, 6
ID_LOGIN_USER, ID_LOGIN_PASSWORD, ID_POPUP_NUMBER = 1038, 1039, 1009
ID_SETTINGS, ID_LOGIN, ID_LOGOUT, ID_APP_EXIT = 32772, 32814, 32856, 57665
ID_CHANNEL_LISTEN, ID_CHANNEL_DIAL, ID_BLACKLIST = 32774, 32858, 32866
TRAY_ID = 128  # the tray icon carries the English menu's id
ID_RECORD_SEARCH, ID_RECORD_DETAILS, ID_RECORD_TODAY = 32797, 32818, 32820
ID_SEARCH_CHECK_NUMBER, ID_SEARCH_NUMBER = 1033, 1043
ID_INFO_CHANNEL, ID_INFO_TIME, ID_INFO_TYPE = 1043, 1044, 1046
ID_DIAL_NUMBER, ID_DIAL_DIAL, ID_DIAL_HANGUP = 1043, 1054, 1055
ID_SETTINGS_MIN_REC, ID_SETTINGS_PORT = 1037, 1049
ID_CHANNEL_STOP_LISTEN, ID_RECORD_PLAY, ID_RECORD_EXPORT = 32776, 32791, 32799
ID_MONITOR_CHANNEL, ID_MONITOR_WAVEFORM = 1043, 1044
WM_COMMAND, WM_LBUTTONDBLCLK = 0x0111, 0x0203
TRAY_CALLBACK = 10045  # the message the shell sends the tray icon's window
# Icons of the application's list.
ICON_IDLE, ICON_RING, ICON_OUT_REC, ICON_IN_REC, ICON_LISTENING = 14, 17, 18, 19, 24
# Event codes of the system log.
LOG_EXIT, LOG_LOGIN, LOG_LISTEN, LOG_STOP_LISTEN, LOG_LOGOUT = 1, 8, 10, 11, 15
# Columns of the channel list.
COL_NAME, COL_STATE, COL_DIALLED, COL_FILE = 1, 3, 7, 10
NAVIGATION_WIDTH, LOGO_STRIP, TOOLBAR_HEIGHT = 248, 72, 45


class DriverError(Exception):
    pass


def driver(*args, check=True, env=None):
    """Runs one guidriver command; its JSON answer. The answer goes through a file: Wine's helper processes may
    inherit a pipe and keep it open."""
    with tempfile.TemporaryFile() as out:
        subprocess.run([WINE, DRIVER] + [str(a) for a in args], stdin=subprocess.DEVNULL, stdout=out,
                       stderr=subprocess.DEVNULL, env=env, timeout=120)
        out.seek(0)
        lines = out.read().decode("utf-8", errors="replace").strip().splitlines()
    answer = json.loads(lines[-1]) if lines else {"ok": False, "error": "no answer"}
    if check and not answer["ok"]:
        raise DriverError("%s: %s" % (" ".join(str(a) for a in args), answer.get("error")))
    return answer


def wait_until(probe, timeout=WAIT, what="condition"):
    """Polls probe until it returns something true; that value. Fails the test at the deadline."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for %s" % (what() if callable(what) else what))
        time.sleep(0.2)


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, check=True).stdout.strip()


def sqlite(db, sql):
    out = run("sqlite3", "-cmd", ".timeout 10000", db, sql)
    return [line.split("|") for line in out.splitlines()] if out else []


def read_language(path):
    """{key: text} of a UTF-16 language file."""
    with open(path, "rb") as language:
        text = language.read().decode("utf-16")
    return dict(re.findall(r"(?m)^([0-9]+)=(.*?)\r?$", text))


def read_bmp(path):
    """(width, height, rows of (r, g, b)) of the driver's 32-bpp top-down BMP."""
    with open(path, "rb") as bmp:
        data = bmp.read()
    offset = int.from_bytes(data[10:14], "little")
    width = int.from_bytes(data[18:22], "little", signed=True)
    height = abs(int.from_bytes(data[22:26], "little", signed=True))
    rows = []
    for y in range(height):
        start = offset + 4 * width * y
        row = data[start:start + 4 * width]
        rows.append([(row[i + 2], row[i + 1], row[i]) for i in range(0, len(row), 4)])
    return width, height, rows


def reg_text(value):
    return '"%s"' % value.replace("\\", "\\\\").replace('"', '\\"')


def prepare_prefix(folder, played):
    """In the run's prefix: the fake spreadsheet server registered under the name the program asks for, a .wav
    association whose open command appends its argument to the file played, and the ALSA sound driver. Wine reads
    the classes of the machine, not the user's."""
    helper = 'cmd.exe /c echo %%1>>"%s"' % windows_path(played)
    keys = {
        r"HKEY_CLASSES_ROOT\excel.application\CLSID": {"@": FAKE_EXCEL_CLSID},
        r"HKEY_CLASSES_ROOT\CLSID\%s\InprocServer32" % FAKE_EXCEL_CLSID:
            {"@": windows_path(FAKE_EXCEL), "ThreadingModel": "Apartment"},
        r"HKEY_CLASSES_ROOT\.wav": {"@": "TesselonE2eWave"},
        r"HKEY_CLASSES_ROOT\TesselonE2eWave\shell\open\command": {"@": helper},
        r"HKEY_CURRENT_USER\Software\Wine\Drivers": {"Audio": "alsa"},
    }
    lines = ["REGEDIT4", ""]
    for key, values in keys.items():
        lines.append("[%s]" % key)
        lines += ["%s=%s" % ("@" if name == "@" else reg_text(name), reg_text(value)) for name, value in values.items()]
        lines.append("")
    reg = os.path.join(folder, "e2e.reg")
    with open(reg, "w", newline="\r\n") as out:
        out.write("\n".join(lines) + "\n")
    subprocess.run([WINE, "regedit", "/S", windows_path(reg)], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True, timeout=120)


def write_png(bmp, png):
    """The capture as PNG through the icon tool's writer, which writes square images: the rest is transparent."""
    width, height, rows = read_bmp(bmp)
    size = max(width, height)
    clear = (0, 0, 0, 0)
    pixels = [[p + (255,) for p in row] + [clear] * (size - width) for row in rows]
    pixels += [[clear] * size for _ in range(size - height)]
    canvas = types.SimpleNamespace(size=size, pixels=pixels)
    with open(png, "wb") as out:
        out.write(make_app_icons.Canvas.png(canvas))


class GuiEndToEnd(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="tesselon-gui-e2e-")
        cls.recordings = os.path.join(cls.tmp, "rec")
        os.makedirs(cls.recordings)
        shutil.rmtree(os.path.dirname(data_folder()), ignore_errors=True)
        cls.control_port = free_port()
        settings = {
            "Settings": {"NetPort": free_port(), "InPopup": 1, "AudioFmt": 0, "MinRec": 0,
                         "RecFolder1": windows_path(cls.recordings) + "\\"},
            "Setting": {"LanguageID": 2, "Language": "English"},
        }
        scenario = {
            "Simulator": {"ControlPort": cls.control_port, "Speed": SPEED, "RingIntervalMs": 1000,
                          "Audio": "tone 440"},
            "Board0": {"Type": 297, "SerialNo": 100001, "LineTypes": LINE_TYPES},
        }
        cls.folder = os.path.join(cls.tmp, "program")
        make_program_folder(DIST, cls.folder, settings, scenario)
        cls.text = read_language(os.path.join(cls.folder, "Lang", "EN.ini"))
        os.makedirs(SHOTS, exist_ok=True)
        cls.played = os.path.join(cls.tmp, "played.txt")
        cls.excel_csv = os.path.join(cls.tmp, "excel.csv")
        prepare_prefix(cls.tmp, cls.played)
        # The default ALSA device of the program's home plays into nothing, so the monitor has a device to open.
        home = os.path.join(cls.tmp, "home")
        os.makedirs(home)
        with open(os.path.join(home, ".asoundrc"), "w") as asoundrc:
            asoundrc.write("pcm.!default { type null }\nctl.!default { type hw card 0 }\n")
        cls.env = dict(os.environ, WINEDEBUG=os.environ.get("WINEDEBUG", "-all"), HOME=home,
                       FAKE_EXCEL_CSV=windows_path(cls.excel_csv))
        cls.process = subprocess.Popen([WINE, os.path.join(cls.folder, PROGRAM)], cwd=cls.folder, env=cls.env,
                                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
        cls.sim = None
        cls.frame_window = None

    @classmethod
    def tearDownClass(cls):
        if cls.sim:
            cls.sim.close()
        if cls.process.poll() is None:
            cls.process.kill()
            cls.process.wait()
        if os.environ.get("TESSELON_KEEP_E2E"):
            print("gui e2e files kept in", cls.tmp)
        else:
            shutil.rmtree(cls.tmp, ignore_errors=True)

    # ---- Helpers

    @classmethod
    def simulator(cls):
        if not cls.sim:
            cls.sim = SimControl(cls.control_port)
        return cls.sim

    def journal(self, since, function):
        """[(sequence, ms, arguments)] of the driver's calls of that function after entry since."""
        calls = []
        for line in self.simulator().command("journal %d %s" % (since, function))[1:]:
            found = re.match(r"(\d+) (\d+) \d+ %s\((.*)\) = " % re.escape(function), line)
            if found:
                calls.append((int(found.group(1)), int(found.group(2)), found.group(3)))
        return calls

    def journal_end(self):
        return int(self.simulator().command("journal 0 -")[0].split()[2])

    def setting(self, section, key):
        """A value of the program's INI file, as it is now."""
        with open(os.path.join(self.folder, "Server_Settings.ini"), "rb") as ini:
            raw = ini.read()
        text = raw.decode("utf-16") if raw[:2] in (b"\xff\xfe", b"\xfe\xff") else raw.decode("latin-1")
        current = None
        for line in text.splitlines():
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                current = line[1:-1]
            elif current == section and line.split("=", 1)[0] == key:
                return line.split("=", 1)[1]
        return None

    def wait_row(self, list_hwnd, row, state_key, icon):
        """The channel list's row once it shows that state with that icon."""
        def probe():
            cells = driver("list", list_hwnd)["rows"][row]
            return cells if cells["cells"][COL_STATE].startswith(self.t(state_key)) and \
                cells["images"][COL_STATE] == icon else None
        return wait_until(probe, what="channel %d in state %s" % (row + 1, state_key))

    def t(self, key):
        return self.text[key]

    def today_db(self, name):
        day = datetime.date.today()
        return os.path.join(data_folder(), day.strftime("%Y%m"), "%s%s.db" % (name, day.strftime("%Y%m%d")))

    @classmethod
    def frame(cls):
        if not cls.frame_window:
            cls.frame_window = driver("find", cls.text["0001"], WAIT * 1000)
        return driver("info", cls.frame_window["hwnd"])

    def windows(self):
        return driver("children", self.frame()["hwnd"])["windows"]

    def child(self, under, **match):
        for window in driver("children", under)["windows"]:
            if all(window[k] == v for k, v in match.items()):
                return window
        raise AssertionError("no window %r below %d" % (match, under))

    def dialogs(self, caption):
        """The shown dialogs and message boxes of the program with that caption."""
        tops = driver("toplevels", self.frame()["hwnd"])["windows"]
        return [w for w in tops if w["class"] == "#32770" and w["visible"] and w["text"] == caption]

    def wait_box(self, caption, other_than=()):
        return wait_until(lambda: next((w for w in self.dialogs(caption) if w["hwnd"] not in other_than), None),
                          what="box %r" % caption)

    def status_texts(self):
        return driver("status", self.child(self.frame()["hwnd"], id=ID_STATUS_BAR)["hwnd"])["texts"]

    def main_pane(self):
        return self.child(self.frame()["hwnd"], id=ID_PANE, parent=self.frame()["hwnd"])

    def tree(self):
        return next(w for w in self.windows() if w["class"] == "SysTreeView32" and w["visible"])

    def visible_list(self):
        """The list of the pane shown right of the tree."""
        lists = [w for w in self.windows() if w["class"] == "SysListView32" and w["visible"]]
        self.assertEqual(len(lists), 1)
        return lists[0]["hwnd"]

    def show_view(self, text_key):
        tree = self.tree()["hwnd"]
        item = next(i for i in driver("tree", tree)["items"] if i["text"] == self.t(text_key))
        driver("tree-select", tree, item["item"])
        return self.visible_list()

    def channel_rows(self):
        return driver("list", self.show_view("0002"))["rows"]

    def toolbar_states(self):
        states = {}
        for window in self.windows():
            if window["class"] == "ToolbarWindow32" and window["visible"]:
                states.update({b["id"]: b["enabled"] for b in driver("toolbar", window["hwnd"])["buttons"]})
        return states

    def screenshot(self, name):
        bmp = os.path.join(self.tmp, name + ".bmp")
        driver("capture", self.frame()["hwnd"], windows_path(bmp))
        write_png(bmp, os.path.join(SHOTS, name + ".png"))

    # ---- Scenarios

    def test_01_startup_layout(self):
        frame = self.frame()
        login = self.wait_box(self.t("0188"))
        self.assertEqual(login["owner"], frame["hwnd"])
        self.assertTrue(frame["maximized"])
        windows = self.windows()
        self.assertTrue(any(w["class"] == "TkToolBar" and w["text"] == "Menu Bar" and w["visible"] for w in windows))
        status = driver("status", self.child(frame["hwnd"], id=ID_STATUS_BAR)["hwnd"])
        self.assertEqual(len(status["parts"]), 6)
        self.assertTrue(status["texts"][1].startswith("Ver"), status["texts"][1])
        self.assertEqual(status["texts"][1].strip().split(" ", 1)[1], self.t("0344"))

        items = driver("tree", self.tree()["hwnd"])["items"]
        self.assertEqual(len(items), 15)
        self.assertTrue(items[0]["expanded"])
        self.assertEqual(items[0]["depth"], 0)
        self.assertTrue(any(w["class"] == "Button" and w["text"] == self.t("0002") for w in windows))

        # Once the boards run, one idle row per simulated channel.
        list_hwnd = self.visible_list()

        seen = []

        def idle_rows():
            rows = driver("list", list_hwnd)["rows"]
            seen[:] = [r["cells"][COL_STATE] for r in rows]
            return rows if len(rows) == CHANNELS and all(r["cells"][COL_STATE] == self.t("0259") for r in rows) \
                else None
        rows = wait_until(idle_rows, what=lambda: "the idle channel rows, not %r" % seen)
        self.assertEqual([r["images"][COL_STATE] for r in rows], [ICON_IDLE] * CHANNELS)

        # The white logo frame at the right of the toolbar and the splitter bar right of the navigation column.
        pane = self.main_pane()
        bmp = os.path.join(self.tmp, "pane.bmp")
        driver("capture", pane["hwnd"], windows_path(bmp))
        width, height, px = read_bmp(bmp)
        white = (255, 255, 255)
        # The logo is drawn over the frame's inside from its top-left corner: the left and top edges stay white.
        for x, y in ((width - LOGO_STRIP, 10), (width - LOGO_STRIP, 40), (width - 60, 2), (width - 10, 2)):
            self.assertEqual(px[y][x], white, (x, y))
        inside = {px[y][x] for y in range(4, TOOLBAR_HEIGHT - 2) for x in range(width - LOGO_STRIP + 2, width - 3)}
        self.assertGreater(len(inside), 1, "the logo is missing")
        self.assertNotEqual(px[height // 2][NAVIGATION_WIDTH + 2], white)

        # Both caption strips (navigation and pane column) are drawn from the start, text and icon on their face,
        # not only after the first change of view.
        captions = [w for w in self.windows() if w["class"] == "Static" and w["visible"] and w["text"] == ""
                    and w["rect"][3] - w["rect"][1] > 20 and w["rect"][2] - w["rect"][0] > 200]
        self.assertEqual(len(captions), 2, captions)
        for caption in captions:
            bmp = os.path.join(self.tmp, "caption.bmp")
            driver("capture", caption["hwnd"], windows_path(bmp))
            _, _, px = read_bmp(bmp)
            self.assertGreater(len({p for row in px for p in row}), 3, "a blank caption strip: %r" % caption)

    def test_02_login_and_lock(self):
        login = self.wait_box(self.t("0188"))
        user = self.child(login["hwnd"], id=ID_LOGIN_USER)["hwnd"]
        password = self.child(login["hwnd"], id=ID_LOGIN_PASSWORD)["hwnd"]
        ok = self.child(login["hwnd"], id=IDOK)["hwnd"]
        driver("settext", user, USER)
        driver("settext", password, "wrong")
        driver("click", ok)
        box = self.wait_box(self.t("0188"), other_than=(login["hwnd"],))
        self.assertTrue(any(w["text"] == self.t("0193") for w in driver("children", box["hwnd"])["windows"]))
        driver("command", box["hwnd"], IDOK)
        wait_until(lambda: len(self.dialogs(self.t("0188"))) == 1, what="the box to close")
        self.assertTrue(driver("info", login["hwnd"])["visible"])

        driver("settext", password, USER)
        driver("click", ok)
        wait_until(lambda: not self.dialogs(self.t("0188")), what="the login dialog to close")

        states = wait_until(lambda: (lambda s: s if s.get(ID_LOGOUT) else None)(self.toolbar_states()),
                            what="the toolbar to follow the login")
        self.assertTrue(states[ID_SETTINGS])
        self.assertFalse(states[ID_LOGIN])
        self.assertTrue(states[ID_CHANNEL_LISTEN])
        wait_until(lambda: self.status_texts()[1].strip().endswith(self.t("0343")), what="the login in pane 1")
        rows = sqlite(self.today_db("SysLog"), "select SysLog_Notes from SysLog_Table where SysLog_Cmd = %d"
                      % LOG_LOGIN)
        self.assertIn([USER], rows)
        self.screenshot("main-window")

    def test_03_incoming_call_rows(self):
        self.simulator()
        all_before = len(driver("list", self.show_view("0004"))["rows"])
        incoming_before = len(driver("list", self.show_view("0006"))["rows"])
        list_hwnd = self.show_view("0002")

        def row0(state_key, icon):
            return self.wait_row(list_hwnd, 0, state_key, icon)

        self.sim.command("ring 0 3 %s" % NUMBER)
        row0("0262", ICON_RING)
        popup = wait_until(lambda: (lambda a: a if a["ok"] else None)(
            driver("find-prefix", self.t("0271") + "(", 0, "visible", check=False)), what="the incoming-call pop-up")
        self.assertIn(NUMBER, self.child(popup["hwnd"], id=ID_POPUP_NUMBER)["text"])

        self.sim.command("offhook 0")
        row = row0("0263", ICON_IN_REC)
        path = row["cells"][COL_FILE]
        self.assertTrue(path.lower().endswith(".wav"), path)
        self.screenshot("incoming-call")
        wait_until(lambda: os.path.getsize(linux_path(path)) > 8192 if os.path.exists(linux_path(path)) else False,
                   what="audio in the recording")

        self.sim.command("onhook 0")
        row = row0("0259", ICON_IDLE)
        self.assertEqual(row["cells"][COL_DIALLED:COL_FILE + 1], [""] * 4)

        wait_until(lambda: len(driver("list", self.show_view("0004"))["rows"]) == all_before + 1,
                   what="the call in the all-calls pane")
        wait_until(lambda: len(driver("list", self.show_view("0006"))["rows"]) == incoming_before + 1,
                   what="the call in the incoming pane")
        self.show_view("0002")

        # The recording is written under a working name and filed under its final name when the call ends.
        rows = wait_until(lambda: sqlite(self.today_db("CDR"), "select CallType, PhoneNumber, FilePath from Rec_Table "
                                         "where Channel = 0"), what="the CDR row")
        self.assertEqual(len(rows), 1)
        call_type, number, filed = rows[0]
        self.assertEqual((call_type, number), ("1", NUMBER))
        self.assertEqual(filed.rsplit("\\", 1)[0], path.rsplit("\\", 1)[0])
        self.assertTrue(filed.endswith("-%s.wav" % NUMBER), filed)
        wav = linux_path(filed)
        self.assertEqual(run("sox", "--i", "-e", wav), "IMA ADPCM")
        self.assertEqual((run("sox", "--i", "-r", wav), run("sox", "--i", "-c", wav)), ("8000", "1"))
        self.assertGreater(float(run("sox", "--i", "-D", wav)), 1.0)
        run("sox", wav, "-n", "stat")

    def test_04_search_and_details(self):
        # The search-results pane is known by its list, as the tree shows it.
        results = self.show_view("0290")
        all_calls = self.show_view("0004")
        self.assertNotEqual(results, all_calls)
        frame = self.frame()["hwnd"]

        def found_call():
            if self.visible_list() != results:
                return None
            rows = driver("list", results)["rows"]
            return rows if len(rows) == 1 and rows[0]["cells"][3] == NUMBER else None

        # The operator closes the last call's pop-up first: it stands over the lists.
        popup = driver("find-prefix", self.t("0271") + "(", 0, "visible")
        driver("command", popup["hwnd"], IDCANCEL)
        driver("wait-hidden", popup["hwnd"], WAIT * 1000)

        driver("command", frame, ID_RECORD_TODAY)
        wait_until(found_call, what="today's call in the search results")
        tree = driver("tree", self.tree()["hwnd"])["items"]
        # The tree draws the results' item selected without moving its caret, which would show another pane.
        self.assertEqual([i["text"] for i in tree if i["highlighted"]], [self.t("0290")])
        self.screenshot("search-results")

        # The search form with the number condition finds the call again.
        driver("command", frame, ID_RECORD_SEARCH)
        form = self.wait_box(self.t("0222"))
        driver("click", self.child(form["hwnd"], id=ID_SEARCH_CHECK_NUMBER)["hwnd"])
        driver("settext", self.child(form["hwnd"], id=ID_SEARCH_NUMBER)["hwnd"], NUMBER[-4:])
        # The date pickers' spin buttons carry id 1 too.
        driver("click", self.child(form["hwnd"], id=IDOK, **{"class": "Button"})["hwnd"])
        wait_until(lambda: not self.dialogs(self.t("0222")), what="the search form to close")
        rows = wait_until(found_call, what="the call found by its number")

        driver("list-select", results, 0)
        driver("command", frame, ID_RECORD_DETAILS)
        details = self.wait_box(self.t("0294"))
        texts = {w["id"]: w["text"] for w in driver("children", details["hwnd"])["windows"]}
        self.assertTrue(texts[ID_INFO_CHANNEL].startswith("001 "), texts[ID_INFO_CHANNEL])
        self.assertRegex(texts[ID_INFO_TIME], r"\(%s\)" % re.escape(rows[0]["cells"][5]))
        self.assertEqual(texts[ID_INFO_TYPE], self.t("0235"))
        driver("command", details["hwnd"], IDOK)
        wait_until(lambda: not self.dialogs(self.t("0294")), what="the details to close")
        self.show_view("0002")

    def test_05_play_and_monitor(self):
        # Play opens the selected call's file with the program the system associates with it.
        results = self.show_view("0290")
        filed = sqlite(self.today_db("CDR"), "select FilePath from Rec_Table where Channel = 0")[0][0]
        driver("list-select", results, 0)
        driver("command", driver("info", results)["parent"], ID_RECORD_PLAY)

        def played():
            if not os.path.exists(self.played):
                return None
            with open(self.played, encoding="utf-8", errors="replace") as lines:
                return [line.strip().strip('"') for line in lines if line.strip()]
        self.assertEqual(wait_until(played, what="the associated player"), [filed])

        # Listening to channel 2 on the sound card.
        list_hwnd = self.show_view("0002")
        pane = driver("info", list_hwnd)["parent"]
        monitor_log = "select count(*) from SysLog_Table where SysLog_Cmd = %d"
        driver("list-select", list_hwnd, 1)
        driver("command", pane, ID_CHANNEL_LISTEN)
        if not driver("wave-out", env=self.env)["devices"]:
            # Without a device listening does not start, and says nothing.
            time.sleep(3)
            self.assertEqual(driver("list", list_hwnd)["rows"][1]["images"][COL_NAME], -1)
            self.assertEqual(sqlite(self.today_db("SysLog"), monitor_log % LOG_LISTEN), [["0"]])
            return
        wait_until(lambda: driver("list", list_hwnd)["rows"][1]["images"][COL_NAME] == ICON_LISTENING,
                   what="the listening icon")
        self.assertEqual(sqlite(self.today_db("SysLog"), monitor_log % LOG_LISTEN), [["1"]])

        # A call on the channel shows the monitor window with its recording's waveform.
        self.simulator().command("ring 1 1 %s" % NUMBER)
        self.simulator().command("offhook 1")
        monitor = self.wait_box(self.t("0272"))
        self.assertEqual(self.child(monitor["hwnd"], id=ID_MONITOR_CHANNEL)["text"], "2")
        waveform = self.child(monitor["hwnd"], id=ID_MONITOR_WAVEFORM)["hwnd"]
        bmp = os.path.join(self.tmp, "waveform.bmp")

        def drawn():
            driver("capture", waveform, windows_path(bmp))
            width, height, px = read_bmp(bmp)
            return (width, height, px) if (0, 255, 0) in {p for row in px for p in row} else None
        width, height, px = wait_until(drawn, what="the waveform")
        # The line runs from the left edge to the right one, over the frame.
        frame, black, green = (128, 64, 0), (0, 0, 0), (0, 255, 0)
        edges = ([px[0][x] for x in range(width)], [px[height - 1][x] for x in range(width)],
                 [px[y][0] for y in range(height)], [px[y][width - 1] for y in range(height)])
        for edge in edges:
            self.assertLessEqual(set(edge), {frame, green})
            self.assertGreater(edge.count(frame), len(edge) // 2)
        self.assertEqual({p for row in px[1:-1] for p in row[1:-1]}, {black, green})
        self.screenshot("monitor")

        driver("command", pane, ID_CHANNEL_STOP_LISTEN)
        driver("wait-hidden", monitor["hwnd"], WAIT * 1000)
        self.assertEqual(driver("list", list_hwnd)["rows"][1]["images"][COL_NAME], -1)
        self.assertEqual(sqlite(self.today_db("SysLog"), monitor_log % LOG_STOP_LISTEN), [["1"]])
        self.simulator().command("onhook 1")
        self.wait_row(list_hwnd, 1, "0259", ICON_IDLE)

    def test_06_dial_from_server(self):
        list_hwnd = self.show_view("0002")
        pane = driver("info", list_hwnd)["parent"]
        since = self.journal_end()
        # The dial dialog opens on the selected channel.
        driver("list-select", list_hwnd, DIAL_CHANNEL)
        driver("command", pane, ID_CHANNEL_DIAL)
        dial = self.wait_box(self.t("0400"))
        driver("settext", self.child(dial["hwnd"], id=ID_DIAL_NUMBER)["hwnd"], DIALLED)
        driver("click", self.child(dial["hwnd"], id=ID_DIAL_DIAL)["hwnd"])

        row = self.wait_row(list_hwnd, DIAL_CHANNEL, "0261", ICON_OUT_REC)
        self.assertEqual(row["cells"][COL_DIALLED], DIALLED)
        pickup = wait_until(lambda: self.journal(since, "QsdChl_Pickup"), what="the pick-up")
        digits = wait_until(lambda: self.journal(since, "QsdVox_SendDtmf"), what="the digits")
        analysis = wait_until(lambda: self.journal(since, "QsdVox_StartToneAnalyze"), what="the tone analysis")
        self.assertEqual([p[2] for p in pickup], [str(DIAL_CHANNEL)])
        self.assertEqual([d[2] for d in digits], ['%d, "%s"' % (DIAL_CHANNEL, DIALLED)])
        self.assertGreaterEqual(digits[0][1] - pickup[0][1], 500)
        self.assertEqual([a[2] for a in analysis], [str(DIAL_CHANNEL)])
        self.assertLess(pickup[0][0], digits[0][0])
        self.assertLess(digits[0][0], analysis[0][0])

        driver("click", self.child(dial["hwnd"], id=ID_DIAL_HANGUP)["hwnd"])
        cleared = wait_until(lambda: self.journal(since, "QsdChl_ClearCall"), what="the call to be cleared")
        self.assertEqual([c[2] for c in cleared], [str(DIAL_CHANNEL)])
        # The channel threads stop the analysis of idle lines too: the hang-up's own call follows the clearing.
        wait_until(lambda: [s for s in self.journal(cleared[0][0], "QsdVox_StopToneAnalyze")
                            if s[2] == str(DIAL_CHANNEL)], what="the analysis to stop")
        driver("command", dial["hwnd"], IDCANCEL)
        wait_until(lambda: not self.dialogs(self.t("0400")), what="the dial dialog to close")

        # With the board's hold let go the line is on-hook: the call is filed as an outgoing one.
        self.simulator().command("onhook %d" % DIAL_CHANNEL)
        rows = wait_until(lambda: sqlite(self.today_db("CDR"), "select CallType, PhoneNumber from Rec_Table "
                                         "where Channel = %d" % DIAL_CHANNEL), what="the CDR row of the dialled call")
        self.assertEqual(rows, [["2", DIALLED]])
        self.wait_row(list_hwnd, DIAL_CHANNEL, "0259", ICON_IDLE)
        self.assertEqual((self.setting("Setting", "DialNum"), self.setting("Setting", "DialLine")),
                         (DIALLED, str(DIAL_CHANNEL)))

    def test_07_settings_change(self):
        old_port = int(self.setting("Settings", "NetPort"))
        client = TessClient(old_port)
        try:
            client.login()
            listening = client.mark()
            new_port = free_port()
            driver("command", self.frame()["hwnd"], ID_SETTINGS)
            form = self.wait_box(self.t("0109"))
            driver("settext", self.child(form["hwnd"], id=ID_SETTINGS_MIN_REC)["hwnd"], 3)
            driver("settext", self.child(form["hwnd"], id=ID_SETTINGS_PORT)["hwnd"], new_port)
            driver("click", self.child(form["hwnd"], id=IDOK, **{"class": "Button"})["hwnd"])
            wait_until(lambda: not self.dialogs(self.t("0109")), what="the settings to close")
            self.assertEqual((self.setting("Settings", "MinRec"), self.setting("Settings", "NetPort")),
                             ("3", str(new_port)))
            # The client is told to log out, then the server closes it and moves to the new port.
            told = client.wait_for(lambda f: f.command == 1, WAIT, listening)
            self.assertEqual(told.body, bytes([1, 0, 0, 0]))
            wait_until(lambda: client.closed, what="the server to close the client")
        finally:
            client.close()
        moved = TessClient(new_port)
        try:
            self.assertEqual(moved.login(), USER)
        finally:
            moved.close()

    def test_08_export_to_excel(self):
        results = self.show_view("0290")
        shown = driver("list", results)
        self.assertGreater(len(shown["rows"]), 0)
        driver("command", driver("info", results)["parent"], ID_RECORD_EXPORT)
        # The fake writes its sheet when the program lets go of it, at the end of the export.
        wait_until(lambda: os.path.exists(self.excel_csv), what="the exported sheet")
        with open(self.excel_csv, encoding="utf-8-sig", newline="") as sheet:
            cells = list(csv.reader(sheet))
        columns = len(cells[0])
        self.assertEqual(cells[0], shown["columns"][:columns])
        self.assertEqual(cells[1:], [r["cells"][:columns] for r in shown["rows"]])
        self.show_view("0002")

    def log_in(self):
        login = self.wait_box(self.t("0188"))
        driver("settext", self.child(login["hwnd"], id=ID_LOGIN_PASSWORD)["hwnd"], USER)
        driver("click", self.child(login["hwnd"], id=IDOK)["hwnd"])
        wait_until(lambda: not self.dialogs(self.t("0188")), what="the login dialog to close")

    def shown_dialogs(self):
        tops = driver("toplevels", self.frame()["hwnd"])["windows"]
        return {w["hwnd"]: w["text"] for w in tops if w["class"] == "#32770" and w["visible"]}

    def test_09_logout_and_tray(self):
        frame = self.frame()["hwnd"]
        shown_before = self.shown_dialogs()
        driver("command", frame, ID_LOGOUT)
        driver("wait-hidden", frame, WAIT * 1000)
        rows = sqlite(self.today_db("SysLog"), "select SysLog_Notes from SysLog_Table where SysLog_Cmd = %d"
                      % LOG_LOGOUT)
        self.assertEqual(rows, [[USER]])

        # Logged out, the exit command is disabled. The messages are handled in order: once the tray's double-click
        # has shown the window, the exit command before it has been handled too, and it opened nothing.
        driver("command", frame, ID_APP_EXIT)
        tray = [w["hwnd"] for w in driver("toplevels", frame)["windows"]
                if w["text"] == "" and w["class"].startswith("Afx:")]
        for window in tray:
            driver("post", window, TRAY_CALLBACK, TRAY_ID, WM_LBUTTONDBLCLK)
        wait_until(lambda: self.frame()["visible"], what="the tray icon to show the window")
        self.assertEqual(self.shown_dialogs(), shown_before)
        self.assertIsNone(self.process.poll())
        states = wait_until(lambda: (lambda s: s if s.get(ID_LOGIN) else None)(self.toolbar_states()),
                            what="the toolbar to follow the logout")
        self.assertFalse(states[ID_LOGOUT])

        # The blacklist command and a channel double-click open nothing; the login command posted after them
        # opens its dialog, and nothing else is shown beside it.
        driver("command", frame, ID_BLACKLIST)
        driver("post", self.show_view("0002"), WM_LBUTTONDBLCLK, 0, (30 << 16) | 30)
        driver("command", frame, ID_LOGIN)
        login = self.wait_box(self.t("0188"))
        self.assertEqual(self.shown_dialogs(), {**shown_before, login["hwnd"]: self.t("0188")})
        self.log_in()

    def test_10_second_instance(self):
        second = subprocess.Popen([WINE, os.path.join(self.folder, PROGRAM)], cwd=self.folder,
                                  stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            second.wait(WAIT)
        except subprocess.TimeoutExpired:
            second.kill()
            second.wait()
            self.fail("the second start did not end")
        self.assertIsNone(self.process.poll())
        self.assertTrue(self.frame()["visible"])

    def test_11_exit_cleanly(self):
        frame = self.frame()
        driver("command", frame["hwnd"], ID_APP_EXIT)
        box = self.wait_box(self.t("0212"))
        # The driver's own answer may be lost while the program ends under it; the exit code is what counts.
        driver("post", box["hwnd"], WM_COMMAND, IDYES, 0, check=False)
        self.assertEqual(self.process.wait(15), 0)
        rows = sqlite(self.today_db("SysLog"), "select SysLog_Name from SysLog_Table where SysLog_Cmd = %d" % LOG_EXIT)
        self.assertEqual(rows, [["%s %s" % (self.t("0186"), USER)]])
        for db in glob.glob(os.path.join(data_folder(), "**", "*.db"), recursive=True):
            self.assertEqual(sqlite(db, "pragma integrity_check"), [["ok"]], db)
        self.assertEqual(glob.glob(os.path.join(self.folder, "MiniDump", "*")), [])


if __name__ == "__main__":
    if not (os.path.isfile(os.path.join(DIST, PROGRAM)) and os.path.isfile(DRIVER) and os.path.isfile(FAKE_EXCEL)
            and SHOTS and os.environ.get("WINEPREFIX") and os.environ.get("DISPLAY")):
        print("skipped: needs the assembled program folder, guidriver.exe, fakeexcel.dll and scripts/with-wine")
        sys.exit(77)
    unittest.main(verbosity=2)
