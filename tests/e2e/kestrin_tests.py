"""End-to-end tests of Kestrin: the real window, real keys, results read
back through the clipboard and the settings file."""

import time

from harness import E2EFailure, check, check_equal, desktop_entry, scenario, wait_until

ALPHABET = "abcdefghijklmnopqrstuvwxyz"
REVERSED = ALPHABET[::-1]


def start_kestrin(s):
    app = s.start("kestrin")
    win = s.wait_window("^Kestrin$")
    s.focus(win)
    return app, win


def copy_field(s, want=None):
    """Copies the focused text field through the clipboard. With want, waits
    until the clipboard holds it (and fails showing what it holds)."""
    s.key("ctrl+a", "ctrl+c")
    if want is None:
        time.sleep(0.3)
        return (s.clipboard() or b"").decode()
    try:
        wait_until(lambda: s.clipboard() == want.encode(), f"clipboard {want!r}", timeout=5)
    except E2EFailure:
        raise E2EFailure(f"field holds {(s.clipboard() or b'').decode()!r}, want {want!r}")
    return want


def options(s):
    return s.settings("Kestrin").get("Options", {})


@scenario(needs=["kestrin"])
def kestrin_rewrite_and_remember(s):
    app, win = start_kestrin(s)
    check_equal(s.title(win), "Kestrin", "window title")
    wm_class = desktop_entry("org.varnock.Kestrin")["StartupWMClass"]
    check_equal(s.window_class(win), wm_class, "window class (StartupWMClass of the menu entry)")
    check("OriginalCharset" not in options(s), "a first start writes no charset")
    inner = s.geometry(win)
    check_equal((inner["WIDTH"], inner["HEIGHT"]), (381, 146), "client area (5715 x 2190 twips)")

    # Plain alphabet both ways: the phrase comes back unchanged.
    s.type("Hello World")
    s.key("Return")
    s.key("Tab")                      # txtTranslation
    copy_field(s, "Hello World")
    s.key("Tab")                      # txtOriginal
    copy_field(s, ALPHABET)
    s.key("Tab")                      # txtNew
    copy_field(s, ALPHABET)
    s.key("ctrl+a")
    s.type(REVERSED)
    s.key("shift+Tab", "shift+Tab", "shift+Tab")   # back to txtInput
    s.key("Return")
    s.key("Tab")
    copy_field(s, "Svool Dliow")
    wait_until(lambda: options(s).get("NewCharset") == REVERSED, "NewCharset stored")
    check_equal(options(s).get("OriginalCharset"), ALPHABET, "OriginalCharset")

    s.close_request(win)
    check_equal(app.wait_exit(), 0, "exit code after closing")

    # A restart shows the stored charsets and rewrites with them.
    app, win = start_kestrin(s)
    s.key("Tab", "Tab", "Tab")
    copy_field(s, REVERSED)
    s.key("shift+Tab", "shift+Tab", "shift+Tab")
    s.type("Kestrin ABC")
    s.key("Return", "Tab")
    copy_field(s, "Pvhgirm ZYX")
    s.close_request(win)
    app.wait_exit()

