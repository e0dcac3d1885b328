#!/usr/bin/python3
"""Prints, as JSON, what a screen reader finds in the running application with the given
process id: every accessible object that is showing and has a name, a text or a control's role
(so that an unnamed control is listed too), with its role, name, text and states."""
import json
import sys

import pyatspi

CONTROLS = {"push button", "toggle button", "check box", "radio button", "combo box", "text",
            "password text", "entry", "spin button", "slider", "page tab", "list", "scroll pane"}


def walk(node, found, depth=0):
    if node is None or depth > 80:
        return
    try:
        states = node.getState()
        showing = states.contains(pyatspi.STATE_SHOWING)
        role = node.getRoleName()
        text = ""
        try:
            text = node.queryText().getText(0, -1)
        except NotImplementedError:
            pass
        if showing and (node.name or text or role in CONTROLS):
            found.append({"role": role, "name": node.name, "text": text,
                          "checked": states.contains(pyatspi.STATE_CHECKED),
                          "focusable": states.contains(pyatspi.STATE_FOCUSABLE)})
        for index in range(node.childCount):
            walk(node.getChildAtIndex(index), found, depth + 1)
    except Exception:  # an object that went away mid-walk
        return


def main():
    pid = int(sys.argv[1])
    desktop = pyatspi.Registry.getDesktop(0)
    found = []
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        try:
            if app is not None and app.get_process_id() == pid:
                walk(app, found)
        except Exception:
            continue
    json.dump(found, sys.stdout)


if __name__ == "__main__":
    main()
