#!/usr/bin/python3
"""Reads a running program's accessibility tree over AT-SPI.

  accessibility_tree.py tree PID            one line per object, depth first:
                                            depth, role, name, states, actions,
                                            labelled-by (tab separated)
  accessibility_tree.py focus PID           the role and name of the focused object
  accessibility_tree.py wait PID SECONDS    waits until the program's main window
                                            is in the tree
  accessibility_tree.py showing PID NAME    "yes" when an object of that name is showing
  accessibility_tree.py windows PID         the role and name of each window shown
  accessibility_tree.py grab PID NAME       gives the focus to the object of that name
  accessibility_tree.py press PID NAME      runs the press action of the object of that name

The program is found by its process id among the desktop's applications.
"""
import sys
import time

import pyatspi


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:  # an application that left meanwhile
            continue
    return None


def walk(node, depth=0):
    yield depth, node
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child, depth + 1)


def states(node):
    state = node.getState()
    words = []
    for name, value in (("focusable", pyatspi.STATE_FOCUSABLE), ("focused", pyatspi.STATE_FOCUSED),
                        ("showing", pyatspi.STATE_SHOWING), ("editable", pyatspi.STATE_EDITABLE)):
        if state.contains(value):
            words.append(name)
    return ",".join(words)


def actions(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return ""
    return ",".join(action.getName(index) for index in range(action.nActions))


def labelled_by(node):
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY and relation.getNTargets() > 0:
            return relation.getTarget(0).name or ""
    return ""


def line(node):
    return node.getRoleName(), (node.name or "").replace("\n", " ")


def main(argv):
    command, pid = argv[1], int(argv[2])
    if command == "wait":
        deadline = time.monotonic() + float(argv[3])
        while time.monotonic() < deadline:
            app = application(pid)
            if app is not None and app.childCount > 0:
                return 0
            time.sleep(0.2)
        print("the program did not appear in the accessibility tree", file=sys.stderr)
        return 1
    app = application(pid)
    if app is None:
        print("no application with process id %d" % pid, file=sys.stderr)
        return 1
    if command == "tree":
        for depth, node in walk(app):
            role, name = line(node)
            print("\t".join([str(depth), role, name, states(node), actions(node), labelled_by(node)]))
    elif command == "focus":
        for _, node in walk(app):
            if node.getState().contains(pyatspi.STATE_FOCUSED):
                print("\t".join(line(node)))
                break
    elif command == "windows":
        for index in range(app.childCount):
            window = app.getChildAtIndex(index)
            if window is not None and window.getState().contains(pyatspi.STATE_SHOWING):
                print("\t".join(line(window)))
    elif command in ("grab", "press"):
        found = [node for _, node in walk(app) if node.name == argv[3]]
        if not found:
            print("no object named %r" % argv[3], file=sys.stderr)
            return 1
        if command == "grab":
            found[0].queryComponent().grabFocus()
        else:
            action = found[0].queryAction()
            names = [action.getName(index) for index in range(action.nActions)]
            action.doAction(names.index("Press"))
    elif command == "showing":
        wanted = argv[3]
        shown = any(node.name == wanted and node.getState().contains(pyatspi.STATE_SHOWING) for _, node in walk(app))
        print("yes" if shown else "no")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
