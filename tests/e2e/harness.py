"""Drives the real programs on a private X server, from the outside.

Every session gets its own Xvfb display, home and config folders, so tests
never see each other's windows, clipboard or settings, and never the user's.
Keys and mouse clicks go through the XTEST extension (xdotool), as a person's
would; results are read from files, the settings store and the clipboard.
Every process started here dies with the session, and also when the test
runner itself is killed (PR_SET_PDEATHSIG).
"""

import configparser
import ctypes
import ctypes.util
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

DIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "dist")
STEP_TIMEOUT = 20.0  # seconds for any single wait; CTest bounds the whole test


class E2EFailure(AssertionError):
    pass


def _die_with_parent():
    # Runs in the child between fork and exec: SIGKILL it when we die.
    libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
    libc.prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


def wait_until(predicate, what, timeout=STEP_TIMEOUT, interval=0.05):
    """Polls predicate until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise E2EFailure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


# --- a minimal Xlib binding: window-close requests and window classes ------

class _XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _XClientMessageEvent), ("pad", ctypes.c_long * 24)]


def _x11():
    x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                               ctypes.c_long, ctypes.POINTER(_XEvent)]
    x11.XGetClassHint.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XGetWindowProperty.argtypes = [
        ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long, ctypes.c_int,
        ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_int),
        ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
    x11.XFree.argtypes = [ctypes.c_void_p]
    x11.XTranslateCoordinates.argtypes = [
        ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
        ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong)]
    x11.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong)]
    x11.XGetGeometry.argtypes += [ctypes.POINTER(ctypes.c_int)] * 2 + [ctypes.POINTER(ctypes.c_uint)] * 4
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return x11


def send_close_request(display, window):
    """Asks a window to close the way a window manager's close button does:
    a WM_DELETE_WINDOW client message. The program decides what happens."""
    x11 = _x11()
    dpy = x11.XOpenDisplay(display.encode())
    if not dpy:
        raise E2EFailure(f"cannot open display {display}")
    try:
        event = _XEvent()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = window
        event.xclient.message_type = x11.XInternAtom(dpy, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = x11.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)
        event.xclient.data[1] = 0  # CurrentTime
        if not x11.XSendEvent(dpy, window, 0, 0, ctypes.byref(event)):
            raise E2EFailure("XSendEvent failed")
        x11.XFlush(dpy)
    finally:
        x11.XCloseDisplay(dpy)


def desktop_entry(app_id):
    """The keys of a desktop entry shipped in dist/."""
    entry = {}
    with open(os.path.join(DIST, f"{app_id}.desktop"), encoding="utf-8") as f:
        for line in f:
            if "=" in line and not line.startswith("#"):
                key, value = line.rstrip("\n").split("=", 1)
                entry.setdefault(key, value)
    return entry


def client_geometry(display, window):
    """The window's own area (inside any frame) on the screen, in pixels."""
    x11 = _x11()
    dpy = x11.XOpenDisplay(display.encode())
    if not dpy:
        raise E2EFailure(f"cannot open display {display}")
    try:
        root, x, y, child = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int(), ctypes.c_ulong()
        w, h, border, depth = (ctypes.c_uint() for _ in range(4))
        if not x11.XGetGeometry(dpy, window, ctypes.byref(root), ctypes.byref(x), ctypes.byref(y),
                                ctypes.byref(w), ctypes.byref(h), ctypes.byref(border), ctypes.byref(depth)):
            raise E2EFailure(f"no geometry for window {window}")
        x11.XTranslateCoordinates(dpy, window, root.value, 0, 0, ctypes.byref(x), ctypes.byref(y),
                                  ctypes.byref(child))
        return {"X": x.value, "Y": y.value, "WIDTH": w.value, "HEIGHT": h.value}
    finally:
        x11.XCloseDisplay(dpy)


def cardinals(display, window, name):
    """A 32-bit property of a window (root when window is None) as a list of
    numbers, [] when it is not set."""
    x11 = _x11()
    dpy = x11.XOpenDisplay(display.encode())
    if not dpy:
        raise E2EFailure(f"cannot open display {display}")
    try:
        window = window or x11.XDefaultRootWindow(dpy)
        kind, fmt = ctypes.c_ulong(), ctypes.c_int()
        count, after, data = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
        atom = x11.XInternAtom(dpy, name.encode(), 0)
        if x11.XGetWindowProperty(dpy, window, atom, 0, 16, 0, 0, ctypes.byref(kind), ctypes.byref(fmt),
                                  ctypes.byref(count), ctypes.byref(after), ctypes.byref(data)) != 0:
            return []
        if not data.value:
            return []
        # Format 32 items come as C longs.
        values = list(ctypes.cast(data, ctypes.POINTER(ctypes.c_long))[:count.value]) if fmt.value == 32 else []
        x11.XFree(data)
        return values
    finally:
        x11.XCloseDisplay(dpy)


class _XClassHint(ctypes.Structure):
    _fields_ = [("res_name", ctypes.c_char_p), ("res_class", ctypes.c_char_p)]


def window_class(display, window):
    x11 = _x11()
    dpy = x11.XOpenDisplay(display.encode())
    if not dpy:
        raise E2EFailure(f"cannot open display {display}")
    try:
        hint = _XClassHint()
        if not x11.XGetClassHint(dpy, window, ctypes.byref(hint)):
            return None
        return hint.res_class.decode() if hint.res_class else None
    finally:
        x11.XCloseDisplay(dpy)


# --- INI files written by QSettings ------------------------------------------

def read_ini(path):
    """Returns {section: {key: value}} of a QSettings INI file, {} if absent."""
    if not os.path.exists(path):
        return {}
    parser = configparser.RawConfigParser(strict=False, delimiters=("=",))
    parser.optionxform = str
    with open(path, encoding="utf-8") as f:
        parser.read_file(f)
    result = {}
    for section in parser.sections():
        result[section] = {k: _unquote(v) for k, v in parser.items(section)}
    return result


def _unquote(value):
    if len(value) >= 2 and value[0] == '"' and value[-1] == '"':
        value = value[1:-1]
    return value.replace('\\\\', '\\').replace('\\"', '"')


def write_ini(path, sections):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        for section, keys in sections.items():
            f.write(f"[{section}]\n")
            for key, value in keys.items():
                f.write(f"{key}={value}\n")
            f.write("\n")


# --- the session -------------------------------------------------------------

class App:
    def __init__(self, session, name, process):
        self.session = session
        self.name = name
        self.process = process

    def alive(self):
        return self.process.poll() is None

    def cpu_ticks(self):
        try:
            with open(f"/proc/{self.process.pid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            return int(fields[11]) + int(fields[12])  # utime + stime
        except (OSError, IndexError, ValueError):
            return None

    def wait_idle(self, quiet=0.4, timeout=STEP_TIMEOUT):
        """Waits until the program has used no processor time for `quiet`
        seconds: a run has ended and the window is waiting for input. Works
        the same on a fast machine and under a sanitizer."""
        time.sleep(0.2)
        deadline = time.monotonic() + timeout
        last, since = self.cpu_ticks(), time.monotonic()
        while time.monotonic() - since < quiet:
            if time.monotonic() > deadline:
                raise E2EFailure(f"{self.name} still busy after {timeout:.0f} s")
            time.sleep(0.1)
            now = self.cpu_ticks()
            if now != last:
                last, since = now, time.monotonic()

    def wait_exit(self, timeout=STEP_TIMEOUT):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise E2EFailure(f"{self.name} did not end within {timeout:.0f} s")


class Session:
    def __init__(self, programs):
        self.programs = programs  # {"varnock": path, "kestrin": path, ...}
        self.root = tempfile.mkdtemp(prefix="varnock-e2e-")
        self.home = os.path.join(self.root, "home")
        self.config = os.path.join(self.home, ".config")
        self.files = os.path.join(self.root, "files")
        runtime = os.path.join(self.root, "runtime")
        for d in (self.home, self.config, self.files, runtime):
            os.makedirs(d, mode=0o700, exist_ok=True)
        self.processes = []
        self.logs = []
        self.app = None
        self.display = None
        self.env = {k: v for k, v in os.environ.items()
                    if not k.startswith(("QT_", "XDG_", "DISPLAY", "WAYLAND"))}
        self.env.update(HOME=self.home, XDG_CONFIG_HOME=self.config,
                        XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb",
                        LANG="C.UTF-8", LC_ALL="C.UTF-8")
        self._start_x()

    # lifetime

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def _spawn(self, argv, **kw):
        p = subprocess.Popen(argv, env=self.env, preexec_fn=_die_with_parent,
                             stdin=subprocess.DEVNULL, **kw)
        self.processes.append(p)
        return p

    def _start_x(self):
        read_fd, write_fd = os.pipe()
        self.xvfb = self._spawn(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        deadline = time.monotonic() + STEP_TIMEOUT
        while not number.endswith(b"\n"):
            if time.monotonic() > deadline or self.xvfb.poll() is not None:
                raise E2EFailure("Xvfb did not start")
            chunk = os.read(read_fd, 16)
            if not chunk:
                raise E2EFailure("Xvfb did not report its display")
            number += chunk
        os.close(read_fd)
        self.display = ":" + number.decode().strip()
        self.env["DISPLAY"] = self.display
        # A real window manager: frames, placement and focus as on a desktop.
        log = open(os.path.join(self.root, "openbox.log"), "ab")
        self.logs.append(log)
        self._spawn(["openbox", "--sm-disable"], stdout=log, stderr=log)
        wait_until(lambda: cardinals(self.display, None, "_NET_SUPPORTING_WM_CHECK"),
                   "openbox to manage the screen")

    def close(self):
        for p in reversed(self.processes):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(3)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait(3)
        self.processes.clear()
        for log in self.logs:
            log.close()
        shutil.rmtree(self.root, ignore_errors=True)

    # programs

    def start(self, name, *args):
        path = self.programs.get(name)
        if not path or not os.access(path, os.X_OK):
            raise E2EFailure(f"program {name} is not built ({path})")
        log = open(os.path.join(self.root, f"{name}.log"), "ab")
        self.logs.append(log)
        self.app = App(self, name, self._spawn([path, *args], stdout=log, stderr=log))
        return self.app  # also kept as the program started last

    # X helpers

    def xdotool(self, *args, check=True):
        r = subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True,
                           text=True, timeout=STEP_TIMEOUT)
        if check and r.returncode != 0:
            raise E2EFailure(f"xdotool {' '.join(map(str, args))} failed: {r.stderr.strip()}")
        return r.stdout

    def windows(self, title_regex, visible=True):
        args = ["search"] + (["--onlyvisible"] if visible else []) + ["--name", title_regex]
        out = self.xdotool(*args, check=False)
        return [int(w) for w in out.split()]

    def wait_window(self, title_regex, exclude=(), timeout=STEP_TIMEOUT):
        """The first visible window whose title matches and that is not in
        exclude (windows already known, such as a main window whose title a
        message box shares)."""
        def find():
            found = [w for w in self.windows(title_regex) if w not in exclude]
            return found[-1] if found else None
        return wait_until(find, f"a window titled /{title_regex}/", timeout)

    def wait_window_gone(self, window, timeout=STEP_TIMEOUT):
        wait_until(lambda: window not in self.windows(".*"),
                   f"window {window} to close", timeout)

    def window_class(self, window):
        """The class part of the window's WM_CLASS, the name desktop entries
        use to tie windows to their launcher."""
        return window_class(self.display, window)

    def title(self, window):
        return self.xdotool("getwindowname", window).rstrip("\n")

    def geometry(self, window):
        return client_geometry(self.display, window)

    def frame(self, window):
        """The outer frame the window manager drew around a window:
        {"X", "Y", "WIDTH", "HEIGHT"} in pixels."""
        inner = self.geometry(window)
        left, right, top, bottom = wait_until(
            lambda: cardinals(self.display, window, "_NET_FRAME_EXTENTS"), "the frame extents")
        return {"X": inner["X"] - left, "Y": inner["Y"] - top,
                "WIDTH": inner["WIDTH"] + left + right, "HEIGHT": inner["HEIGHT"] + top + bottom}

    def focus(self, window):
        """Activates a window through the window manager, as a click would."""
        def focused():
            self.xdotool("windowactivate", window, check=False)
            return self.xdotool("getwindowfocus", check=False).strip() == str(window)
        wait_until(focused, f"focus on window {window}")
        time.sleep(0.15)  # let the program process FocusIn before keys arrive

    def key(self, *keys):
        self.xdotool("key", "--delay", "40", *keys)

    def type(self, text):
        self.xdotool("type", "--delay", "30", text)

    def click(self, window, x, y, repeat=1):
        self.xdotool("mousemove", "--window", window, x, y)
        time.sleep(0.1)
        self.xdotool("click", "--repeat", repeat, "--delay", "80", 1)

    def close_request(self, window):
        send_close_request(self.display, window)

    def clipboard(self):
        """The clipboard's text as bytes, or None when nobody owns it."""
        r = subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", "UTF8_STRING"],
                           env=self.env, capture_output=True, timeout=STEP_TIMEOUT)
        return r.stdout if r.returncode == 0 else None

    # results

    def settings_path(self, app):
        return os.path.join(self.config, app, f"{app}.conf")

    def settings(self, app):
        return read_ini(self.settings_path(app))

    def path(self, name):
        return os.path.join(self.files, name)


# --- the runner ----------------------------------------------------------------

SCENARIOS = {}


def scenario(needs):
    """Registers a test; needs names the programs it drives."""
    def register(fn):
        SCENARIOS[fn.__name__] = (fn, needs)
        return fn
    return register


def check(condition, message):
    if not condition:
        raise E2EFailure(message)


def check_equal(got, want, what):
    if got != want:
        raise E2EFailure(f"{what}: got {got!r}, want {want!r}")


def main(argv=None):
    import argparse
    parser = argparse.ArgumentParser()
    parser.add_argument("scenario")
    parser.add_argument("--program", action="append", default=[],
                        help="name=path of a program under test")
    args = parser.parse_args(argv)
    programs = dict(p.split("=", 1) for p in args.program)
    fn, _needs = SCENARIOS[args.scenario]
    # CTest ends a timed-out test with SIGTERM on some platforms: clean up.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(124))
    with Session(programs) as session:
        try:
            fn(session)
        except Exception:
            for name in ("varnock", "kestrin"):
                log = os.path.join(session.root, f"{name}.log")
                if os.path.exists(log) and os.path.getsize(log):
                    print(f"--- {name} output ---")
                    print(open(log, errors="replace").read()[-4000:])
                conf = session.settings_path(name.capitalize())
                if os.path.exists(conf):
                    print(f"--- {conf} ---")
                    print(open(conf, errors="replace").read()[-4000:])
            raise
    print(f"{args.scenario}: passed")
