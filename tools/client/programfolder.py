"""A program folder of the recording service and its service host running under Wine.

The end-to-end tests, the demo and the protocol benchmark run the real program folder that the build assembles
(<build>/dist): copied to a folder of their own with their own Server_Settings.ini and simulator scenario
(qskern.ini), started with wine64 in the Wine prefix of the run (scripts/with-wine exports WINEPREFIX), and
stopped with SIGINT, which Wine hands to the host as Ctrl+C.
"""
import os
import re
import shutil
import signal
import socket
import subprocess
import threading
import time

WINE = "/usr/lib/wine/wine64"
HOST_EXE = "servicehost.exe"


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def windows_path(path):
    """The Windows path of a Linux path: Wine maps the Linux root to drive Z:."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def wine_prefix():
    prefix = os.environ.get("WINEPREFIX")
    if not prefix:
        raise RuntimeError("WINEPREFIX is not set: run under scripts/with-wine")
    return prefix


def linux_path(path):
    """The Linux path of a Windows path of the program (drive Z: or a drive of the Wine prefix)."""
    drive, rest = path[:2].upper(), path[2:].replace("\\", "/")
    if drive == "Z:":
        return rest
    return os.path.join(wine_prefix(), "drive_" + drive[0].lower()) + rest


def data_folder():
    """The service's data folder (every database) inside the Wine prefix: C:\\ProgramData\\Orvandel\\DBFiles."""
    return os.path.join(wine_prefix(), "drive_c", "ProgramData", "Orvandel", "DBFiles")


def write_ini(path, sections):
    """Writes {section: {key: value}} as an INI file with Windows line ends."""
    with open(path, "w", newline="\r\n") as ini:
        for section, keys in sections.items():
            ini.write("[%s]\n" % section)
            for key, value in keys.items():
                ini.write("%s=%s\n" % (key, value))
            ini.write("\n")


def make_program_folder(dist, folder, settings, scenario):
    """Copies the program folder dist to folder, then writes the given settings and scenario into it."""
    shutil.copytree(dist, folder, ignore=shutil.ignore_patterns("Server_Settings.ini", "Recordings"))
    write_ini(os.path.join(folder, "Server_Settings.ini"), settings)
    write_ini(os.path.join(folder, "qskern.ini"), scenario)


class ServiceHost:
    """servicehost.exe of a program folder, running under Wine; its console lines are kept and logged."""

    def __init__(self, folder, log_path=None, cpu_list=None):
        self.folder = folder
        self.lines = []
        self._cond = threading.Condition()
        self._log = open(log_path, "w") if log_path else None
        command = [WINE, os.path.join(folder, HOST_EXE)]
        if cpu_list is not None:
            command = ["taskset", "-c", cpu_list] + command
        env = dict(os.environ, WINEDEBUG=os.environ.get("WINEDEBUG", "-all"))
        self.process = subprocess.Popen(command, cwd=folder, env=env, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()

    def _read(self):
        for raw in self.process.stdout:
            line = raw.decode("utf-8", errors="replace").rstrip("\r\n")
            if self._log:
                self._log.write(line + "\n")
                self._log.flush()
            with self._cond:
                self.lines.append(line)
                self._cond.notify_all()
        with self._cond:
            self._cond.notify_all()

    def wait_for_line(self, pattern, timeout=30.0, start=0):
        """The first console line from index start that matches the regular expression; raises TimeoutError."""
        regex = re.compile(pattern)
        deadline = time.monotonic() + timeout
        with self._cond:
            index = start
            while True:
                while index < len(self.lines):
                    match = regex.search(self.lines[index])
                    if match:
                        return match
                    index += 1
                remaining = deadline - time.monotonic()
                if remaining <= 0 or (self.process.poll() is not None and not self._reader.is_alive()):
                    raise TimeoutError("no console line matching %r within %.0f s" % (pattern, timeout))
                self._cond.wait(min(remaining, 0.5))

    def mark(self):
        with self._cond:
            return len(self.lines)

    def stop(self, timeout=60.0):
        """Ctrl+C, then waits for the exit; returns the exit code (killed after the timeout)."""
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGINT)
        try:
            code = self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            code = self.process.wait()
        self._reader.join(5)
        self.process.stdout.close()
        if self._log:
            self._log.close()
        return code
