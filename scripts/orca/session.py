#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a blind user hears: runs the program beside Orca and drives it by keys.

Started by scripts/screen-reader inside a virtual display and a D-Bus session
of its own. Starts the accessibility bus, a window manager, the program under
Italian settings and Orca (speech through speech-dispatcher, whose dummy
module stands in where there is no sound), types a pair of fixes and the
sexagesimal rows, walks back through the cells, selects inside one, presses
Alt+G and Alt+C, presses Return on the focused Calcola button, and
reads Orca's debug file, where every utterance is a "SPEECH OUTPUT" line.
Exits 1 when Orca did not say what a user needs to hear.
"""
import datetime
import os
import re
import subprocess
import sys
import time

PROGRAM, WORK = sys.argv[1], sys.argv[2]
LOG = os.path.join(WORK, "orca.log")
HINT = "Utilizzare la VIRGOLA come separatore decimale"

# Tab order of the input cells, with what is typed into each.
INPUTS = [
    ("NORD, posizione 1", "45,4642"), ("EST, posizione 1", "9,19"),
    ("Ore, posizione 1", "10"), ("Minuti, posizione 1", "0"), ("Secondi, posizione 1", "0"),
    ("NORD, posizione 2", "45,07"), ("EST, posizione 2", "7,68"),
    ("Ore, posizione 2", "11"), ("Minuti, posizione 2", "29"), ("Secondi, posizione 2", "0"),
    ("N gradi, posizione 1", "45"), ("N primi, posizione 1", "27"), ("N secondi, posizione 1", "51,12"),
    ("E gradi, posizione 1", "9"), ("E primi, posizione 1", "11"), ("E secondi, posizione 1", "24"),
    ("N gradi, posizione 2", "45"), ("N primi, posizione 2", "4"), ("N secondi, posizione 2", "12"),
    ("E gradi, posizione 2", "7"), ("E primi, posizione 2", "40"), ("E secondi, posizione 2", "48"),
]
# Shift+Tab from the first cell goes round to the last result cells.
RESULTS_BACKWARDS = ["Tempo in sec, posizione 2", "Tempo in sec, posizione 1", "T (sec)",
                     "Velocità Km/h", "Velocità m/s", "Distanza m", "Distanza Km"]

failures = []
checks = []
children = []


def now():
    return datetime.datetime.now().strftime("%H:%M:%S.%f")


def start(args, **env):
    process = subprocess.Popen(args, env={**os.environ, **env}, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    children.append(process)
    return process


def key(*keys):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "60", text], check=True)


def speech(since, until="99"):
    """Every utterance between two time stamps."""
    spoken = []
    with open(LOG, encoding="utf-8", errors="replace") as log:
        for line in log:
            match = re.match(r"(\d\d:\d\d:\d\d\.\d+) - SPEECH OUTPUT: '(.*?)' ?\{", line)
            if match and since <= match.group(1) < until:
                spoken.append(match.group(2))
    return spoken


def wait_for(predicate, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if predicate():
            return True
        time.sleep(0.2)
    return False


def heard_after(mark, expected, seconds=8):
    """What was said since `mark`, once something containing `expected` has
    been said (or the time is up) and Orca has had a moment to finish."""
    wait_for(lambda: any(expected in s for s in speech(mark)), seconds)
    time.sleep(0.6)
    return speech(mark, now())


def settle(quiet=1.0, seconds=15):
    """Waits until Orca has said nothing new for `quiet` seconds."""
    deadline = time.monotonic() + seconds
    count = len(speech("00"))
    while time.monotonic() < deadline:
        time.sleep(quiet)
        latest = len(speech("00"))
        if latest == count:
            return
        count = latest


def check(condition, what, heard):
    checks.append(what)
    print(("ok    " if condition else "FAIL  ") + what)
    print("      heard: " + " | ".join(heard))
    if not condition:
        failures.append(what)


def whole(value, heard):
    """The value spoken whole, and no utterance that is the value short of its
    last character ("9,19 ... 9,1 selected" was the fault)."""
    if not re.search(r"(?<![\d,.]){}(?![\d,.])".format(re.escape(value)), " ".join(heard)):
        return False
    short = re.compile(r"{}(?![\d,.])".format(re.escape(value[:-1])))
    return len(value) < 2 or not any(short.match(s) for s in heard)


def once(value, heard):
    """The value spoken exactly once (it was heard twice on every Tab)."""
    return len(re.findall(r"(?<![\d,.]){}(?![\d,.])".format(re.escape(value)), " ".join(heard))) == 1


def described(name):
    """A piece of the description that the cell called `name` carries."""
    for prefix, words in (("NORD", "in gradi"), ("EST", "in gradi"), ("N ", "Latitudine nord"),
                          ("E ", "Longitudine est")):
        if name.startswith(prefix):
            return words
    return "Orario della posizione"


# What Orca says of a selection that is gone ("Testo non selezionato").
UNSELECTED = re.compile(r"non selezionato|unselected|not selected", re.IGNORECASE)


def cell_text(name):
    """A cell's text as the accessibility bus has it, found by its name."""
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None or app.name != "zelvamirontica":
            continue
        found = pyatspi.findDescendant(
            app, lambda o: o.getRoleName() == "text" and o.name == name)
        if found:
            return found.queryText().getText(0, -1)
    return None


def main():
    run = os.path.join(WORK, "run")
    start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    time.sleep(1)
    start(["openbox"])
    time.sleep(1)
    start([PROGRAM], QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
          LANG="it_IT.UTF-8", LC_ALL="it_IT.UTF-8")
    if not wait_for(lambda: subprocess.run(["xdotool", "search", "--name", "^Zelvamirontica$"],
                                           capture_output=True).returncode == 0, 20):
        print("FAIL  the window did not appear")
        return 1
    opened = now()
    here = os.path.dirname(os.path.abspath(__file__))
    start(["orca", "-u", os.path.join(WORK, "prefs"), "-d", "braille", "-d", "braille-monitor",
           "--debug-file=" + LOG],
          PYTHONPATH=here, ZELVA_ORCA_LOG=LOG, XDG_RUNTIME_DIR=run)
    # Orca presents the active window when it starts.
    wait_for(lambda: os.path.exists(LOG) and any("Zelvamirontica" in s for s in speech(opened)), 30)
    window = subprocess.run(["xdotool", "search", "--name", "^Zelvamirontica$"],
                            capture_output=True, text=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowactivate", "--sync", window], check=False)
    settle()
    heard = speech(opened)
    check(any(HINT in s for s in heard), "the separator hint is spoken when the window opens", heard)

    # Type every input cell in tab order.
    for index, (_, value) in enumerate(INPUTS):
        if index:
            key("Tab")
        type_text(value)
    settle()  # the typed characters are echoed first

    # Back through them: each value spoken once and whole, with the cell's name
    # and description, as its cell gets the focus; nothing of the selection left behind.
    for name, value in reversed(INPUTS[:-1]):
        mark = now()
        key("shift+Tab")
        heard = heard_after(mark, name)
        check(whole(value, heard) and once(value, heard) and any(described(name) in s for s in heard)
              and not any(UNSELECTED.search(s) for s in heard),
              "'{}' reads {} once and whole, and its description".format(name, value), heard)

    # A selection made inside the cell is still heard: the last digit of 45,4642.
    key("End")
    settle()
    mark = now()
    key("shift+Left")
    heard = heard_after(mark, "2")
    check(bool(re.search(r"\b2\b.*(selezionat|selected)", " ".join(heard))),
          "Shift+Left in a cell says what it selected", heard)

    mark = now()
    key("alt+g")
    heard = heard_after(mark, "Coordinate:")
    for name in ("NORD, posizione 1", "EST, posizione 1", "NORD, posizione 2", "EST, posizione 2"):
        value = cell_text(name)
        check(bool(value) and any(value in s for s in heard),
              "Alt+G announces {} = {}".format(name, value), heard)

    mark = now()
    key("alt+c")
    heard = heard_after(mark, "Risultati:")
    km = cell_text("Distanza Km")
    check(bool(km) and any("Distanza Km " + km in s for s in heard),
          "Alt+C announces the distance in km as its cell shows it: {}".format(km), heard)

    # Round from the first cell to the results: each says it is a result.
    for name in RESULTS_BACKWARDS:
        mark = now()
        key("shift+Tab")
        heard = heard_after(mark, name)
        value = cell_text(name)
        check(any("Risultato" in s for s in heard) and bool(value) and whole(value, heard),
              "'{}' says it is a result and reads {} whole".format(name, value), heard)

    # Enter on a focused button presses it (Return: Orca keeps keypad Enter).
    for _ in range(3):  # from the first result back over Esci and Stampa to Calcola
        key("shift+Tab")
    mark = now()
    heard = heard_after(mark, "Calcola")
    mark = now()
    key("Return")
    heard += heard_after(mark, "Risultati:")
    check(any("Calcola" in s for s in heard) and any("Risultati:" in s for s in heard),
          "Return on the focused Calcola button computes and announces the results", heard)

    print("screen-reader: {} passed, {} failed".format(len(checks) - len(failures), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    status = 1
    try:
        status = main()
    finally:
        for child in reversed(children):
            child.terminate()
        for child in children:
            try:
                child.wait(5)
            except subprocess.TimeoutExpired:
                child.kill()
    sys.exit(status)
