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
import select
import subprocess
import sys
import time
import xml.etree.ElementTree as ElementTree

from Xlib import X, XK, display, protocol
from Xlib.ext import xtest

TITLE = "::: Halvorin:::"
KEYSYMS = {"/": "slash", ".": "period", "-": "minus", "ctrl": "Control_L", "shift": "Shift_L",
           "alt": "Alt_L", "enter": "Return", "esc": "Escape"}


def form_rect(form_ui, name):
    """The named widget's place in the form and the form's height."""
    root = ElementTree.parse(form_ui).getroot()
    parents = {child: parent for parent in root.iter() for child in parent}
    widget = next(w for w in parents if w.tag == "widget" and w.get("name") == name)
    x = y = 0
    node = widget
    while node is not None:
        rect = node.find("./property[@name='geometry']/rect")
        if rect is not None and parents.get(node) is not None:
            x += int(rect.findtext("x"))
            y += int(rect.findtext("y"))
        node = parents.get(node)
    form_height = int(root.find("./widget/property[@name='geometry']/rect").findtext("height"))
    return x, y, form_height


def find_window(d, deadline):
    while time.monotonic() < deadline:
        pending = [d.screen().root]
        while pending:
            window = pending.pop()
            try:
                if window.get_wm_name() == TITLE and \
                        window.get_attributes().map_state == X.IsViewable:
                    return window
                pending.extend(window.query_tree().children)
            except Exception:  # a window that went away meanwhile
                pass
        time.sleep(0.1)
    sys.exit("window-keys: the main window did not appear")


def main():
    args = sys.argv[1:]
    form_ui = args.pop(0)
    shot = None
    if args and args[0] == "--shot":
        shot = args[1]
        args = args[2:]
    d = display.Display()
    window = find_window(d, time.monotonic() + 30)
    window.change_attributes(event_mask=X.PropertyChangeMask)
    net_name, utf8 = d.intern_atom("_NET_WM_NAME"), d.intern_atom("UTF8_STRING")

    def title():
        name = window.get_full_property(net_name, utf8)
        if name is None:
            return window.get_wm_name() or ""
        return name.value.decode("utf-8", "replace") if isinstance(name.value, bytes) else str(name.value)

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

    x, y, form_height = form_rect(form_ui, "File1")
    bar = window.get_geometry().height - form_height
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
        before = title()
        start = time.monotonic()
        keys(combo)
        if path:
            time.sleep(1.5)  # the file dialog opens and takes the keys
            type_text(path)
            keys("enter")
        if idle:
            print(f"{wait_idle(start):.3f}", flush=True)
            continue
        while (title() != caption) if caption else (title() == before):
            if time.monotonic() - start > 300:
                sys.exit(f"window-keys: caption {title()!r} after {combo}")
            if d.pending_events() == 0:
                select.select([d], [], [], 0.5)
            while d.pending_events():
                d.next_event()
        print(f"{time.monotonic() - start:.3f}", flush=True)

    if shot:
        time.sleep(0.5)  # the last paint
        subprocess.run(["import", "-window", str(window.id), shot], check=True)
    protocols, delete = d.intern_atom("WM_PROTOCOLS"), d.intern_atom("WM_DELETE_WINDOW")
    window.send_event(protocol.event.ClientMessage(
        window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0])))
    d.flush()


main()
