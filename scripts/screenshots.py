#!/usr/bin/env python3
"""Renders the programs' windows to PNG files, on a private X server with
fresh settings, so the pictures never show a user's own words or options.
Usage: screenshots.py OUTDIR --program varnock=PATH --program kestrin=PATH"""

import argparse
import os
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from harness import Session, write_ini  # noqa: E402

# Placement in twips: 15 twips are one pixel.
MAIN_PLACEMENT = {"WindowState": "0", "Width": "6000", "Height": "6600", "Top": "0", "Left": "0"}
GENETIC_PLACEMENT = {"WindowState": "0", "Width": "4500", "Height": "5400", "Top": "0", "Left": "0"}


def shoot(s, window, out, name):
    time.sleep(0.8)  # let the window paint
    path = os.path.join(out, name)
    s.screenshot(window, path)
    print(f"wrote {path}")


def varnock_windows(s, out):
    write_ini(s.settings_path("Varnock"), {"Window": MAIN_PLACEMENT, "Genetic": GENETIC_PLACEMENT})
    app = s.start("varnock")
    win = s.wait_window("^Varnock$")
    s.focus(win)
    s.key("shift+Tab")
    s.type("Marion")
    s.key("Return")
    time.sleep(1.5)
    s.key("Tab", "Tab")  # into the list: the selection buttons show
    s.key("ctrl+a")
    shoot(s, win, out, "varnock-main.png")

    s.key("ctrl+e")
    try:
        gen = s.wait_window("^Genetic creator$", timeout=5)
    except AssertionError:
        print("genetic creator not available in this build: skipped", file=sys.stderr)
    else:
        s.focus(gen)
        s.type("Marion")
        s.key("Return")
        shoot(s, gen, out, "varnock-genetic.png")
        s.close_request(gen)
        s.wait_window_gone(gen)

    s.focus(win)
    s.key("alt+h")
    time.sleep(0.3)
    s.key("a")
    try:
        about = s.wait_window("^About Varnock$", timeout=5)
    except AssertionError:
        print("About box not available in this build: skipped", file=sys.stderr)
    else:
        shoot(s, about, out, "varnock-about.png")
        s.focus(about)
        s.key("Return")
    s.close_request(win)
    app.wait_exit()


def kestrin_window(s, out):
    app = s.start("kestrin")
    win = s.wait_window("^Kestrin$")
    s.focus(win)
    s.type("Hello World")
    s.key("Tab", "Tab", "Tab", "ctrl+a")
    s.type("zyxwvutsrqponmlkjihgfedcba")
    s.key("shift+Tab", "shift+Tab", "shift+Tab", "Return")
    shoot(s, win, out, "kestrin-main.png")
    s.close_request(win)
    app.wait_exit()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("--program", action="append", default=[])
    args = parser.parse_args()
    programs = dict(p.split("=", 1) for p in args.program)
    os.makedirs(args.out, exist_ok=True)
    with Session(programs) as s:
        varnock_windows(s, args.out)
    with Session(programs) as s:
        kestrin_window(s, args.out)


if __name__ == "__main__":
    main()
