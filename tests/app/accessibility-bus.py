"""Walks Tipin's accessibility tree: Tab must reach every push button of the main window, and
Space on the Browse button must open the file chooser. Keys go to the window with xdotool."""
import subprocess
import sys
import time

import pyatspi

pid, browse_name = int(sys.argv[1]), sys.argv[2]


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def wait_for(find, what, seconds=30):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    sys.exit(f"FAIL: {what}")


def main_window():
    app = application()
    if app is None:
        return None
    return next((w for w in app if w is not None and w.getRole() == pyatspi.ROLE_DIALOG
                 and w.getState().contains(pyatspi.STATE_SHOWING)), None)


def showing_buttons(window):
    return {b.name for b in descendants(window) if b.getRole() == pyatspi.ROLE_PUSH_BUTTON
            and b.getState().contains(pyatspi.STATE_SHOWING)}


def focused(window):
    return next((n for n in descendants(window)
                 if n.getState().contains(pyatspi.STATE_FOCUSED)), None)


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)
    time.sleep(0.15)


window = wait_for(main_window, "no main window on the bus")
buttons = wait_for(lambda: showing_buttons(window), "no push buttons on the bus")
print("buttons:", sorted(buttons))


def area(wid):
    shell = subprocess.run(["xdotool", "getwindowgeometry", "--shell", wid],
                           capture_output=True, text=True).stdout
    values = dict(line.split("=", 1) for line in shell.split())
    return int(values.get("WIDTH", 0)) * int(values.get("HEIGHT", 0))


# The largest of the program's windows is the main window; the popup never takes the keys.
ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                     capture_output=True, text=True).stdout.split()
subprocess.run(["xdotool", "windowfocus", "--sync", max(ids, key=area)], check=True)
reached = set()
for _ in range(3 * len(list(descendants(window)))):
    key("Tab")
    node = focused(window)
    if node is not None and node.getRole() == pyatspi.ROLE_PUSH_BUTTON:
        reached.add(node.name)
    if reached >= buttons:
        break
if not reached >= buttons:
    sys.exit(f"FAIL: Tab never reached {sorted(buttons - reached)}")
if browse_name not in buttons:
    sys.exit(f"FAIL: no push button named {browse_name!r}")
for _ in range(len(buttons) * 4):
    node = focused(window)
    if node is not None and node.name == browse_name:
        break
    key("Tab")
key("space")
chooser = wait_for(lambda: next((w for w in application() if w is not None
                                 and w.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FILE_CHOOSER)
                                 and w.name.startswith("Choose")), None),
                   "Space on Browse opened no file chooser", 15)
print("chooser:", chooser.name)
key("Escape")
