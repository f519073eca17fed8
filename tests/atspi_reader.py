#!/usr/bin/python3
"""Reads a program's windows as a screen reader does, through AT-SPI.

    atspi_reader.py APPLICATION

Waits for the application to appear on the accessibility bus and says
"ready", then answers commands on standard input, one a line. Each answer
ends with a line "end".

    tree     every object of the application, one a line:
             depth<TAB>role<TAB>name<TAB>description<TAB>states
    events   the description, name and checked-state changes heard since
             the last call: kind<TAB>object's name<TAB>detail
    press N  performs the first action of the first object named N
"""
import sys
import time

import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

application = sys.argv[1]
heard_events = []
STATES = [Atspi.StateType(i) for i in range(int(Atspi.StateType.LAST_DEFINED))]


def find_application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == application:
            return app
    return None


def walk(obj, depth, out):
    states = obj.get_state_set()
    flags = [s.value_nick for s in STATES if states.contains(s)]
    out.append("%d\t%s\t%s\t%s\t%s" % (depth, obj.get_role_name(), obj.get_name() or "",
                                      obj.get_description() or "", ",".join(flags)))
    for i in range(obj.get_child_count()):
        child = obj.get_child_at_index(i)
        if child is not None:
            walk(child, depth + 1, out)


def first_named(obj, wanted):
    if obj.get_name() == wanted:
        return obj
    for i in range(obj.get_child_count()):
        child = obj.get_child_at_index(i)
        found = first_named(child, wanted) if child is not None else None
        if found is not None:
            return found
    return None


def heard(event):
    source = event.source.get_name() if event.source is not None else ""
    heard_events.append("%s\t%s\t%s" % (event.type, source, event.detail1))


def answer(lines):
    for line in lines:
        print(line.replace("\n", " "))
    print("end", flush=True)
    return False


def command(app, line):
    words = line.split(None, 1)
    if not words:
        return
    if words[0] == "tree":
        out = []
        walk(app, 0, out)
        answer(out)
    elif words[0] == "events":
        def report():
            answer(list(heard_events))
            heard_events.clear()
            return False
        GLib.timeout_add(700, report)  # let the bus deliver what is under way
    elif words[0] == "press":
        target = first_named(app, words[1].strip())
        action = target.get_action_iface() if target is not None else None
        ok = action is not None and action.get_n_actions() > 0 and action.do_action(0)
        answer(["pressed" if ok else "no such action"])


def main():
    deadline = time.time() + 20
    app = find_application()
    while app is None and time.time() < deadline:
        time.sleep(0.2)
        app = find_application()
    if app is None:
        print("no application named %s on the accessibility bus" % application, flush=True)
        return 1
    listener = Atspi.EventListener.new(heard)
    for kind in ("object:property-change:accessible-description",
                 "object:property-change:accessible-name", "object:state-changed:checked"):
        listener.register(kind)

    def on_input(source, condition):
        line = sys.stdin.readline()
        if not line:
            Atspi.event_quit()
            return False
        command(app, line)
        return True

    GLib.io_add_watch(sys.stdin, GLib.IO_IN | GLib.IO_HUP, on_input)
    print("ready", flush=True)
    Atspi.event_main()
    return 0


sys.exit(main())
