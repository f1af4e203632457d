"""The real TesselonServer.exe of the program folder (<build>/dist) under Wine: it starts with its titled main
window, and a second start ends at once, leaving the first window on the screen.

Run by ctest under scripts/with-wine (the environment gives the Wine prefix, the display, TESSELON_DIST and
TESSELON_TOOLS). The window is looked for with xwininfo, as Wine shows it on the X display.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.environ.get("TESSELON_TOOLS", os.path.join(os.path.dirname(__file__), "../../tools/client")))

from programfolder import WINE, data_folder, free_port, make_program_folder  # noqa: E402

DIST = os.environ.get("TESSELON_DIST", "")
PROGRAM = "TesselonServer.exe"
TITLE = "Tesselon Server"  # the English text of key 0001
WAIT = 60                  # s: generous deadlines for a loaded machine


def viewable_window(title):
    """True when a window of that exact title is mapped and viewable on the display."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True, errors="replace").stdout
    for match in re.finditer(r"^\s+(0x[0-9a-f]+) \"(.*)\":", tree, re.MULTILINE):
        if match.group(2) != title:
            continue
        info = subprocess.run(["xwininfo", "-id", match.group(1)], capture_output=True, text=True).stdout
        if "Map State: IsViewable" in info:
            return True
    return False


def wait_for(condition, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.2)
    return condition()


class SecondStart(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="tesselon-gui-")
        self.folder = os.path.join(self.tmp, "program")
        shutil.rmtree(os.path.dirname(data_folder()), ignore_errors=True)
        settings = {"Setting": {"Language": "English"}, "Settings": {"NetPort": free_port()}}
        scenario = {"Simulator": {"ControlPort": free_port()},
                    "Board0": {"Type": 297, "SerialNo": 100001, "LineTypes": "6,7,8,6"}}
        make_program_folder(DIST, self.folder, settings, scenario)
        self.env = dict(os.environ, WINEDEBUG=os.environ.get("WINEDEBUG", "-all"))
        self.first = None

    def tearDown(self):
        # The server ends only through its exit command, which needs an operator: the test ends the process.
        if self.first and self.first.poll() is None:
            self.first.kill()
            self.first.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def start(self):
        return subprocess.Popen([WINE, os.path.join(self.folder, PROGRAM)], cwd=self.folder, env=self.env,
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def test_second_start_ends_at_once_and_the_first_window_stays(self):
        self.first = self.start()
        self.assertTrue(wait_for(lambda: viewable_window(TITLE), WAIT), "the main window did not appear")

        second = self.start()
        try:
            code = second.wait(WAIT)
        except subprocess.TimeoutExpired:
            second.kill()
            self.fail("the second start did not end")
        self.assertEqual(0, code)
        self.assertIsNone(self.first.poll(), "the first server ended")
        self.assertTrue(viewable_window(TITLE))


if __name__ == "__main__":
    if not (os.path.isfile(os.path.join(DIST, PROGRAM)) and os.environ.get("WINEPREFIX")
            and os.environ.get("DISPLAY") and shutil.which("xwininfo")):
        print("skipped: needs the assembled program folder, scripts/with-wine and xwininfo")
        sys.exit(77)
    unittest.main()
