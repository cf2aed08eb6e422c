"""Drives the real programs on a private Xvfb display under openbox, with
its own home and config folders, through XTEST keys and clicks (xdotool) as a
person would. Every process started here dies with the runner."""

import configparser
import ctypes
import ctypes.util
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

DIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "dist")
STEP_TIMEOUT = 20.0  # seconds for any single wait; CTest bounds the whole test
die_with_parent = lambda: ctypes.CDLL(ctypes.util.find_library("c")).prctl(1, signal.SIGKILL)  # noqa: E731 (PR_SET_PDEATHSIG)

def check(condition, message):
    if not condition:
        raise AssertionError(message)

def check_equal(got, want, what):
    check(got == want, f"{what}: got {got!r}, want {want!r}")

def wait_until(predicate, what):
    """Polls predicate until it returns a true value, which is returned."""
    deadline = time.monotonic() + STEP_TIMEOUT
    while not (value := predicate()):
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {STEP_TIMEOUT:.0f} s waiting for {what}")
        time.sleep(0.05)
    return value

def read_ini(path):
    """{section: {key: value}} of a QSettings INI file or a desktop entry, {} if absent."""
    parser = configparser.RawConfigParser(strict=False, delimiters=("=",))
    parser.optionxform = str
    parser.read(path, encoding="utf-8")
    return {s: {k: v.strip('"') for k, v in parser.items(s)} for s in parser.sections()}

def write_ini(path, sections):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        for section, keys in sections.items():
            f.write(f"[{section}]\n" + "".join(f"{k}={v}\n" for k, v in keys.items()) + "\n")

class Session:
    def __init__(self, programs):
        self.programs = programs  # {"varnock": path, "kestrin": path}
        self.root = tempfile.mkdtemp(prefix="varnock-e2e-")
        self.home, self.files = os.path.join(self.root, "home"), os.path.join(self.root, "files")
        self.config = os.path.join(self.home, ".config")
        runtime = os.path.join(self.root, "runtime")
        for d in (self.config, self.files, runtime):
            os.makedirs(d, mode=0o700)
        self.processes = []
        self.env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "XDG_", "DISPLAY", "WAYLAND"))}
        self.env.update(HOME=self.home, XDG_CONFIG_HOME=self.config, XDG_RUNTIME_DIR=runtime,
                        QT_QPA_PLATFORM="xcb", LANG="C.UTF-8", LC_ALL="C.UTF-8")
        read_fd, write_fd = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                    pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = os.fdopen(read_fd).readline().strip()
        check(number, "Xvfb did not report its display")
        self.env["DISPLAY"] = ":" + number
        # A real window manager: frames, placement and focus as on a desktop; started
        # again if the display turned it away (seen now and then with sessions side by side).
        wm = [None]
        def managing():
            if wm[0] is None or wm[0].poll() is not None:
                wm[0] = self._spawn(["openbox", "--sm-disable"], stdout=self.log("openbox"), stderr=subprocess.STDOUT)
            return "window id" in self.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK")
        wait_until(managing, "openbox to manage the screen")

    def close(self):
        for p in reversed(self.processes):
            p.kill()
            p.wait()
        shutil.rmtree(self.root, ignore_errors=True)
    def log(self, name):
        return open(os.path.join(self.root, f"{name}.log"), "ab")
    def _spawn(self, argv, **kw):
        p = subprocess.Popen(argv, env=self.env, preexec_fn=die_with_parent, stdin=subprocess.DEVNULL, **kw)
        self.processes.append(p)
        return p

    def start(self, name):
        return self._spawn([self.programs[name]], stdout=self.log(name), stderr=subprocess.STDOUT)
    def wait_idle(self, process, quiet=0.4):
        """Until no processor time (utime, stime) was used for `quiet` s: the window waits for input."""
        seen = {"ticks": None, "since": 0.0}
        def idle():
            with open(f"/proc/{process.pid}/stat") as f:  # gone with the process: the step fails
                ticks = f.read().rsplit(")", 1)[1].split()[11:13]
            if ticks != seen["ticks"]:
                seen.update(ticks=ticks, since=time.monotonic())
            return time.monotonic() - seen["since"] >= quiet
        wait_until(idle, f"{process.args[0]} to be idle")
    def wait_exit(self, process):
        wait_until(lambda: process.poll() is not None, f"{process.args[0]} to end")
        return process.returncode

    def run(self, *argv):
        return subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=STEP_TIMEOUT).stdout
    def xdotool(self, *args):
        return self.run("xdotool", *map(str, args))
    def windows(self, title_regex):
        return [int(w) for w in self.xdotool("search", "--onlyvisible", "--name", title_regex).split()]

    def wait_window(self, title_regex, exclude=()):
        """The newest visible window of that title not in exclude (a message box shares the main one's)."""
        return wait_until(lambda: ([w for w in self.windows(title_regex) if w not in exclude] or [None])[-1],
                          f"a window titled /{title_regex}/")
    def wait_window_gone(self, window):
        wait_until(lambda: window not in self.windows(".*"), f"window {window} to close")
    def prop(self, window, name):
        return self.run("xprop", "-id", str(window), name).partition("=")[2].strip()

    def geometry(self, window):
        """The window's own area (inside the frame) on the screen, in pixels."""
        info = self.run("xwininfo", "-id", str(window))
        value = lambda label: int(re.search(label + r":\s+(-?\d+)", info).group(1))
        return {"X": value("Absolute upper-left X"), "Y": value("Absolute upper-left Y"),
                "WIDTH": value("Width"), "HEIGHT": value("Height")}

    def frame(self, window):
        """The outer frame openbox drew around the window, in pixels."""
        inner = self.geometry(window)
        left, right, top, bottom = map(int, wait_until(lambda: self.prop(window, "_NET_FRAME_EXTENTS"),
                                                       "the frame extents").split(","))
        return {"X": inner["X"] - left, "Y": inner["Y"] - top,
                "WIDTH": inner["WIDTH"] + left + right, "HEIGHT": inner["HEIGHT"] + top + bottom}

    def settled_frame(self, window):
        """The outer frame once two readings 0.3 s apart agree."""
        frames = [None]
        return wait_until(lambda: time.sleep(0.3) or frames.append(self.frame(window)) or
                          (frames[-1] if frames[-1] == frames[-2] else None), "the window to settle")

    def focus(self, window):
        """Activates a window through the window manager, as a click would."""
        def focused():
            self.xdotool("windowactivate", window)
            return self.xdotool("getwindowfocus").strip() == str(window)
        wait_until(focused, f"focus on window {window}")
        time.sleep(0.15)  # let the program take FocusIn before keys arrive
    def key(self, *keys):
        self.xdotool("key", "--delay", "40", *keys)
    def type(self, text):
        self.xdotool("type", "--delay", "30", text)

    def close_window(self, window):
        """Alt+F4: openbox asks the window to close (WM_DELETE_WINDOW)."""
        self.focus(window)
        self.key("alt+F4")
    def settings(self, app):
        return read_ini(self.settings_path(app))
    def settings_path(self, app):
        return os.path.join(self.config, app, f"{app}.conf")

JOURNEYS = {}

def journey(fn):
    JOURNEYS[fn.__name__] = fn
    return fn

def main():
    """journeys.py <journey> name=path...: runs one journey, showing the
    programs' output and settings when it fails."""
    name, programs = sys.argv[1], dict(a.split("=", 1) for a in sys.argv[2:])
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(124))  # a CTest timeout still cleans up
    session = Session(programs)
    try:
        JOURNEYS[name](session)
        print(f"{name}: passed")
    except Exception as failure:
        for log in ("varnock.log", "kestrin.log", "home/.config/Varnock/Varnock.conf", "home/.config/Kestrin/Kestrin.conf"):
            if os.path.exists(path := os.path.join(session.root, log)):
                print(f"--- {log} ---\n" + open(path, errors="replace").read()[-3000:])
        print(f"FAILED: {failure}")
        sys.exit(1)
    finally:
        session.close()
