"""End-to-end tests of Varnock: the real windows, real keys and clicks,
results read from the clipboard, saved word files and the settings file."""

import os
import re
import time

from harness import (E2EFailure, check, check_equal, desktop_entry, scenario, wait_until,
                     write_ini)

# Consonant, vowel, consonant, two-letter vowel group, consonant: the form of
# Marion with two-letter groups on, proper-cased.
C, V = "bcdfghjklmnpqrstvwxyz", "aeiou"
MARION_FORM = re.compile(f"^[{C.upper()}][{V}][{C}][{V}y]{{2}}[{C}]$")


def start_varnock(s):
    app = s.start("varnock")
    win = s.wait_window("^Varnock$")
    app.wait_idle()
    s.focus(win)
    return app, win


def settled_frame(s, win):
    """The window's outer frame once it has stopped changing."""
    last = [None]

    def steady():
        time.sleep(0.3)
        now = s.frame(win)
        stable, last[0] = now == last[0], now
        return now if stable else None
    return wait_until(steady, "the window to settle")


def toggle_maximised(s, win):
    """A double-click on the title bar, openbox's way to (un-)maximise."""
    frame = s.frame(win)
    s.xdotool("mousemove", frame["X"] + frame["WIDTH"] // 2, frame["Y"] + 8)
    time.sleep(0.1)
    s.xdotool("click", "--repeat", 2, "--delay", 80, 1)


def options(s):
    return s.settings("Varnock").get("Options", {})


def generate(s, sample):
    """Types a sample into the filter box (focused) and runs it with Enter."""
    s.key("ctrl+a")
    s.type(sample)
    s.key("Return")
    s.app.wait_idle()


def select_all_words(s, win):
    """From the filter box into the list, then the "Select all" button,
    which only shows while the list has been entered, clicked with the
    mouse at the bottom left of the window."""
    s.key("Tab", "Tab")               # cmdGo, txtNames
    time.sleep(0.3)
    height = s.geometry(win)["HEIGHT"]
    s.click(win, 20, height - 8)


def copy_words(s):
    s.key("ctrl+g")
    text = wait_until(lambda: s.clipboard(), "words on the clipboard", timeout=5)
    return text


def split_crlf(data, what):
    check(data.endswith(b"\r\n"), f"{what} does not end in CR LF: {data[-20:]!r}")
    lines = data[:-2].split(b"\r\n")
    check(all(b"\r" not in l and b"\n" not in l for l in lines),
          f"{what} has line ends other than CR LF")
    return [l.decode() for l in lines]


def check_marion_words(words):
    check(len(words) > 100, f"only {len(words)} words")
    bad = [w for w in words if not MARION_FORM.match(w)]
    check(not bad, f"words not of the form of Marion: {bad[:5]}")
    check_equal(words, sorted(set(words)), "sorted, duplicate-free list")


def to_filter_box(s):
    # The focus starts on the Rnd button; the filter box is just before it.
    s.key("shift+Tab")


def click_filter_box(s, win):
    # The filter box fills the top row, just under the menu bar.
    s.click(win, 40, 28)
    time.sleep(0.2)


@scenario(needs=["varnock"])
def varnock_start_close_rounds(s):
    """The stored Left, Top, Width and Height are the outer frame: the window
    comes up in it under the window manager, and start/close rounds leave
    them as they were."""
    app, win = start_varnock(s)       # a first start: maximised
    check_equal(s.title(win), "Varnock", "window title")
    wm_class = desktop_entry("org.varnock.Varnock")["StartupWMClass"]
    check_equal(s.window_class(win), wm_class, "window class (StartupWMClass of the menu entry)")
    to_filter_box(s)
    generate(s, "Marion")
    s.close_request(win)
    check_equal(app.wait_exit(), 0, "exit code after closing")
    stored = s.settings("Varnock")
    check_equal((stored["Window"]["WindowState"], stored.get("List")), ("2", {"0": "Marion"}),
                "state and history after a first run")

    placement = {"WindowState": "0", "Height": "5010", "Width": "4005", "Top": "1050", "Left": "2100"}
    write_ini(s.settings_path("Varnock"), {"Window": placement, "List": stored["List"]})
    for round in range(3):
        app, win = start_varnock(s)
        check_equal(settled_frame(s, win), {"X": 140, "Y": 70, "WIDTH": 267, "HEIGHT": 334},
                    f"frame at start {round + 1}")
        s.close_request(win)
        app.wait_exit()
        window = s.settings("Varnock")["Window"]
        for key, value in placement.items():
            check(abs(float(window[key]) - float(value)) <= 15,
                  f"round {round + 1}: {key} stored as {window[key]}, was {value}")


@scenario(needs=["varnock"])
def varnock_direct_save(s):
    """Stored on, direct save brings up the filter row alone, ready to type."""
    target = s.path("direct.txt")
    write_ini(s.settings_path("Varnock"), {"Options": {"DirectSave": "True", "DirectSaveFile": target}})
    app, win = start_varnock(s)
    frame = settled_frame(s, win)
    check_equal((frame["WIDTH"], frame["HEIGHT"]), (201, 65), "frame at start (3015 x 980 twips)")
    click_filter_box(s, win)
    generate(s, "Marion")
    wait_until(lambda: os.path.exists(target), "the direct-save file")
    time.sleep(0.3)
    with open(target, "rb") as f:
        check_marion_words(split_crlf(f.read(), "direct-save file"))

    s.key("ctrl+d")                   # off: 4545 twips high
    wait_until(lambda: options(s).get("DirectSave") == "False", "DirectSave stored as False")
    wait_until(lambda: s.frame(win)["HEIGHT"] == 303, "a frame 303 pixels high")
    # Switched on from a maximised window: it leaves the maximised state
    # and keeps its own width.
    toggle_maximised(s, win)
    wait_until(lambda: s.frame(win)["WIDTH"] == 1280, "the window maximised")
    s.focus(win)
    s.key("ctrl+d")
    box = s.wait_window("^Direct Save$")
    s.focus(box)
    s.key("Return")
    s.wait_window_gone(box)
    frame = settled_frame(s, win)
    check_equal((frame["WIDTH"], frame["HEIGHT"]), (201, 67), "frame after switching on (1000 twips)")


@scenario(needs=["varnock"])
def varnock_end_during_long_run(s):
    """Esc and Yes in the middle of a long run end it at once, writing nothing."""
    pattern, target = s.path("long.vnk"), s.path("direct.txt")
    with open(pattern, "wb") as f:
        f.write(LONG_PATTERN_FILE)
    write_ini(s.settings_path("Varnock"), {"Options": {
        "DirectSave": "True", "DirectSaveFile": target, "HowMany": "30000", "FastMode": "False"}})
    app, win = start_varnock(s)
    s.key("ctrl+w")
    dialog = s.wait_window("^Open rules file$")
    s.focus(dialog)
    s.type(pattern)
    # The Esc goes straight to the main window just after the Enter that
    # starts the run, so it meets the run's first yield however fast the
    # machine is.
    s.key("Return")
    s.xdotool("key", "--window", win, "Escape")
    box = s.wait_window("^Varnock$", exclude=[win])
    check(app.alive() and not os.path.exists(target), "the run ended before the question")
    s.focus(box)
    s.key("y")
    answered = time.monotonic()
    app.wait_exit()
    check(time.monotonic() - answered < 1.0, f"ended {time.monotonic() - answered:.1f} s after Yes")
    check_equal(sorted(os.listdir(s.files)), ["long.vnk"], "files after Yes")
    check("Window" not in s.settings("Varnock"), "Esc and Yes saved the placement")


@scenario(needs=["varnock"])
def varnock_copy_and_save(s):
    app, win = start_varnock(s)
    to_filter_box(s)
    generate(s, "Marion")
    select_all_words(s, win)
    copied = copy_words(s)
    words = split_crlf(copied, "clipboard")
    check_marion_words(words)

    check(app.alive(), "Varnock ended")


# Three sections of long pieces: 30,000 words of 240 letters.
LONG_PATTERN_FILE = b"0 1 2\r\n" + b"".join(
    b"[next]\r\n" + b"".join(piece * 40 + b"\r\n" for piece in pieces)
    for pieces in ((b"ka", b"zo"), (b"ri", b"lu"), (b"da", b"me")))


@scenario(needs=["varnock"])
def varnock_escape_no_then_yes(s):
    app, win = start_varnock(s)
    to_filter_box(s)
    generate(s, "Marion")
    # The Esc that closes a menu and the one that leaves the menu bar are
    # the menu's own.
    s.key("alt+f")
    time.sleep(0.3)
    s.key("Escape", "Escape")
    time.sleep(0.5)
    check_equal(s.windows("^Varnock$"), [win], "windows after Alt+F, Esc, Esc")

    s.key("Escape")
    box = s.wait_window("^Varnock$", exclude=[win])
    s.focus(box)
    s.key("n")
    s.wait_window_gone(box)
    time.sleep(0.5)
    check(app.alive(), "Esc answered No ended the program")

    s.focus(win)
    s.key("Escape")
    box = s.wait_window("^Varnock$", exclude=[win])
    s.focus(box)
    s.key("y")
    app.wait_exit()
    stored = s.settings("Varnock")
    check("Window" not in stored and "List" not in stored,
          f"Esc and Yes saved placement or history: {sorted(stored)}")


OPTION_SHORTCUTS = [("ctrl+f", "FastMode", "False"), ("ctrl+m", "Case", "True"),
                    ("ctrl+r", "RealityMode", "False"), ("ctrl+u", "UseDiphthongi", "False"),
                    ("ctrl+j", "KillDupes", "False"), ("ctrl+q", "Sort", "False")]


@scenario(needs=["varnock"])
def varnock_shortcuts_from_filter_box(s):
    """Menu shortcuts work while the user types in the filter box, where the
    text field's own editing keys must not swallow them."""
    app, win = start_varnock(s)
    to_filter_box(s)
    s.type("Mar")
    for keys, option, toggled in OPTION_SHORTCUTS:
        s.key(keys)
        try:
            wait_until(lambda: options(s).get(option) == toggled, f"{option} = {toggled}", timeout=3)
        except E2EFailure:
            raise E2EFailure(f"{keys} in the filter box did not toggle {option}: {options(s)}")
    s.key("ctrl+x")
    try:
        app.wait_exit(timeout=3)
    except E2EFailure:
        raise E2EFailure("ctrl+x in the filter box did not end the program")
    check("List" not in s.settings("Varnock"), "Exit saved the history")


@scenario(needs=["varnock"])
def varnock_genetic_creator(s):
    app, win = start_varnock(s)
    s.key("ctrl+e")
    gen = s.wait_window("^Genetic creator$")
    wait_until(lambda: s.frame(gen)["WIDTH"] == 1280, "the first opening maximised")
    # Un-maximised: the designed 3015 x 4320 twips, centred on the screen.
    toggle_maximised(s, gen)
    check_equal(settled_frame(s, gen), {"X": 540, "Y": 368, "WIDTH": 201, "HEIGHT": 288},
                "frame un-maximised")
    s.focus(gen)
    s.type("Marion")
    s.key("Return")
    app.wait_idle()
    s.key("Escape")                   # no way to close it: the list stays
    time.sleep(0.5)
    check_equal(s.windows("^Genetic creator$"), [gen], "windows after Esc")
    # Closed and opened again, twice: the outer frame is stored and comes back.
    for round in range(2):
        s.close_request(gen)
        s.wait_window_gone(gen)
        check_equal(s.settings("Varnock")["Genetic"],
                    {"WindowState": "0", "Height": "4320", "Width": "3015", "Top": "5520", "Left": "8100"},
                    f"stored placement after round {round + 1}")
        s.focus(win)
        s.key("ctrl+e")
        gen = s.wait_window("^Genetic creator$")
        check_equal(settled_frame(s, gen), {"X": 540, "Y": 368, "WIDTH": 201, "HEIGHT": 288},
                    f"frame at opening {round + 2}")
    check(app.alive(), "closing the genetic creator ended Varnock")


@scenario(needs=["varnock"])
def varnock_german_locale(s):
    """Counts are read with the decimal point also where "," is the separator."""
    s.env.update(LANG="de_DE.UTF-8", LC_ALL="de_DE.UTF-8")
    app, win = start_varnock(s)
    stored = []
    for answer in ("13.5", "1.5e3"):
        s.key("alt+o")                # Options > Generated words > Varnock...
        time.sleep(0.3)
        s.key("Up", "Right", "v")
        box = s.wait_window("^Enter number of words$")
        s.focus(box)
        s.key("ctrl+a")
        s.type(answer)
        s.key("Return")
        s.wait_window_gone(box)
        time.sleep(0.3)
        stored.append(options(s).get("HowMany"))
        s.focus(win)
    check_equal(stored, ["14", "1500"], "HowMany stored for 13.5 and 1.5e3")
