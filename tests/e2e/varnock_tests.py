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
def varnock_smoke(s):
    check(not os.path.exists(s.settings_path("Varnock")), "store not empty at start")
    app, win = start_varnock(s)
    check_equal(s.title(win), "Varnock", "window title")
    wm_class = desktop_entry("org.varnock.Varnock")["StartupWMClass"]
    check_equal(s.window_class(win), wm_class, "window class (StartupWMClass of the menu entry)")
    to_filter_box(s)
    generate(s, "Marion")
    check(app.alive(), "Varnock ended during a run")
    s.close_request(win)
    check_equal(app.wait_exit(), 0, "exit code after closing")
    stored = s.settings("Varnock")
    check_equal(sorted(stored), ["List", "Window"], "sections written by a first run")
    check_equal(stored.get("List"), {"0": "Marion"}, "stored filter history")
    window = stored.get("Window", {})
    for key in ("WindowState", "Height", "Width", "Top", "Left"):
        check(re.fullmatch(r"-?\d+(\.\d+)?", window.get(key, "")),
              f"Window/{key} not written as a number: {window.get(key)!r}")


@scenario(needs=["varnock"])
def varnock_copy_and_save(s):
    app, win = start_varnock(s)
    to_filter_box(s)
    generate(s, "Marion")
    select_all_words(s, win)
    copied = copy_words(s)
    words = split_crlf(copied, "clipboard")
    check_marion_words(words)

    # The same selection saved through the input box gives the same bytes.
    target = s.path("saved words.txt")
    s.key("ctrl+s")
    box = s.wait_window("^Save Words$")
    s.focus(box)
    s.key("ctrl+a")
    s.type(target)
    s.key("Return")
    s.wait_window_gone(box)
    wait_until(lambda: os.path.exists(target), "the saved word file")
    time.sleep(0.3)
    with open(target, "rb") as f:
        check_equal(f.read(), copied, "saved file")

    # Cancel writes nothing.
    other = s.path("cancelled.txt")
    s.focus(win)
    s.key("ctrl+s")
    box = s.wait_window("^Save Words$")
    s.focus(box)
    s.key("ctrl+a")
    s.type(other)
    s.key("Escape")
    s.wait_window_gone(box)
    time.sleep(0.3)
    check(not os.path.exists(other), "a cancelled save wrote a file")
    check(app.alive(), "Varnock ended")


@scenario(needs=["varnock"])
def varnock_direct_save(s):
    app, win = start_varnock(s)
    target = s.path("direct.txt")
    s.key("ctrl+d")
    box = s.wait_window("^Direct Save$")
    s.focus(box)
    s.key("ctrl+a")
    s.type(target)
    s.key("Return")
    s.wait_window_gone(box)
    wait_until(lambda: options(s).get("DirectSave") == "True", "DirectSave stored as True")
    check_equal(options(s).get("DirectSaveFile"), target, "DirectSaveFile")
    # Only the filter row shows: 1000 twips high, 67 pixels (no frame here).
    wait_until(lambda: abs(s.geometry(win)["HEIGHT"] - 67) <= 2,
               "the window 67 pixels high")

    s.focus(win)
    click_filter_box(s, win)
    generate(s, "Marion")
    wait_until(lambda: os.path.exists(target), "the direct-save file")
    time.sleep(0.3)
    with open(target, "rb") as f:
        check_marion_words(split_crlf(f.read(), "direct-save file"))

    # Switching it off asks nothing and keeps the path.
    s.key("ctrl+d")
    wait_until(lambda: options(s).get("DirectSave") == "False", "DirectSave stored as False")
    check_equal(options(s).get("DirectSaveFile"), target, "DirectSaveFile after switching off")
    wait_until(lambda: abs(s.geometry(win)["HEIGHT"] - 303) <= 2,
               "the window 303 pixels high (4545 twips)")
    check_equal(s.windows("^Direct Save$"), [], "input box after switching off")
    check(app.alive(), "Varnock ended")


PATTERN_FILE = (b"; test names\r\n"
                b"0 1 2\r\n"
                b"[next]\r\nka\r\nzo\r\n"
                b"[next]\r\nri\r\nlu\r\n"
                b"[next]\r\ndan\r\nmer\r\n")
PATTERN_WORDS = sorted(a + b + c for a in ("Ka", "Zo") for b in ("ri", "lu")
                       for c in ("dan", "mer"))

RULES_FILE = (b"My rules\r\n[START]\r\nKA\r\nel\r\n[MIDDLE]\r\nra\r\n"
              b"[END]\r\nDOR\r\nwen\r\n[STOP]\r\nignored\r\n")
RULES_WORDS = ["Elrador", "Elrawen", "Karador", "Karawen"]


def open_through_dialog(s, win, shortcut, path):
    s.focus(win)
    s.key(shortcut)
    dialog = s.wait_window("^Open rules file$")
    s.focus(dialog)
    s.type(path)
    s.key("Return")
    s.wait_window_gone(dialog)
    s.app.wait_idle()


@scenario(needs=["varnock"])
def varnock_pattern_and_rules_files(s):
    pattern = s.path("names.vnk")
    rules = s.path("names.nam")
    with open(pattern, "wb") as f:
        f.write(PATTERN_FILE)
    with open(rules, "wb") as f:
        f.write(RULES_FILE)
    app, win = start_varnock(s)

    # 500 words over 8 combinations: every one turns up (missing one has a
    # chance of about 8 * (7/8)^500).
    open_through_dialog(s, win, "ctrl+w", pattern)
    click_filter_box(s, win)
    select_all_words(s, win)
    check_equal(split_crlf(copy_words(s), "clipboard"), PATTERN_WORDS, "pattern-file words")

    open_through_dialog(s, win, "ctrl+o", rules)
    click_filter_box(s, win)
    select_all_words(s, win)
    check_equal(split_crlf(copy_words(s), "clipboard"), RULES_WORDS, "rules-file words")

    # A file that is not a pattern file: a message, and the program goes on.
    bad = s.path("bad.vnk")
    with open(bad, "wb") as f:
        f.write(b"; only a comment\r\n")
    s.key("ctrl+w")
    dialog = s.wait_window("^Open rules file$")
    s.focus(dialog)
    s.type(bad)
    s.key("Return")
    box = s.wait_window("^Varnock$", exclude=[win])
    s.focus(box)
    s.key("Return")
    s.wait_window_gone(box)
    check(app.alive(), "Varnock ended after an invalid file")


@scenario(needs=["varnock"])
def varnock_placement_and_history(s):
    """A stored placement and history are applied at start and written back
    at close; Clear list empties the history in the store at once."""
    write_ini(s.settings_path("Varnock"), {
        "Window": {"WindowState": "0", "Height": "5010", "Width": "4005",
                   "Top": "105", "Left": "210"},
        "List": {"0": "Marion", "1": "Varn"}})
    app, win = start_varnock(s)
    # 15 twips to the pixel; there is no frame without a window manager.
    check_equal(s.geometry(win), {"X": 14, "Y": 7, "WIDTH": 267, "HEIGHT": 334}, "restored geometry")
    click_filter_box(s, win)
    generate(s, "Varn")               # already in the history: not added again
    generate(s, "Kestrel")
    s.close_request(win)
    app.wait_exit()
    stored = s.settings("Varnock")
    check_equal(stored.get("List"), {"0": "Marion", "1": "Varn", "2": "Kestrel"}, "history")
    check_equal({k: stored["Window"][k] for k in ("WindowState", "Width", "Height", "Top", "Left")},
                {"WindowState": "0", "Width": "4005", "Height": "5010", "Top": "105", "Left": "210"},
                "placement written at close")

    app, win = start_varnock(s)
    s.key("ctrl+l")
    wait_until(lambda: "List" not in s.settings("Varnock"), "the List section deleted")
    click_filter_box(s, win)
    generate(s, "Ma")
    s.close_request(win)
    app.wait_exit()
    check_equal(s.settings("Varnock").get("List"), {"0": "Ma"}, "history after Clear list")


@scenario(needs=["varnock"])
def varnock_escape_no_then_yes(s):
    app, win = start_varnock(s)
    to_filter_box(s)
    generate(s, "Marion")

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


@scenario(needs=["varnock"])
def varnock_exit_saves_nothing(s):
    app, win = start_varnock(s)
    to_filter_box(s)
    generate(s, "Marion")
    s.key("alt+f")                    # File menu, then E&xit
    time.sleep(0.3)
    s.key("x")
    check_equal(app.wait_exit(), 0, "exit code of Exit")
    stored = s.settings("Varnock")
    check("Window" not in stored and "List" not in stored,
          f"Exit saved placement or history: {sorted(stored)}")

    # Closing through the frame, by contrast, stores both; a later start
    # reads the history back and adds to it.
    app, win = start_varnock(s)
    to_filter_box(s)
    generate(s, "Varn")
    s.close_request(win)
    app.wait_exit()
    check_equal(s.settings("Varnock").get("List"), {"0": "Varn"}, "history after closing")
    app, win = start_varnock(s)
    to_filter_box(s)
    generate(s, "Kestrel")
    s.close_request(win)
    app.wait_exit()
    check_equal(s.settings("Varnock").get("List"), {"0": "Varn", "1": "Kestrel"},
                "history after a second run")


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
    # Without sorting, erasing duplicates is disabled, its shortcut too.
    s.key("ctrl+j")
    time.sleep(0.5)
    check_equal(options(s).get("KillDupes"), "False", "KillDupes after ctrl+j with sorting off")
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
    s.focus(gen)
    s.type("Marion")
    s.key("Return")
    app.wait_idle()
    # Double-click the first sibling (the list starts 20 pixels down): it
    # becomes the parent, then copy the parent box.
    s.click(gen, 40, 28, repeat=2)
    time.sleep(0.5)
    s.click(gen, 40, 8)
    s.key("ctrl+a", "ctrl+c")
    parent = wait_until(lambda: s.clipboard(), "the new parent on the clipboard").decode()
    check_equal(len(parent), 6, f"length of sibling {parent!r}")
    check(parent == parent.capitalize(), f"sibling {parent!r} is not proper-cased")
    diffs = [(a, b) for a, b in zip("marion", parent.lower()) if a != b]
    check_equal(len(diffs), 1, f"letters changed in {parent!r}")
    (old, new), = diffs
    check((old in V) == (new in V), f"{old} became {new}: class changed")

    # The keyboard way: Tab into the list, the second sibling, Enter.
    s.key("Tab", "Down", "Down")
    s.key("Return")
    time.sleep(0.5)
    s.key("shift+Tab", "ctrl+a", "ctrl+c")
    child = wait_until(lambda: (s.clipboard() or b"").decode() != parent and s.clipboard(),
                       "the next parent on the clipboard").decode()
    check_equal(len(child), 6, f"length of sibling {child!r}")
    check_equal(sum(a != b for a, b in zip(parent.lower(), child.lower())), 1,
                f"letters changed from {parent!r} to {child!r}")

    s.close_request(gen)
    s.wait_window_gone(gen)
    check(app.alive(), "closing the genetic creator ended Varnock")
    wait_until(lambda: "Genetic" in s.settings("Varnock"), "Genetic placement stored")
    check_equal(set(s.settings("Varnock")["Genetic"]),
                {"WindowState", "Height", "Width", "Top", "Left"}, "Genetic keys")
    s.focus(win)
    s.key("ctrl+x")
    app.wait_exit()
