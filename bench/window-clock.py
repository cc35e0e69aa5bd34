#!/usr/bin/python3
"""Times Open and Remove Duplicates in a running Kelvane window as the operator sees them.

Clicks the first entry of the file list, then the button (XTest), and waits, watching the
window's X property events rather than polling, until its caption reports the result: the
total for Open, the count of lines kept for Remove Duplicates. Then closes the window as a
window manager would. Prints the two times in seconds, on one line.

usage: window-clock.py FORM_UI TOTAL_CAPTION KEPT_CAPTION
The places to click are read from FORM_UI (ui/Form1.ui), below the menu bar."""
import select
import sys
import time
import xml.etree.ElementTree as ElementTree

from Xlib import X, display, protocol
from Xlib.ext import xtest

TITLE = "::: Halvorin:::"


def centre(form_ui, name, first_row=False):
    """The centre of the named widget (or of its first row) in window coordinates."""
    parents = {child: parent for parent in ElementTree.parse(form_ui).iter() for child in parent}
    widget = next(w for w in parents if w.tag == "widget" and w.get("name") == name)
    x = y = 0
    node, size = widget, None
    while node is not None:
        rect = node.find("./property[@name='geometry']/rect")
        if rect is not None:
            x += int(rect.findtext("x"))
            y += int(rect.findtext("y"))
            size = size or (int(rect.findtext("width")), int(rect.findtext("height")))
        node = parents.get(node)
    return (x + 20, y + 8) if first_row else (x + size[0] // 2, y + size[1] // 2)


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
    sys.exit("window-clock: the main window did not appear")


def main():
    form_ui, total, kept = sys.argv[1:4]
    d = display.Display()
    window = find_window(d, time.monotonic() + 20)
    window.change_attributes(event_mask=X.PropertyChangeMask)
    net_name, utf8 = d.intern_atom("_NET_WM_NAME"), d.intern_atom("UTF8_STRING")

    def title():
        name = window.get_full_property(net_name, utf8)
        if name is None:
            return window.get_wm_name() or ""
        return name.value.decode("utf-8", "replace") if isinstance(name.value, bytes) else str(name.value)

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

    def seconds_until(point, caption):
        start = click(point)
        while title() != caption:
            if time.monotonic() - start > 120:
                sys.exit(f"window-clock: caption {title()!r}, waiting for {caption!r}")
            if d.pending_events() == 0:
                select.select([d], [], [], 0.5)
            while d.pending_events():
                d.next_event()
        return time.monotonic() - start

    # The menu bar above the form moves every control down by its height.
    form = ElementTree.parse(form_ui).getroot().find("./widget/property[@name='geometry']/rect")
    bar = window.get_geometry().height - int(form.findtext("height"))

    def below_bar(point):
        return point[0], point[1] + bar

    click(below_bar(centre(form_ui, "File1", first_row=True)))
    time.sleep(0.5)
    opened = seconds_until(below_bar(centre(form_ui, "Command7")), total)
    deduplicated = seconds_until(below_bar(centre(form_ui, "Command5")), kept)

    protocols, delete = d.intern_atom("WM_PROTOCOLS"), d.intern_atom("WM_DELETE_WINDOW")
    window.send_event(protocol.event.ClientMessage(
        window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0])))
    d.flush()
    print(f"{opened:.3f} {deduplicated:.3f}")


main()
