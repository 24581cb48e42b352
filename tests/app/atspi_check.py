# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks what the calculator's window says on the real AT-SPI bus in one view.

Usage: atspi_check.py compact|large [keypad|nokeypad]. With keypad, the keypad window must be
on the bus as a window of its own; with nokeypad, it must not be showing. Looks for up to ten
seconds (the tree fills in as the program starts and as the view changes); prints every
mismatch of the last look and exits 1 if one remains.
"""
import os
import sys
import time

import pyatspi

VIEW = sys.argv[1]
LARGE = VIEW == "large"
KEYPAD = sys.argv[2] if len(sys.argv) > 2 else None

# name: (role, states it must have, states it must not have)
EXPECTED = {
    "X entry": ("text", {"editable", "showing", "visible"}, {"read only"}),
    "Y register": ("text", {"read only", "showing"}, {"editable"}),
    "Z register": ("text", {"read only", "showing"}, {"editable"}),
    "T register": ("text", {"read only", "showing"}, {"editable"}),
    "Enter": ("push button", {"showing"}, set()),
}
TRIG_AREA = ["sin (x)", "cos (x)", "tan (x)", "Degrees", "deg>rad", "log(x)", "ln (x)",
             "asin(x)", "acos(x)", "atan(x)", "deg/rad", "rad>deg", "10^x", "e^x"]
SEEN_IN_VIEW = {"showing", "visible"}
for name in TRIG_AREA:
    role = "label" if name == "Degrees" else "push button"
    EXPECTED[name] = (role, SEEN_IN_VIEW, set()) if LARGE else (role, set(), SEEN_IN_VIEW)
DESCRIBED = {"Enter": "Push X onto the stack", "sin (x)": "X = sin(X)", "e^x": "X = e^X"}


def calculator_windows():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and "rpncalc" in (app.name or "").lower():
            return [app.getChildAtIndex(i) for i in range(app.childCount)]
    return []


def calculator_frame():
    for child in calculator_windows():
        if child is not None and child.name == os.environ["RPNCALC_CAPTION"]:
            return child
    return None


def keypad_mismatches():
    """The keypad is a window beside the main one, never a filler, and shows only when shown."""
    caption = os.environ["RPNCALC_CAPTION"]
    keypads = [w for w in calculator_windows() if w is not None and w.name != caption]
    showing = [w for w in keypads
               if pyatspi.STATE_SHOWING in w.getState().getStates()]
    if KEYPAD == "keypad":
        if not showing:
            return ["no keypad window showing"]
        return [f"keypad window role '{w.getRoleName()}', not 'window' or 'frame'"
                for w in showing if w.getRoleName() not in ("window", "frame")]
    return [f"keypad window '{w.name}' showing while hidden" for w in showing]


def mismatches():
    frame = calculator_frame()
    if frame is None:
        return ["no calculator window on the bus"]
    found = []
    if frame.getRoleName() != "frame":
        found.append(f"main window role '{frame.getRoleName()}', not 'frame'")
    controls = {}
    for i in range(frame.childCount):
        child = frame.getChildAtIndex(i)
        controls[child.name] = child
    for name, (role, having, lacking) in EXPECTED.items():
        control = controls.get(name)
        if control is None:
            found.append(f"no control '{name}'")
            continue
        states = {pyatspi.stateToString(s) for s in control.getState().getStates()}
        if control.getRoleName() != role:
            found.append(f"'{name}': role '{control.getRoleName()}', not '{role}'")
        if having - states:
            found.append(f"'{name}' lacks {sorted(having - states)} in the {VIEW} view")
        if lacking & states:
            found.append(f"'{name}' says {sorted(lacking & states)} in the {VIEW} view")
    for name, description in DESCRIBED.items():
        control = controls.get(name)
        if control is not None and control.description != description:
            found.append(f"'{name}' described as '{control.description}'")
    if KEYPAD is not None:
        found += keypad_mismatches()
    return found


deadline = time.monotonic() + 10
while True:
    problems = mismatches()
    if not problems or time.monotonic() > deadline:
        break
    time.sleep(0.2)
for problem in problems:
    print(problem, file=sys.stderr)
sys.exit(1 if problems else 0)
