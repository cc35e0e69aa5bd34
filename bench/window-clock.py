#!/usr/bin/python3
"""Times Open and Remove Duplicates in a running Kelvane window as the operator sees them.

Clicks the first entry of the file list, then the button (XTest), and waits, watching the
window's X property events rather than polling, until its caption reports the result: the
total for Open, the count of lines kept for Remove Duplicates. Then closes the window as a
window manager would. Prints the two times in seconds, on one line.

usage: window-clock.py FORM_UI TOTAL_CAPTION KEPT_CAPTION
The places to click are read from FORM_UI (ui/Form1.ui), below the menu bar."""
import sys
import time

from Xlib import X, display
from Xlib.ext import xtest

from xwindow import Caption, close, find_window, menu_bar_height, widget_box


def centre(form_ui, name, bar, first_row=False):
    """The centre of the named widget (or of its first row) in window coordinates."""
    x, y, size, _ = widget_box(form_ui, name)
    return (x + 20, y + bar + 8) if first_row else (x + size[0] // 2, y + bar + size[1] // 2)


def main():
    form_ui, total, kept = sys.argv[1:4]
    d = display.Display()
    window = find_window(d, 60, "window-clock")
    caption = Caption(d, window)
    _, _, _, form_height = widget_box(form_ui, "File1")
    bar = menu_bar_height(window, form_height)

    def click(point):
        at = d.screen().root.translate_coords(window, *point)
        xtest.fake_input(d, X.MotionNotify, x=at.x, y=at.y)
        d.sync()
        time.sleep(0.2)
        start = time.monotonic()
        xtest.fake_input(d, X.ButtonPress, 1)
        xtest.fake_input(d, X.ButtonRelease, 1)
        d.sync()
        return start

    def seconds_until(point, wanted):
        start = click(point)
        return caption.wait_until(lambda text: text == wanted, start, 120, "window-clock")

    click(centre(form_ui, "File1", bar, first_row=True))
    time.sleep(0.5)
    opened = seconds_until(centre(form_ui, "Command7", bar), total)
    deduplicated = seconds_until(centre(form_ui, "Command5", bar), kept)
    close(d, window)
    print(f"{opened:.3f} {deduplicated:.3f}")


main()
