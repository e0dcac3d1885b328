#!/usr/bin/python3
"""Prints, one JSON object a line, the alerts a screen reader is told about in the application
with the given process id: an alert that becomes showing or changes its name. Prints "ready"
once it listens, and stops after the given number of seconds."""
import json
import sys

import pyatspi
from gi.repository import GLib


def main():
    pid = int(sys.argv[1])
    seconds = int(sys.argv[2])

    def heard(event):
        try:
            source = event.source
            if source.get_process_id() != pid or source.getRoleName() != "alert":
                return
            print(json.dumps({"event": event.type, "name": source.name}, ensure_ascii=False),
                  flush=True)
        except Exception:  # an object that went away
            return

    pyatspi.Registry.registerEventListener(heard, "object:state-changed:showing",
                                           "object:property-change:accessible-name")
    print("ready", flush=True)
    GLib.timeout_add_seconds(seconds, pyatspi.Registry.stop)
    pyatspi.Registry.start()


if __name__ == "__main__":
    main()
