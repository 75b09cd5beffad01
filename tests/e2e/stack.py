"""The demo stack for driving the real client from outside: the demo catalogue in
a private MariaDB, the demo site, a private X server, and what is needed to
look at windows and send them input.

Used by the end-to-end test and by the start-up and play benchmark.
"""

import ctypes
import ctypes.util
import os
import re
import socket
import subprocess
import sys
import time
import urllib.parse

SOURCE_DIR = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
TESTDB = os.path.join(SOURCE_DIR, "tests", "mariadb", "testdb")
SCREEN = (1400, 900)


class PortTaken(Exception):
    pass


def port_taken(host, port):
    with socket.socket() as s:
        s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        try:
            s.bind((host, port))
        except OSError:
            return True
    return False


def wait_until(condition, timeout, what):
    """Polls condition until it returns something true; raises naming `what` after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(0.05)


class Stack:
    """Starts the catalogue, the site and an X server; stops whatever it started on exit."""

    def __init__(self, work, site_root, catalogue_port, password, ruffle, site_dir=None):
        self.work = os.path.abspath(work)
        self.site_root = site_root
        url = urllib.parse.urlsplit(site_root)
        self.site_host, self.site_port = url.hostname, url.port or 80
        self.catalogue_port = int(catalogue_port)
        self.password = password
        self.ruffle = ruffle
        self.site_dir = site_dir
        self.site_log = os.path.join(self.work, "site.log")
        self.db_dir = os.path.join(self.work, "db")
        self.processes = []
        self.db_started = False
        self.display = None

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exc):
        self.stop()

    def start(self):
        if port_taken("127.0.0.1", self.catalogue_port):
            raise PortTaken(f"port {self.catalogue_port} (the build's CATALOGUE_PORT) is taken by another program")
        if port_taken(self.site_host, self.site_port):
            raise PortTaken(f"port {self.site_port} (of the build's SITE_ROOT) is taken by another program")
        os.makedirs(self.work, exist_ok=True)
        subprocess.run([sys.executable, os.path.join(SOURCE_DIR, "demo", "catalogue.py"), self.work,
                        "--site-root", self.site_root], check=True, stdout=subprocess.DEVNULL)
        self.db_started = True
        subprocess.run([TESTDB, "start", "--port", str(self.catalogue_port), self.db_dir, self.password,
                        os.path.join(SOURCE_DIR, "tests", "mariadb", "schema.sql"),
                        os.path.join(self.work, "catalogue.sql")], check=True, stdout=subprocess.DEVNULL)
        open(self.site_log, "w").close()
        self.spawn([sys.executable, os.path.join(SOURCE_DIR, "demo", "serve.py"), self.site_dir or
                    os.path.join(self.work, "site"), "--host", self.site_host, "--port", str(self.site_port),
                    "--ruffle", self.ruffle, "--log", self.site_log], stderr=subprocess.DEVNULL)
        wait_until(lambda: port_taken(self.site_host, self.site_port), 10, "the demo site to listen")
        read, write = os.pipe()
        self.spawn(["Xvfb", "-displayfd", str(write), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
                    "-nolisten", "tcp", "-noreset"], pass_fds=(write,), stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number

    def spawn(self, command, **options):
        process = subprocess.Popen(command, stdin=subprocess.DEVNULL, **options)
        self.processes.append(process)
        return process

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(15)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self.processes.clear()
        if self.db_started:
            subprocess.run([TESTDB, "stop", self.db_dir], stdout=subprocess.DEVNULL)
            self.db_started = False

    def environment(self):
        env = dict(os.environ, DISPLAY=self.display, QT_QPA_PLATFORM="xcb",
                   QT_LOGGING_RULES="qt.webenginecontext.info=false;js.*=false")
        if os.getuid() == 0:
            env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
        return env

    def launch(self, command, log):
        """Starts a program on the X server; it is stopped with the stack."""
        return self.spawn(command, env=self.environment(), stdout=log, stderr=subprocess.STDOUT)

    # The site's request log: "<monotonic seconds> <status> <method> <path>".
    def requests(self):
        with open(self.site_log, encoding="utf-8") as f:
            return [line.split(" ", 3) for line in f.read().splitlines()]

    def wait_for_request(self, path_pattern, timeout, after=0.0):
        """The time of the first request after `after` whose path matches the pattern."""
        pattern = re.compile(path_pattern)

        def found():
            for stamp, status, _, path in self.requests():
                if float(stamp) > after and pattern.fullmatch(path):
                    return float(stamp), int(status)
            return None
        return wait_until(found, timeout, f"the site to be asked for {path_pattern}")

    def statements(self):
        """Every statement on the two tables the server has run, in order, from its general log."""
        socket_path = next(line.split("=", 1)[1] for line in open(os.path.join(self.db_dir, "server.env"))
                           if line.startswith("socket=")).strip()
        result = subprocess.run(
            ["mariadb", "--no-defaults", "--user=root", f"--socket={socket_path}", "--batch", "--skip-column-names",
             "--raw", "--execute", "SELECT argument FROM mysql.general_log WHERE command_type IN "
             "('Query', 'Execute') AND argument LIKE '%morrowick%' AND user_host LIKE 'kelvororoot%' ORDER BY event_time"],
            check=True, capture_output=True, text=True)
        return result.stdout.splitlines()

    # Windows, by xdotool.
    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.environment(), capture_output=True, text=True).stdout

    def visible_windows(self, name_pattern):
        return self.xdotool("search", "--onlyvisible", "--name", name_pattern).split()

    def window_name(self, window):
        return self.xdotool("getwindowname", window).strip()

    def geometry(self, window):
        values = dict(line.split("=") for line in self.xdotool("getwindowgeometry", "--shell", window).split())
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def click(self, x, y, repeat=1):
        self.xdotool("mousemove", "--sync", str(x), str(y))
        self.xdotool("click", "--repeat", str(repeat), "--delay", "80", "1")

    def key(self, name):
        self.xdotool("key", name)

    def screenshot(self, window, path):
        subprocess.run(["import", "-window", window, path], env=self.environment(), check=True,
                       stderr=subprocess.DEVNULL)

    def pixels(self, window):
        """The window's picture as (width, height, RGB bytes)."""
        data = subprocess.run(["import", "-window", window, "-depth", "8", "ppm:-"], env=self.environment(),
                              check=True, capture_output=True).stdout
        fields = data.split(maxsplit=4)
        return int(fields[1]), int(fields[2]), fields[4]

    def close_window(self, window):
        """Asks the window to close the way a window manager's close button does."""
        x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
        x11.XFlush.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

        class ClientMessage(ctypes.Structure):
            _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                        ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                        ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

        class Event(ctypes.Union):
            _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

        display = x11.XOpenDisplay(self.display.encode())
        if not display:
            raise RuntimeError(f"cannot open display {self.display}")
        event = Event()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = int(window)
        event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        x11.XSendEvent(display, int(window), 0, 0, ctypes.byref(event))
        x11.XFlush(display)
        x11.XCloseDisplay(display)


def count_pixels(picture, box, predicate):
    """How many pixels inside box = (x0, y0, x1, y1) satisfy predicate(r, g, b)."""
    width, height, data = picture
    x0, y0, x1, y1 = box
    count = 0
    for y in range(max(y0, 0), min(y1, height)):
        row = data[y * width * 3:(y + 1) * width * 3]
        for x in range(max(x0, 0), min(x1, width)):
            if predicate(row[3 * x], row[3 * x + 1], row[3 * x + 2]):
                count += 1
    return count
