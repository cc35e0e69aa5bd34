#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives a running Kelvane window from the keyboard as an operator would, and times it.

Clicks the first entry of the file list, then runs each STEP in turn: presses its keys (XTest),
types a path into the file dialog they open when the step names one, and waits, watching the
window's X property events rather than polling, until the caption changes (or, with =CAPTION,
reads CAPTION; or, with a final ~, until the program has used no processor time for a second,
for an item whose caption may stay as it was). Prints the seconds from the key press to that caption, one line a step. Then
saves a picture of the window (--shot FILE, with ImageMagick's import) and closes it as a window
manager would.

usage: window-keys.py FORM_UI [--shot FILE] STEP...
  STEP: KEYS[<PATH][=CAPTION | ~], KEYS as ctrl+shift+o
The place of the file list is read from FORM_UI (ui/Form1.ui); the menu bar above it is the
window's height beyond the form's."""
import subprocess
import sys
import time

from Xlib import X, XK, display
from Xlib.ext import xtest

from xwindow import Caption, close, find_window, menu_bar_height, widget_box

KEYSYMS = {"/": "slash", ".": "period", "-": "minus", "ctrl": "Control_L", "shift": "Shift_L",
           "alt": "Alt_L", "enter": "Return", "esc": "Escape"}


def main():
    args = sys.argv[1:]
    form_ui = args.pop(0)
    shot = None
    if args and args[0] == "--shot":
        shot = args[1]
        args = args[2:]
    d = display.Display()
    window = find_window(d, 60, "window-keys")
    caption_of = Caption(d, window)

    def code(name):
        return d.keysym_to_keycode(XK.string_to_keysym(KEYSYMS.get(name, name)))

    def keys(combo):
        names = combo.split("+")
        for name in names:
            xtest.fake_input(d, X.KeyPress, code(name))
        for name in reversed(names):
            xtest.fake_input(d, X.KeyRelease, code(name))
        d.sync()

    def type_text(text):
        for char in text:
            keys(char)

    x, y, _, form_height = widget_box(form_ui, "File1")
    bar = menu_bar_height(window, form_height)
    at = d.screen().root.translate_coords(window, x + 20, y + bar + 8)
    xtest.fake_input(d, X.MotionNotify, x=at.x, y=at.y)
    xtest.fake_input(d, X.ButtonPress, 1)
    xtest.fake_input(d, X.ButtonRelease, 1)
    d.sync()
    time.sleep(0.5)

    pid = window.get_full_property(d.intern_atom("_NET_WM_PID"), X.AnyPropertyType).value[0]

    def busy_seconds():
        with open(f"/proc/{pid}/stat") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / 100  # utime + stime, in clock ticks

    def wait_idle(start):
        used, still = busy_seconds(), time.monotonic()
        while time.monotonic() - still < 1:
            time.sleep(0.1)
            if busy_seconds() != used:
                used, still = busy_seconds(), time.monotonic()
        return still - start

    for step in args:
        step, _, caption = step.partition("=")
        idle = step.endswith("~")
        combo, _, path = step.rstrip("~").partition("<")
        before = caption_of.text()
        start = time.monotonic()
        keys(combo)
        if path:
            time.sleep(1.5)  # the file dialog opens and takes the keys
            type_text(path)
            keys("enter")
        if idle:
            print(f"{wait_idle(start):.3f}", flush=True)
            continue
        done = (lambda text: text == caption) if caption else (lambda text: text != before)
        print(f"{caption_of.wait_until(done, start, 300, 'window-keys'):.3f}", flush=True)

    if shot:
        time.sleep(0.5)  # the last paint
        subprocess.run(["import", "-window", str(window.id), shot], check=True)
    close(d, window)


main()
