#!/usr/bin/env python3
"""Writes a program's manual page from a template and the program's own --help.

    manual_page.py PROGRAM TEMPLATE OUTPUT

The template holds the prose (description, exit status, files, environment); its comment line
'.\\" OPTIONS FROM --help' becomes the program's options as --help lists them, and its line
'.\\" COMMANDS FROM --help' every command --help lists, each with its usage, what it does and
its own options as "PROGRAM COMMAND --help" gives them. So the page cannot leave out a command
or an option the program has.
"""
import os
import re
import subprocess
import sys


def help_text(program, *command):
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen", LC_ALL="C.UTF-8")
    return subprocess.run([program, *command, "--help"], check=True, capture_output=True,
                          text=True, env=environment).stdout


def roff(text):
    """Text as roff shows it: backslashes and hyphens escaped, no line read as a request."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + text if text[:1] in (".", "'") else text


class Help:
    """The parts of a --help text: the description, the usage and the lists of entries
    ("Options:", "Subcommands:", ...), each entry a name and what it does."""

    def __init__(self, text):
        self.description, self.usage, self.lists = [], "", {}
        entries = None
        for line in text.splitlines():
            if line.startswith("Usage: "):
                self.usage = line[len("Usage: "):].strip()
            elif re.fullmatch(r"[A-Z][A-Za-z ]*:", line):
                entries = self.lists.setdefault(line[:-1], [])
            elif entries is not None and re.match(r"  \S", line):
                name, _, what = re.split(r"(\s{2,}|$)", line.strip(), maxsplit=1)
                entries.append([name, what.strip()])
            elif entries is not None and line.startswith("   ") and entries:
                entries[-1][1] = (entries[-1][1] + " " + line.strip()).strip()
            elif not line.strip():
                entries = None
            elif entries is None:
                self.description.append(line.strip())

    def entries(self, *titles):
        return [entry for title in titles for entry in self.lists.get(title, [])]


def tagged(entries, skip=()):
    lines = []
    for name, what in entries:
        if name not in skip:
            lines += [".TP", "\\fB" + roff(name) + "\\fR", roff(what)]
    return lines


def options_section(top):
    return tagged(top.entries("Options", "Arguments", "Positionals"))


def commands_section(program, top):
    lines = []
    for name, _ in top.entries("Subcommands"):
        command = Help(help_text(program, name))
        usage = command.usage.replace(program, os.path.basename(program), 1)
        lines += [".SS " + roff(name), ".B " + roff(usage), ".PP"]
        lines += [roff(line) for line in command.description]
        lines += tagged(command.entries("Positionals", "Options"), skip=("-h,--help",))
    return lines


def main(program, template, output):
    top = Help(help_text(program))
    sections = {'.\\" OPTIONS FROM --help': options_section(top),
                '.\\" COMMANDS FROM --help': commands_section(program, top)}
    with open(template, encoding="utf-8") as source:
        page = [line for text in source.read().splitlines() for line in sections.get(text, [text])]
    with open(output, "w", encoding="utf-8") as target:
        target.write("\n".join(page) + "\n")


if __name__ == "__main__":
    main(*sys.argv[1:])
