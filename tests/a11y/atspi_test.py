#!/usr/bin/python3
# Reads the window program through the desktop's accessibility bus as a screen reader does:
# the welcome page's instructions, a results cell with its row and column headers, and the
# events of an entry wizard: each page named by its caption and question as the focus enters
# it, an answer said with its item, the gender choice named, the code-page hint on the page.
#   atspi_test.py WINDOW_PROGRAM
# Exits 77 (skipped) when the accessibility packages are not installed.
import os
import subprocess
import sys
import time

from gi.repository import GLib

try:
    import pyatspi
except ImportError:
    print("skipped: python3-pyatspi is not installed")
    sys.exit(77)

WELCOME = ("To complete an ACV Self-report or Observer-report on screen, please select from the "
           "pull-down menu in the toolbar above:")


# The first object of `role` and `name` on screen (the main window's view hides its results).
def find(root, role, name):
    return pyatspi.findDescendant(root, lambda node: node is not None and
                                  node.getRole() == role and node.name == name and
                                  node.getState().contains(pyatspi.STATE_SHOWING))


def application(pid, deadline):
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == pid and app.childCount >= 2:
                return app
        time.sleep(0.1)
    return None


# The results table taken into, then the wizard driven from its first page to the first
# statements, where "3" answers item 1.
WIZARD_RUN = ["results", "wizard", "next", "next", "next", "key 3"]


def start_window(program):
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    return subprocess.Popen([program], env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            text=True)


def send_commands(window, commands, pause_ms=800):
    """Sends `commands` one by one, `pause_ms` apart, running the event loop meanwhile."""
    left = list(commands)

    def step():
        if not left:
            pyatspi.Registry.stop()
            return False
        window.stdin.write(left.pop(0) + "\n")
        window.stdin.flush()
        return True

    GLib.timeout_add(pause_ms, step)
    pyatspi.Registry.start()


def ancestors(node):
    names = []
    node = node.parent
    while node is not None and node.getRole() != pyatspi.ROLE_APPLICATION:
        if node.getRole() == pyatspi.ROLE_PANEL and node.name:
            names.append(node.name)
        node = node.parent
    return names


def main():
    window = start_window(sys.argv[1])
    try:
        if window.stdout.readline().strip() != "ready":
            print("the window program did not start")
            return 1
        app = application(window.pid, time.time() + 10)
        if app is None:
            print("the window program is not on the accessibility bus")
            return 1
        failures = []

        def check(what, got, expected):
            if got != expected:
                failures.append(f"{what}: {got!r}, expected {expected!r}")

        welcome = find(app, pyatspi.ROLE_LABEL, WELCOME)
        check("welcome text found", welcome is not None, True)

        results = find(app, pyatspi.ROLE_TABLE, "Results of the disorder screens")
        check("results table found", results is not None, True)
        if results is not None:
            table = results.queryTable()
            check("rows", table.nRows, 27)
            check("columns", table.nColumns, 6)
            score = table.getAccessibleAt(0, 2)
            check("self score", score.name, "2 5")
            check("its row header", table.getRowHeader(0).name, "Generalised anxiety disorder")
            check("its column header", table.getColumnHeader(2).name, "Self-Report Score")
            check("cutoff attained", table.getAccessibleAt(0, 4).name, "YES")
            check("its column header", table.getColumnDescription(4), "Cutoff Attained")
        heard = []

        def listen(event):
            try:
                source = event.source
                if event.type.endswith("focused") and event.detail1:
                    heard.append(("focus", source.name, ancestors(source)))
                elif event.type.endswith("showing") and event.detail1 and \
                        source.getRole() == pyatspi.ROLE_NOTIFICATION:
                    heard.append(("notification", source.name, []))
            except Exception:  # an object gone before it was read
                pass

        pyatspi.Registry.registerEventListener(listen, "object:state-changed:focused",
                                               "object:state-changed:showing")
        send_commands(window, WIZARD_RUN)
        for entry in heard:
            print(*entry)
        pages = [panels[-1] for kind, _, panels in heard if kind == "focus" and panels]
        check("page 2 named on entering it",
              any(page.startswith("ACV Page 2 of 24: ") for page in pages), True)
        check("page 4 named on entering it",
              any(page.startswith("ACV Page 4 of 24") for page in pages), True)
        check("the answer said with its item",
              ("notification", "Item 1: Regularly", []) in heard, True)
        gender = pyatspi.findDescendant(app, lambda node: node is not None and
                                        node.getRole() == pyatspi.ROLE_PANEL and
                                        node.name == "Gender")
        check("the gender choice named", gender is not None and gender.childCount, 2)
        details = pyatspi.findDescendant(app, lambda node: node is not None and
                                         node.getRole() == pyatspi.ROLE_PANEL and
                                         node.name.startswith("ACV Page 3 of 24"))
        first_name = pyatspi.findDescendant(app, lambda node: node is not None and
                                            node.getRole() == pyatspi.ROLE_TEXT and
                                            node.name.startswith("First Name"))
        check("the hint on the details page", details is not None and
              details.description.startswith("Letters, digits"), True)
        check("no hint on its boxes", first_name is not None and first_name.description, "")
        for failure in failures:
            print(failure)
        return 1 if failures else 0
    finally:
        window.kill()
        window.wait()


if __name__ == "__main__":
    sys.exit(main())
