#!/usr/bin/env python3
"""Journeys through the real windows under openbox: what only a real desktop
shows (frames, placement, focus, the window manager's keys, the locale)."""

import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree clean
from harness import DIST, check, check_equal, journey, main, read_ini, wait_until, write_ini  # noqa: E402

def start(s, name="varnock"):
    app, win = s.start(name), s.wait_window(f"^{name.capitalize()}$")
    s.wait_idle(app)
    s.focus(win)
    return app, win

def toggle_maximised(s, win):
    """A double-click on the title bar, openbox's way to (un-)maximise."""
    frame = s.frame(win)
    s.xdotool("mousemove", frame["X"] + frame["WIDTH"] // 2, frame["Y"] + 8)
    s.xdotool("click", "--repeat", 2, "--delay", 80, 1)

def answer(s, title, key, exclude=()):
    box = s.wait_window(title, exclude)
    s.focus(box)
    s.key(key)
    return box

@journey
def start_close_rounds(s):
    """Each program's class ties it to its launcher and Alt+F4 ends it; Kestrin's client area is the designed
    size inside openbox's frame. Varnock comes up in its stored outer frame, and start/close rounds keep it."""
    for name in ("kestrin", "varnock"):  # Varnock's first start: maximised
        app, win = start(s, name)
        check_equal(s.prop(win, "WM_CLASS").split(", ")[-1].strip('"'),
                    read_ini(f"{DIST}/org.varnock.{name.capitalize()}.desktop")["Desktop Entry"]["StartupWMClass"], "window class")
        check(name == "varnock" or [s.geometry(win)[k] for k in ("WIDTH", "HEIGHT")] == [381, 146], "Kestrin's client area (5715 x 2190 twips)")
        s.close_window(win)
        check_equal(s.wait_exit(app), 0, f"{name}'s exit code after Alt+F4")
    check_equal(s.settings("Varnock")["Window"]["WindowState"], "2", "state after a maximised first run")
    placement = {"WindowState": "0", "Height": "5010", "Width": "4005", "Top": "1050", "Left": "2100"}
    write_ini(s.settings_path("Varnock"), {"Window": placement})
    for round in range(3):
        app, win = start(s)
        check_equal(s.settled_frame(win), {"X": 140, "Y": 70, "WIDTH": 267, "HEIGHT": 334}, f"frame {round}")
        s.close_window(win)
        s.wait_exit(app)
        stored = s.settings("Varnock")["Window"]
        check(all(abs(float(stored[k]) - float(v)) <= 15 for k, v in placement.items()),
              f"round {round}: stored {stored}, was {placement}")

@journey
def varnock_direct_save(s):
    """Stored on, direct save brings up the filter row alone, ready to type;
    switched on from a maximised window it leaves the maximised state."""
    target = os.path.join(s.files, "direct.txt")
    write_ini(s.settings_path("Varnock"), {"Options": {"DirectSave": "True", "DirectSaveFile": target}})
    app, win = start(s)
    check_equal(s.settled_frame(win)["HEIGHT"], 65, "frame height at start (980 twips)")
    s.xdotool("mousemove", "--window", win, 40, 28, "click", 1)  # the filter box
    s.type("Marion")
    s.key("Return")
    wait_until(lambda: os.path.exists(target) and os.path.getsize(target) > 1000, "the direct-save file")
    s.key("ctrl+d")  # off
    wait_until(lambda: s.frame(win)["HEIGHT"] == 303, "a frame 303 pixels high")
    toggle_maximised(s, win)
    wait_until(lambda: s.frame(win)["WIDTH"] == 1280, "the window maximised")
    s.focus(win)
    s.key("ctrl+d")
    s.wait_window_gone(answer(s, "^Direct Save$", "Return"))
    check_equal(s.settled_frame(win)["WIDTH"], 201, "frame width after switching on (3015 twips)")

# Three sections of long pieces: 30,000 words of 240 letters.
LONG_PATTERN = b"0 1 2\r\n" + b"".join(b"[next]\r\n" + b"".join(p * 40 + b"\r\n" for p in pieces)
                                       for pieces in ((b"ka", b"zo"), (b"ri", b"lu"), (b"da", b"me")))

@journey
def varnock_end_during_long_run(s):
    """Alt+F Esc Esc belongs to the menu; Esc and Yes in the middle of a long
    run end it at once, writing nothing."""
    pattern, target = os.path.join(s.files, "long.vnk"), os.path.join(s.files, "direct.txt")
    open(pattern, "wb").write(LONG_PATTERN)
    write_ini(s.settings_path("Varnock"), {"Options": {
        "DirectSave": "True", "DirectSaveFile": target, "HowMany": "30000", "FastMode": "False"}})
    app, win = start(s)
    s.key("alt+f")
    time.sleep(0.3)
    s.key("Escape", "Escape")
    time.sleep(0.5)
    check_equal(s.windows("^Varnock$"), [win], "windows after Alt+F, Esc, Esc")
    s.key("ctrl+w")
    s.focus(s.wait_window("^Open rules file$"))
    s.type(pattern)
    # The Esc goes straight to the main window just after the Enter that
    # starts the run, so it meets the run's first yield however fast the machine.
    s.key("Return")
    s.xdotool("key", "--window", win, "Escape")
    answer(s, "^Varnock$", "y", exclude=[win])
    answered = time.monotonic()
    s.wait_exit(app)
    check(time.monotonic() - answered < 1.0, f"ended {time.monotonic() - answered:.1f} s after Yes")
    check_equal(sorted(os.listdir(s.files)), ["long.vnk"], "files after Yes")

@journey
def varnock_genetic_creator(s):
    """First opened maximised; un-maximised, the designed size centred; its frame is stored and comes back."""
    app, win = start(s)
    s.key("ctrl+e")
    gen = s.wait_window("^Genetic creator$")
    wait_until(lambda: s.frame(gen)["WIDTH"] == 1280, "the first opening maximised")
    toggle_maximised(s, gen)
    designed = {"X": 540, "Y": 368, "WIDTH": 201, "HEIGHT": 288}
    check_equal(s.settled_frame(gen), designed, "frame un-maximised (3015 x 4320 twips)")
    s.close_window(gen)
    s.wait_window_gone(gen)
    check_equal(s.settings("Varnock")["Genetic"],
                {"WindowState": "0", "Height": "4320", "Width": "3015", "Top": "5520", "Left": "8100"},
                "stored placement")
    s.focus(win)
    s.key("ctrl+e")
    check_equal(s.settled_frame(s.wait_window("^Genetic creator$")), designed, "frame at the second opening")
    check(app.poll() is None, "closing the genetic creator ended Varnock")

@journey
def varnock_german_locale(s):
    """Counts are read with the decimal point also where "," is the separator (the
    locale's reading of "1.5e3" would stop at the point)."""
    s.env.update(LANG="de_DE.UTF-8", LC_ALL="de_DE.UTF-8")
    start(s)
    s.key("alt+o")  # Options > Generated words > Varnock...
    time.sleep(0.3)
    s.key("Up", "Right", "v")
    box = answer(s, "^Enter number of words$", "ctrl+a")
    s.type("1.5e3")
    s.key("Return")
    s.wait_window_gone(box)
    check_equal(wait_until(lambda: s.settings("Varnock").get("Options", {}).get("HowMany"), "HowMany stored"), "1500",
                "HowMany stored for 1.5e3")

if __name__ == "__main__":
    main()
