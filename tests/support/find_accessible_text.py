#!/usr/bin/python3
"""Waits until the program with the given process id shows an accessible
object (a label, a button ...) whose name is TEXT, as a screen reader reads
it. Exits 0 when found, 1 when SECONDS pass first.
   find_accessible_text.py PID TEXT [SECONDS]
Needs Debian's python3 with pyatspi, the accessibility bus of the session,
and the program started with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1."""
import sys
import time

import pyatspi


def names_of(accessible, depth=0):
    if accessible is None or depth > 40:
        return
    yield accessible.name or ""
    for i in range(accessible.childCount):
        yield from names_of(accessible.getChildAtIndex(i), depth + 1)


def shown(pid, text):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        try:
            if app is not None and app.get_process_id() == pid and text in names_of(app):
                return True
        except Exception:
            # An object that went away while it was read: look again.
            pass
    return False


def main():
    pid, text = int(sys.argv[1]), sys.argv[2]
    deadline = time.monotonic() + (float(sys.argv[3]) if len(sys.argv) > 3 else 20)
    while time.monotonic() < deadline:
        if shown(pid, text):
            return 0
        time.sleep(0.2)
    return 1


if __name__ == "__main__":
    sys.exit(main())
