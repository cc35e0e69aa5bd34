# SPDX-License-Identifier: GPL-3.0-or-later
"""What the window benches share: finding Kelvane's main window on an X display, reading and
waiting for its caption, the places of the form's controls below the menu bar, and closing the
window as a window manager would."""
import select
import sys
import time
import xml.etree.ElementTree as ElementTree

from Xlib import X, protocol

TITLE = "::: Halvorin:::"


def find_window(d, seconds, who):
    """The main window once it is mapped; a first start may spend long building font caches."""
    deadline = time.monotonic() + seconds
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
    sys.exit(f"{who}: the main window did not appear in {seconds} s")


class Caption:
    """The window's caption, watched through X property events rather than by polling."""

    def __init__(self, d, window):
        self.d, self.window = d, window
        window.change_attributes(event_mask=X.PropertyChangeMask)
        self.net_name, self.utf8 = d.intern_atom("_NET_WM_NAME"), d.intern_atom("UTF8_STRING")

    def text(self):
        name = self.window.get_full_property(self.net_name, self.utf8)
        if name is None:
            return self.window.get_wm_name() or ""
        value = name.value
        return value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)

    def wait_until(self, done, start, limit, who):
        """Seconds from `start` until done(caption) holds."""
        while not done(self.text()):
            if time.monotonic() - start > limit:
                sys.exit(f"{who}: caption {self.text()!r} after {limit} s")
            if self.d.pending_events() == 0:
                select.select([self.d], [], [], 0.5)
            while self.d.pending_events():
                self.d.next_event()
        return time.monotonic() - start


def widget_box(form_ui, name):
    """The named widget's place and size in the form, and the form's height."""
    root = ElementTree.parse(form_ui).getroot()
    parents = {child: parent for parent in root.iter() for child in parent}
    widget = next(w for w in parents if w.tag == "widget" and w.get("name") == name)
    x = y = 0
    size = None
    node = widget
    while node is not None:
        rect = node.find("./property[@name='geometry']/rect")
        if rect is not None and parents.get(node) is not None:
            x += int(rect.findtext("x"))
            y += int(rect.findtext("y"))
            size = size or (int(rect.findtext("width")), int(rect.findtext("height")))
        node = parents.get(node)
    form_height = int(root.find("./widget/property[@name='geometry']/rect").findtext("height"))
    return x, y, size, form_height


def menu_bar_height(window, form_height):
    """The menu bar above the form moves every control down by its height."""
    return window.get_geometry().height - form_height


def close(d, window):
    protocols, delete = d.intern_atom("WM_PROTOCOLS"), d.intern_atom("WM_DELETE_WINDOW")
    window.send_event(protocol.event.ClientMessage(
        window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0])))
    d.flush()
