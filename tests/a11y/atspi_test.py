#!/usr/bin/python3
# Reads the window program through the desktop's accessibility bus as a screen reader does:
# the welcome page's instructions, and a results cell with its row and column headers.
#   atspi_test.py WINDOW_PROGRAM
# Exits 77 (skipped) when the accessibility packages are not installed.
import os
import subprocess
import sys
import time

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


def main():
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    window = subprocess.Popen([sys.argv[1]], env=env, stdout=subprocess.PIPE, text=True)
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
        for failure in failures:
            print(failure)
        return 1 if failures else 0
    finally:
        window.kill()
        window.wait()


if __name__ == "__main__":
    sys.exit(main())
