#!/usr/bin/python3
"""What another program on the desktop reaches of a running program through
the accessibility bus (AT-SPI), as a screen reader or an attacker would.

  access_probe.py PID walk
      Prints every object of the program, hidden ones included: one line of
      role, name, description and text each, and "ROWS<TAB>n" for a table.
  access_probe.py PID press NAME...
      Finds every object whose name is one of the NAMEs ("found NAME n", n
      its number of actions; a disabled one offers none) and presses its
      action 0 where it has one ("pressed NAME").

Exits 2 when the program is not on the bus. Every call to the program is
bounded, so a program that does not answer makes this fail, not hang.
"""
import sys

import pyatspi

TIMEOUT_MS = 5000


def find_application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def objects(root):
    """Every object under root, depth first, without filtering on SHOWING."""
    stack = [root]
    while stack:
        node = stack.pop()
        if node is None:
            continue
        yield node
        try:
            count = node.childCount
        except Exception:
            continue
        for index in reversed(range(count)):
            try:
                stack.append(node.getChildAtIndex(index))
            except Exception:
                pass


def text_of(node):
    try:
        text = node.queryText()
        return text.getText(0, -1)
    except Exception:
        return ""


def clean(value):
    return (value or "").replace("\t", " ").replace("\n", " ")


def walk(app):
    for node in objects(app):
        print("\t".join([node.getRoleName(), clean(node.name), clean(node.description),
                         clean(text_of(node))]))
        try:
            print("ROWS\t%d" % node.queryTable().nRows)
        except NotImplementedError:
            pass
        except Exception:
            pass


def press(app, names):
    wanted = set(names)
    for node in list(objects(app)):
        if node.name not in wanted:
            continue
        try:
            action = node.queryAction()
        except Exception:
            print("found\t%s\t0" % node.name)
            continue
        print("found\t%s\t%d" % (node.name, action.nActions))
        if action.nActions > 0:
            try:
                action.doAction(0)
            except Exception as error:  # a press that opened something modal
                print("blocked\t%s\t%s" % (node.name, error))
                continue
            print("pressed\t%s" % node.name)


def main():
    pyatspi.setTimeout(TIMEOUT_MS, TIMEOUT_MS)
    pid = int(sys.argv[1])
    app = find_application(pid)
    if app is None:
        print("no application with pid %d on the accessibility bus" % pid, file=sys.stderr)
        return 2
    if sys.argv[2] == "walk":
        walk(app)
    else:
        press(app, sys.argv[3:])
    return 0


if __name__ == "__main__":
    sys.exit(main())
