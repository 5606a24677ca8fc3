#!/usr/bin/python3
# Runs the screen reader itself over the window program's entry wizard and results, and reads
# what it says from its debug log (it logs each utterance whether or not a voice is present):
# a page change says the page's caption and question, an answer its item and value, and a
# results cell its value with its headers. Prints every utterance for the record.
#   orca_test.py WINDOW_PROGRAM
# Exits 77 (skipped) when the screen reader or the accessibility packages are not installed.
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

if shutil.which("orca") is None:
    print("skipped: the orca screen reader is not installed")
    sys.exit(77)
try:
    import atspi_test
except ImportError:
    print("skipped: python3-pyatspi is not installed")
    sys.exit(77)


def utterances(log):
    with open(log, encoding="utf-8", errors="replace") as lines:
        return re.findall(r"SPEECH OUTPUT: '(.*?)'", lines.read())


def wait_until_said(log, pattern, limit=30, quiet=1.5):
    """Waits until the reader has said a line matching `pattern` and then said nothing more
    for `quiet` seconds, or `limit` seconds have passed."""
    deadline = time.time() + limit
    while time.time() < deadline and not any(re.search(pattern, line) for line in utterances(log)):
        time.sleep(0.2)
    said, still = -1, time.time()
    while time.time() < deadline and time.time() - still < quiet:
        if len(utterances(log)) != said:
            said, still = len(utterances(log)), time.time()
        time.sleep(0.2)


def stop(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def main():
    folder = tempfile.mkdtemp()
    log = os.path.join(folder, "orca.log")
    env = dict(os.environ, XDG_CONFIG_HOME=folder, XDG_DATA_HOME=folder)
    reader = subprocess.Popen(["orca", "--replace", "--debug-file", log], env=env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    window = None
    try:
        deadline = time.time() + 20
        while time.time() < deadline and "Screen reader on." not in (
                utterances(log) if os.path.exists(log) else []):
            time.sleep(0.2)
        window = atspi_test.start_window(sys.argv[1])
        if window.stdout.readline().strip() != "ready":
            print("the window program did not start")
            return 1
        time.sleep(2)
        # A listener hears the item page out before answering it: the answer is typed once the
        # reader has said the page and gone quiet, as the reader may lag behind on a busy machine
        # and drop an announcement that reaches it in the middle of a long page.
        atspi_test.send_commands(window, atspi_test.WIZARD_RUN[:-1], pause_ms=1500)
        wait_until_said(log, r"^ACV Page 4 of 24: ")
        atspi_test.send_commands(window, atspi_test.WIZARD_RUN[-1:], pause_ms=1500)
        # It is given half a minute to catch up.
        expected = [("a page change", r"^ACV Page 2 of 24: .+ panel\.?$"),
                    ("an answer", r"Item 1: Regularly"),
                    ("a results cell", r"Generalised anxiety disorder")]

        def missing():
            said = utterances(log)
            return [(what, pattern) for what, pattern in expected
                    if not any(re.search(pattern, line) for line in said)]

        deadline = time.time() + 30
        while missing() and time.time() < deadline:
            time.sleep(0.5)
        stop(reader)
        for line in utterances(log):
            print("said:", line)
        failures = [f"{what} was not said ({pattern})" for what, pattern in missing()]
        for failure in failures:
            print(failure)
        return 1 if failures else 0
    finally:
        if window is not None:
            window.kill()
            window.wait()
        stop(reader)
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
