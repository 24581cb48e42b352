#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Start-up, memory, keystroke and closing benchmark of rpncalc against the toolkit's floor.

Both programs run under the same Xvfb, in interleaved rounds (floor, rpncalc, floor, ...), each
from a folder of its own so that rpncalc's session file lies beside its copy. The figures come
from the X server itself:

  start-up    spawn to the first complete paint of the main window: the window is found by its
              title when it is mapped, and painted once the DAMAGE extension has reported
              rectangles that together cover the whole window;
  memory      VmRSS and VmHWM from /proc/<pid>/status half a second after that paint;
  keystroke   an XTEST key press of a digit into the focused entry field, to the first
              DamageNotify on the window after it (the caret's blink not counted);
  closing     a WM_DELETE_WINDOW client message (no window manager runs under Xvfb), to the
              return of waitpid, the session save included.

The at-size cases then paste a clipboard text of the paste limit (64 KiB) and a 60,000-character
entry and commit them, timing each step to its repaint and the keystroke right after it. The
refusal cases offer a 50 MB text, which the calculator refuses, to every way of pasting (Ctrl+V,
the Paste button, Shift+Insert, a middle-click on the primary selection, the X field's context
menu, a drop from another program by the XDND protocol, whose 50 MB are announced): the paste
to the X field's repaint for a digit typed (or a click into the field) right after it, and the
peak memory (VmHWM) over the idle figure; then the same ways with an owner of the selection
(or the drag) that never answers.

Run it through bench/run.sh, which installs what is missing and builds first. Nothing here is
a pass/fail test: the targets are reported, never asserted.
"""

import argparse
import json
import os
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass, field

from Xlib import X, XK, Xatom, error
from Xlib import display as xdisplay
from Xlib.ext import damage, xtest
from Xlib.protocol import event as xevent

FLOOR_TITLE = "rpncalc floor"


class Layout:
    """The main window's caption, designed width and control rectangles, as the build's
    rpncalc-layout prints them."""

    def __init__(self, tool):
        self.caption = None
        self.width = None
        self.controls = {}
        for line in subprocess.run([tool], capture_output=True, text=True,
                                   check=True).stdout.splitlines():
            kind, _, rest = line.partition(" ")
            if kind == "caption":
                self.caption = rest
            elif kind == "client":
                self.width = int(rest.split()[0])
            elif kind == "control":
                name, *rect = rest.split()
                self.controls[name] = tuple(int(v) for v in rect)
        if self.caption is None or self.width is None:
            sys.exit(f"{tool} printed no caption or client size")

    def rect(self, name):
        if name not in self.controls:
            sys.exit(f"the layout has no control {name}")
        return self.controls[name]

    def centre(self, name):
        left, top, width, height = self.rect(name)
        return (left + width // 2, top + height // 2)


# The main window's layout, read once the command line names the tool (main()).
LAYOUT = None

# Layout is designed at 120 pixels per inch; giving Qt that resolution keeps both windows at
# their designed pixel sizes whatever Xvfb reports as the screen's physical size.
XFT_DPI = 120

# Widest repaint of a blinking text caret (13 pixels at 120 pixels per inch).
CARET_WIDTH = 20

MB = 1 << 20
# The longest clipboard text the calculator pastes.
PASTE_LIMIT = 64 * 1024
REFUSED_TEXT = 50 * 1000 * 1000


def now():
    return time.perf_counter()


def ms(seconds):
    return seconds * 1000.0


def number_text(length):
    """A readable number of exactly `length` characters: 0.1234567890123..."""
    digits = "1234567890" * (length // 10 + 1)
    return "0." + digits[: length - 2]


@dataclass
class Role:
    name: str
    executable: str
    title: str
    args: list = field(default_factory=list)
    companions: list = field(default_factory=list)
    folder: str = ""
    is_floor: bool = False


@dataclass
class Window:
    wid: int
    damage: int
    mapped_at: float = 0.0
    rects: list = field(default_factory=list)
    damage_times: list = field(default_factory=list)


class StepTimeout(Exception):
    pass


def covers(rects, width, height):
    """Whether the union of rectangles (x, y, w, h) covers the window 0,0..width,height."""
    if width <= 0 or height <= 0:
        return False
    xs = sorted({0, width} | {min(max(r[0], 0), width) for r in rects}
                | {min(max(r[0] + r[2], 0), width) for r in rects})
    ys = sorted({0, height} | {min(max(r[1], 0), height) for r in rects}
                | {min(max(r[1] + r[3], 0), height) for r in rects})
    for x0, x1 in zip(xs, xs[1:]):
        if x0 == x1:
            continue
        for y0, y1 in zip(ys, ys[1:]):
            if y0 == y1:
                continue
            if not any(r[0] <= x0 and x1 <= r[0] + r[2] and r[1] <= y0 and y1 <= r[1] + r[3]
                       for r in rects):
                return False
    return True


class Xvfb:
    """An Xvfb on a display number that the server picks itself (-displayfd)."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = now() + 10
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], max(0.0, deadline - now()))
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                self.stop()
                sys.exit("Xvfb did not start")
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait()


class Clipboard:
    """Owns the CLIPBOARD selection (or PRIMARY) through xclip, which serves large texts
    incrementally."""

    def __init__(self, harness, workdir, selection="CLIPBOARD"):
        self.harness = harness
        self.workdir = workdir
        self.selection = selection
        self.process = None

    def set(self, text):
        path = os.path.join(self.workdir, "clipboard.txt")
        with open(path, "w", encoding="ascii") as f:
            f.write(text)
        previous = self.harness.clipboard_owner(self.selection)
        old = self.process
        self.process = subprocess.Popen(
            ["xclip", "-quiet", "-selection", self.selection.lower(), "-i", path],
            env=self.harness.child_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = now() + 5
        while self.harness.clipboard_owner(self.selection) in (previous, X.NONE):
            if now() > deadline:
                raise StepTimeout("xclip did not take the clipboard")
            time.sleep(0.005)
        if old is not None:
            old.wait()

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            self.process.terminate()
            self.process.wait()
        self.process = None


class SilentOwner:
    """Owns a selection on a connection of its own whose requests are never read, as a hung
    program does."""

    def __init__(self, display_name, selection):
        self.d = xdisplay.Display(display_name)
        window = self.d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        window.set_selection_owner(self.d.intern_atom(selection), X.CurrentTime)
        self.d.sync()

    def stop(self):
        self.d.close()


class DragOffer:
    """A drag from another program (the end-to-end tests' XDND source) that offers its text in
    the way `mode` says: "huge" announces 50 MB, "silent" never answers."""

    SOURCE = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                          "tests", "entry_ui", "drag_source.py")

    def __init__(self, harness, mode):
        self.harness = harness
        self.mode = [mode, str(REFUSED_TEXT)] if mode == "huge" else [mode]
        self.process = None

    def drop(self, window, point, timeout):
        """Drops at `point` on the screen; returns the time the drop went out."""
        self.process = subprocess.Popen(
            ["/usr/bin/python3", self.SOURCE, "--hold", str(window), str(point[0]),
             str(point[1])] + self.mode,
            env=self.harness.child_env, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.expect("hovering", timeout)
        # The drag's caret is drawn while it hovers: none of that counts.
        self.harness.drain(0.2)
        self.process.stdin.write("drop\n")
        self.process.stdin.flush()
        self.expect("dropped", timeout)
        return now()

    def expect(self, line, timeout):
        ready, _, _ = select.select([self.process.stdout], [], [], timeout)
        if not ready or self.process.stdout.readline().strip() != line:
            raise StepTimeout(f"the drag did not say '{line}'")

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            self.process.terminate()
            self.process.wait()


class Harness:
    def __init__(self, display_name, workdir):
        self.d = xdisplay.Display(display_name)
        self.d.set_error_handler(self._ignore_error)
        for ext in ("DAMAGE", "XTEST"):
            if not self.d.has_extension(ext):
                sys.exit(f"the X server lacks the {ext} extension")
        self.d.damage_query_version()
        self.root = self.d.screen().root
        self.screen_size = (self.d.screen().width_in_pixels, self.d.screen().height_in_pixels)
        self.root.change_property(self.d.intern_atom("RESOURCE_MANAGER"), Xatom.STRING, 8,
                                  f"Xft.dpi:\t{XFT_DPI}\n".encode())
        # Structure notify as well: the toolkit answers pings with an event sent to that mask.
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask | X.StructureNotifyMask)
        self.atom = {name: self.d.intern_atom(name) for name in
                     ("WM_PROTOCOLS", "WM_DELETE_WINDOW", "_NET_WM_PING", "_NET_WM_NAME",
                      "UTF8_STRING", "CLIPBOARD", "PRIMARY")}
        self.ping_token = 0
        self.damage_event = self.d.extension_event.DamageNotify
        self.windows = {}
        self.map_log = []
        self.d.sync()
        self.park_pointer()
        runtime = os.path.join(workdir, "runtime")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        self.child_env = {k: v for k, v in os.environ.items()
                          if not k.startswith("QT_") and k not in ("WAYLAND_DISPLAY",)}
        self.child_env.update(DISPLAY=display_name, QT_QPA_PLATFORM="xcb",
                              XDG_RUNTIME_DIR=runtime)

    @staticmethod
    def _ignore_error(err, *args):
        # Windows come and go while damage objects are created on them; errors about a window
        # that has just gone away are expected and harmless.
        if not isinstance(err, (error.BadWindow, error.BadDrawable, damage.BadDamageError)):
            print(f"X error: {err}", file=sys.stderr)

    # --- events --------------------------------------------------------------------------

    def next_event(self, deadline):
        while True:
            if self.d.pending_events():
                ev = self.d.next_event()
                self._track(ev, now())
                return ev
            remaining = deadline - now()
            if remaining <= 0:
                return None
            select.select([self.d], [], [], remaining)

    def _track(self, ev, t):
        if ev.type == X.CreateNotify and ev.parent == self.root:
            win = self.d.create_resource_object("window", ev.window.id)
            dmg = win.damage_create(damage.DamageReportRawRectangles)
            self.windows[ev.window.id] = Window(ev.window.id, dmg)
        elif ev.type == X.MapNotify and ev.event == self.root:
            self.map_log.append((ev.window.id, self.describe_window(ev.window.id)))
            w = self.windows.get(ev.window.id)
            if w is not None:
                w.mapped_at = t
        elif ev.type == X.DestroyNotify and ev.event == self.root:
            w = self.windows.pop(ev.window.id, None)
            if w is not None:
                self.d.display.free_resource_id(w.damage)
        elif ev.type == self.damage_event:
            w = self.windows.get(ev.drawable.id)
            if w is not None and w.mapped_at:
                a = ev.area
                w.rects.append((a.x, a.y, a.width, a.height))
                w.damage_times.append(t)

    def pump(self):
        """Reads the events that have arrived, without waiting."""
        while self.d.pending_events():
            self._track(self.d.next_event(), now())

    def drain(self, quiet):
        """Reads events until none has come for `quiet` seconds."""
        while self.next_event(now() + quiet) is not None:
            pass

    def wait_damage(self, window, timeout):
        """Time of the first damage on `window` reported from now on that is wider than the
        text caret: the caret's blink repaints only its own narrow strip, and must not be
        taken for the answer to a key."""
        seen = len(window.damage_times)
        deadline = now() + timeout
        while True:
            while len(window.damage_times) == seen:
                if self.next_event(deadline) is None:
                    raise StepTimeout(f"no repaint within {timeout:.0f} s")
            if window.rects[seen][2] > CARET_WIDTH:
                return window.damage_times[seen]
            seen += 1

    def wait_damage_in(self, window, area, timeout):
        """Time of the first damage on `window` reported from now on that meets `area`
        (x, y, width, height) and is wider than the text caret: a button's own repaint
        elsewhere, or the caret's blink, is not the answer."""
        seen = len(window.damage_times)
        deadline = now() + timeout
        x, y, w, h = area
        while True:
            while len(window.damage_times) == seen:
                if self.next_event(deadline) is None:
                    raise StepTimeout(f"no repaint within {timeout:.0f} s")
            rx, ry, rw, rh = window.rects[seen]
            if rw > CARET_WIDTH and rx < x + w and x < rx + rw and ry < y + h and y < ry + rh:
                return window.damage_times[seen]
            seen += 1

    def describe_window(self, wid):
        """Title, class and size of a window that came up, for the report."""
        win = self.d.create_resource_object("window", wid)
        try:
            wm_class = win.get_wm_class()
            g = win.get_geometry()
            popup = win.get_attributes().override_redirect
        except error.XError:
            return "(gone)"
        kind = "popup" if popup else "window"
        return f"{kind} {self.title(wid)!r} {wm_class} {g.width}x{g.height}"

    def title(self, wid):
        win = self.d.create_resource_object("window", wid)
        try:
            prop = win.get_full_property(self.atom["_NET_WM_NAME"], self.atom["UTF8_STRING"])
            if prop is None:
                prop = win.get_full_property(Xatom.WM_NAME, X.AnyPropertyType)
        except error.XError:
            return None
        if prop is None:
            return None
        value = prop.value
        return value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)

    # --- input ---------------------------------------------------------------------------

    def park_pointer(self):
        # Out of every window, so that no hover highlight or tooltip repaints during a
        # measurement.
        xtest.fake_input(self.d, X.MotionNotify, x=self.screen_size[0] - 1,
                         y=self.screen_size[1] - 1)
        self.d.sync()

    def keycode(self, keysym_name):
        return self.d.keysym_to_keycode(XK.string_to_keysym(keysym_name))

    def key(self, keysym_name, press):
        xtest.fake_input(self.d, X.KeyPress if press else X.KeyRelease, self.keycode(keysym_name))
        self.d.flush()

    def focus(self, window):
        self.d.set_input_focus(window.wid, X.RevertToParent, X.CurrentTime)
        self.d.flush()

    def clipboard_owner(self, selection="CLIPBOARD"):
        owner = self.d.get_selection_owner(self.atom[selection])
        return owner.id if hasattr(owner, "id") else owner

    def ping(self, window, timeout):
        """Round trip of a _NET_WM_PING, which the toolkit answers from its event loop."""
        self.ping_token += 1
        ev = xevent.ClientMessage(
            window=self.d.create_resource_object("window", window.wid),
            client_type=self.atom["WM_PROTOCOLS"],
            data=(32, [self.atom["_NET_WM_PING"], self.ping_token, window.wid, 0, 0]))
        t0 = now()
        self.d.send_event(window.wid, ev, event_mask=0)
        self.d.flush()
        deadline = t0 + timeout
        while True:
            answer = self.next_event(deadline)
            if answer is None:
                return None
            if (answer.type == X.ClientMessage and answer.window.id == self.root.id
                    and list(answer.data[1][:2]) == [self.atom["_NET_WM_PING"],
                                                      self.ping_token]):
                return now() - t0

    def close_window(self, window):
        ev = xevent.ClientMessage(
            window=self.d.create_resource_object("window", window.wid),
            client_type=self.atom["WM_PROTOCOLS"],
            data=(32, [self.atom["WM_DELETE_WINDOW"], X.CurrentTime, 0, 0, 0]))
        self.d.send_event(window.wid, ev, event_mask=0)
        self.d.flush()


class Launch:
    """One run of one program: spawned, painted, and finally closed."""

    def __init__(self, harness, role, timeout=30):
        self.h = harness
        self.role = role
        self.window = None
        self.first_damage = None
        t0 = now()
        self.process = subprocess.Popen(
            [role.executable] + role.args, cwd=role.folder, env=harness.child_env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = t0 + timeout
        painted = None
        while painted is None:
            ev = harness.next_event(deadline)
            if ev is None:
                self.kill()
                raise StepTimeout(f"no painted main window within {timeout} s")
            if self.window is None and ev.type == X.MapNotify and ev.event == harness.root:
                w = harness.windows.get(ev.window.id)
                if w is not None and harness.title(w.wid) == role.title:
                    self.window = w
            if self.window is not None and self.window.rects:
                if self.first_damage is None:
                    self.first_damage = self.window.damage_times[0] - t0
                if ev.type == harness.damage_event and ev.drawable.id == self.window.wid:
                    g = ev.drawable_geometry
                    if covers(self.window.rects, g.width, g.height):
                        painted = self.window.damage_times[-1]
                        self.painted_at = painted
                        self.size = (g.width, g.height)
        self.startup = painted - t0
        self.mapped = self.window.mapped_at - t0

    def memory(self):
        values = {}
        with open(f"/proc/{self.process.pid}/status") as f:
            for line in f:
                key, _, rest = line.partition(":")
                if key in ("VmRSS", "VmHWM"):
                    values[key] = int(rest.split()[0]) / 1024.0  # MiB
        return values

    def activate(self):
        self.h.focus(self.window)
        self.h.drain(0.3)

    def keystroke(self, keysym_name, timeout=2.0, modifiers=()):
        for m in modifiers:
            self.h.key(m, True)
        t0 = now()
        self.h.key(keysym_name, True)
        try:
            t1 = self.h.wait_damage(self.window, timeout)
        finally:
            self.h.key(keysym_name, False)
            for m in reversed(modifiers):
                self.h.key(m, False)
        return t1 - t0

    def click(self, point, timeout, button=1):
        x, y = point
        xtest.fake_input(self.h.d, X.MotionNotify, x=x, y=y)
        xtest.fake_input(self.h.d, X.ButtonPress, button)
        self.h.d.flush()
        self.h.drain(0.05)  # hover and pressed look
        t0 = now()
        xtest.fake_input(self.h.d, X.ButtonRelease, button)
        self.h.d.flush()
        try:
            return self.h.wait_damage(self.window, timeout) - t0
        finally:
            self.h.park_pointer()
            self.h.drain(0.05)

    def close(self, timeout=10):
        """Close request to process exit. The exit is seen through a pidfd, so that the X
        events of the closing (a message box that blocks it, say) are read meanwhile."""
        pidfd = os.pidfd_open(self.process.pid)
        seen = len(self.h.map_log)
        try:
            t0 = now()
            self.h.close_window(self.window)
            deadline = t0 + timeout
            while True:
                ready, _, _ = select.select([pidfd, self.h.d], [], [],
                                            max(0.0, deadline - now()))
                if pidfd in ready:
                    self.process.wait()
                    t1 = now()
                    break
                if not ready:
                    shown = [d for wid, d in self.h.map_log[seen:]]
                    self.kill()
                    raise StepTimeout(f"did not end on its own within {timeout} s"
                                      + (f"; shown meanwhile: {shown}" if shown else ""))
                self.h.pump()
        finally:
            os.close(pidfd)
        self.h.drain(0.05)
        if self.process.returncode != 0:
            raise StepTimeout(f"exit status {self.process.returncode}")
        return t1 - t0

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def measure_round(harness, role, keystrokes):
    launch = Launch(harness, role)
    try:
        time.sleep(max(0.0, launch.painted_at + 0.5 - now()))
        mem = launch.memory()
        launch.activate()
        launch.keystroke("5")  # the first key may lift the stack; not counted
        harness.drain(0.03)
        keys = []
        for _ in range(keystrokes):
            keys.append(launch.keystroke("5"))
            # Less than the caret's blink period between keys, so that no blink repaint
            # can be taken for the answer to the next one.
            harness.drain(0.02)
        closing = launch.close()
    except StepTimeout as e:
        launch.kill()
        raise StepTimeout(f"{role.name}: {e}") from None
    except BaseException:
        launch.kill()
        raise
    return {"startup": launch.startup, "mapped": launch.mapped,
            "first_damage": launch.first_damage, "size": launch.size,
            "rss": mem["VmRSS"], "hwm": mem["VmHWM"], "keys": keys, "closing": closing}


AT_SIZE_STEPS = [
    # (key, label, runs on the floor too)
    ("paste_1mb", "Ctrl+V of a 64 KiB clipboard text", True),
    ("key_after_paste_1mb", "  keystroke right after it", True),
    ("enter_1mb", "Enter committing that 64 KiB entry", False),
    ("paste_100k", "Ctrl+V of a 60,000-character text", True),
    ("enter_100k", "Enter committing the 60,000-character entry", False),
    ("key_after_enter_100k", "  keystroke right after it", False),
    ("paste_button_1mb", "Paste button with 64 KiB on the clipboard", False),
    ("key_after_paste_button", "  keystroke right after it", False),
    ("closing_at_size", "closing after the at-size steps", True),
]


def measure_at_size(harness, role, clipboard, timeout):
    """The entry and the clipboard at size: every step is timed to its repaint, and after it
    a window-manager ping tells whether the program's event loop still answers. A failing run
    keeps the steps done before it and says what went wrong."""
    big = number_text(PASTE_LIMIT)
    entry = number_text(60_000)
    out = {}
    launch = Launch(harness, role)

    def settle():
        # Until the program has handled everything sent so far and painted it: its answer to a
        # ping comes after the events before it, and the repaints it posted follow shortly.
        harness.drain(0.1)
        answer = harness.ping(launch.window, timeout)
        if answer is None:
            raise StepTimeout(f"stopped answering (no answer to a ping within {timeout} s)")
        harness.drain(0.05)
        return answer

    def step(key, action):
        seen = len(harness.map_log)
        try:
            out[key] = action()
        except StepTimeout:
            out[key] = None  # no visible answer; the ping tells idle from hung
        out[key + "_ping"] = settle()
        others = [title for wid, title in harness.map_log[seen:] if wid != launch.window.wid]
        if others:
            raise StepTimeout(f"{others} came up at the step '{key}'")

    def select_all():
        # The floor's field keeps its caret after a paste; the calculator's own rules leave
        # the X text fully selected after start-up and after Enter, where each paste lands.
        if role.is_floor:
            launch.keystroke("a", timeout, ("Control_L",))
            settle()

    try:
        launch.activate()
        clipboard.set(big)
        select_all()
        step("paste_1mb", lambda: launch.keystroke("v", timeout, ("Control_L",)))
        step("key_after_paste_1mb", lambda: launch.keystroke("7", timeout))
        if not role.is_floor:
            step("enter_1mb", lambda: launch.keystroke("Return", timeout))
        clipboard.set(entry)
        select_all()
        step("paste_100k", lambda: launch.keystroke("v", timeout, ("Control_L",)))
        if not role.is_floor:
            step("enter_100k", lambda: launch.keystroke("Return", timeout))
            step("key_after_enter_100k", lambda: launch.keystroke("3", timeout))
            clipboard.set(big)
            scale = launch.size[0] / LAYOUT.width
            paste_button = LAYOUT.centre("ButtonPaste")
            point = (round(paste_button[0] * scale), round(paste_button[1] * scale))
            step("paste_button_1mb", lambda: launch.click(point, timeout))
            step("key_after_paste_button", lambda: launch.keystroke("4", timeout))
        out["closing_at_size"] = launch.close(timeout)
        if not role.is_floor:
            out["session"] = check_session(role)
    except StepTimeout as e:
        out["error"] = f"{role.name}: {e}"
        launch.kill()
    except BaseException:
        launch.kill()
        raise
    finally:
        clipboard.stop()
    return out


# The ways of pasting into the X field, and the selection each reads.
PASTE_WAYS = (("Ctrl+V", "CLIPBOARD"), ("Paste button", "CLIPBOARD"),
              ("Shift+Insert", "CLIPBOARD"), ("middle-click", "PRIMARY"),
              ("context menu", "CLIPBOARD"), ("drop", "XdndSelection"))


def paste_by(harness, launch, way, owner, timeout):
    """Asks for a paste the way `way` does, of what `owner` offers; returns the time the last
    input went out."""
    scale = launch.size[0] / LAYOUT.width

    def at(point):
        return (round(point[0] * scale), round(point[1] * scale))

    if way == "drop":
        return owner.drop(launch.window.wid, at(LAYOUT.centre("EditX")), timeout)

    def chord(modifier, key):
        harness.key(modifier, True)
        t0 = now()
        harness.key(key, True)
        harness.key(key, False)
        harness.key(modifier, False)
        return t0

    def click(point, button):
        xtest.fake_input(harness.d, X.MotionNotify, x=point[0], y=point[1])
        xtest.fake_input(harness.d, X.ButtonPress, button)
        harness.d.flush()
        harness.drain(0.05)  # hover and pressed look
        t0 = now()
        xtest.fake_input(harness.d, X.ButtonRelease, button)
        harness.d.flush()
        return t0

    if way == "Ctrl+V":
        return chord("Control_L", "v")
    if way == "Shift+Insert":
        return chord("Shift_L", "Insert")
    if way == "Paste button":
        return click(at(LAYOUT.centre("ButtonPaste")), 1)
    if way == "middle-click":
        return click(at(LAYOUT.centre("EditX")), 2)
    # The context menu: up first, then its Paste entry by its key.
    seen = len(harness.map_log)
    click(at(LAYOUT.centre("EditX")), 3)
    deadline = now() + timeout
    while len(harness.map_log) == seen:
        if harness.next_event(deadline) is None:
            raise StepTimeout("the context menu did not come up")
    harness.drain(0.1)
    harness.key("p", True)
    t0 = now()
    harness.key("p", False)
    return t0


def measure_refusal(harness, role, way, offer, timeout):
    """One paste the way `way` does of what `offer` puts up (a 50 MB text or a silent owner):
    the time from the paste to the repaint for a digit typed right after it, and the peak
    memory over the idle figure."""
    out = {}
    launch = Launch(harness, role)
    owner = None
    try:
        launch.activate()
        idle = launch.memory()
        owner = offer()
        t0 = paste_by(harness, launch, way, owner, timeout)
        # A ping may be answered before the input read with it is handled; input sent right
        # after the paste is handled after it, and shows in the X field: a digit, or where
        # the button has the focus, a click into the field.
        scale = launch.size[0] / LAYOUT.width
        field = tuple(round(v * scale) for v in LAYOUT.rect("EditX"))
        if way == "Paste button":
            edit_x = LAYOUT.centre("EditX")
            point = (round(edit_x[0] * scale), round(edit_x[1] * scale))
            xtest.fake_input(harness.d, X.MotionNotify, x=point[0], y=point[1])
            xtest.fake_input(harness.d, X.ButtonPress, 1)
            xtest.fake_input(harness.d, X.ButtonRelease, 1)
            harness.d.flush()
            out["refusal"] = harness.wait_damage_in(launch.window, field, timeout) - t0
        else:
            harness.key("7", True)
            try:
                out["refusal"] = harness.wait_damage_in(launch.window, field, timeout) - t0
            finally:
                harness.key("7", False)
        if harness.ping(launch.window, timeout) is None:
            raise StepTimeout(f"stopped answering (no answer to a ping within {timeout} s)")
        harness.park_pointer()
        after = launch.memory()
        out["idle_hwm"] = idle["VmHWM"]
        out["hwm_over_idle"] = after["VmHWM"] - idle["VmHWM"]
        out["closing"] = launch.close(timeout)
    except StepTimeout as e:
        out["error"] = f"{role.name}, {way}: {e}"
        launch.kill()
    except BaseException:
        launch.kill()
        raise
    finally:
        if owner is not None:
            owner.stop()
        harness.park_pointer()
    return out


def measure_refusals(harness, role, workdir, display_name, runs, timeout):
    """Every way of pasting, `runs` times each, with a 50 MB text and with a silent owner."""
    results = {}
    for way, selection in PASTE_WAYS:
        def huge():
            if way == "drop":
                return DragOffer(harness, "huge")
            clipboard = Clipboard(harness, workdir, selection)
            clipboard.set("7" * REFUSED_TEXT)
            return clipboard

        def silent():
            if way == "drop":
                return DragOffer(harness, "silent")
            return SilentOwner(display_name, selection)

        results[way] = {
            "50 MB": [measure_refusal(harness, role, way, huge, timeout) for _ in range(runs)],
            "silent owner": [measure_refusal(harness, role, way, silent, timeout)
                             for _ in range(runs)],
        }
        print(f"refusals by {way} done", flush=True)
    return results


def report_refusal(refusals):
    print()
    print("refused pastes: to the repaint for the next digit, median (max); VmHWM over idle, "
          "median (max)")
    for way, cases in refusals.items():
        for case, runs in cases.items():
            timed = [r for r in runs if "refusal" in r]
            for r in runs:
                if "error" in r:
                    print(f"  refusal run failed: {r['error']}")
            if not timed:
                continue
            times = [ms(r["refusal"]) for r in timed]
            peaks = [r["hwm_over_idle"] for r in timed]
            target = 300 if case == "50 MB" else 1100
            print(f"  {way:13} {case:12} {statistics.median(times):7.1f} ms "
                  f"({max(times):.1f}; target <= {target} ms: "
                  f"{'met' if max(times) <= target else 'MISSED'})   "
                  f"{statistics.median(peaks):5.1f} MiB ({max(peaks):.1f}; idle "
                  f"{timed[0]['idle_hwm']:.1f}; target <= 20 MiB: "
                  f"{'met' if max(peaks) <= 20 else 'MISSED'})")


def check_session(role):
    """What the calculator's rules leave on the stack after the at-size steps: X 4 (typed
    last), Y the 64 KiB text's value as displayed, Z 3, T the 60,000-character entry's value."""
    path = os.path.join(role.folder, "rpncalc.cfg")
    try:
        with open(path, encoding="latin-1") as f:
            lines = [line.strip() for line in f]
        x, y, z, t = (float(v.replace(",", ".")) for v in lines[:4])
    except (OSError, ValueError, IndexError) as e:
        return f"session file not readable as numbers ({e}); outcome unverified"
    expected_fraction = 0.12345678901
    ok = (x == 4 and z == 3 and abs(y - expected_fraction) < 1e-9
          and abs(t - expected_fraction) < 1e-9)
    verdict = "as the rules say" if ok else "NOT as expected"
    return f"stack after the steps X={x:g} Y={y:.12g} Z={z:g} T={t:.12g}: {verdict}"


# --- report --------------------------------------------------------------------------------

def quartiles(values):
    if len(values) < 2:
        return values[0], values[0]
    q = statistics.quantiles(values, n=4, method="inclusive")
    return q[0], q[2]


def describe(values, unit_scale=1.0, digits=1):
    v = [x * unit_scale for x in values]
    med = statistics.median(v)
    lo, hi = quartiles(v)
    return med, f"{med:.{digits}f} [{lo:.{digits}f}-{hi:.{digits}f}] ({min(v):.{digits}f}-{max(v):.{digits}f})"


def report(results, rounds, keystrokes, at_size, at_size_rounds):
    summary = report_rounds(results, rounds, keystrokes) if rounds else {}
    if at_size:
        report_at_size(at_size, at_size_rounds)
    return summary


def report_rounds(results, rounds, keystrokes):
    floor, program = results["floor"], results["program"]
    print()
    print(f"{rounds} interleaved rounds, {keystrokes} keystrokes per round; "
          "median [interquartile range] (min-max)")
    header = f"{'measure':<32} {'floor':>30} {'rpncalc':>30} {'ratio':>6}  target"
    print(header)
    print("-" * len(header) + "-" * 18)
    rows = [
        ("start-up to map, for scale (ms)", "mapped", 1000.0, 1, None),
        ("start-up to first paint (ms)", "startup", 1000.0, 1, ("ratio", 1.08)),
        ("VmRSS 0.5 s later (MiB)", "rss", 1.0, 1, ("ratio", 1.05)),
        ("VmHWM 0.5 s later (MiB)", "hwm", 1.0, 1, ("ratio", 1.05)),
        ("keystroke to repaint (ms)", "keys", 1000.0, 2, ("ratio", 1.2)),
        ("closing to exit (ms)", "closing", 1000.0, 1, ("absolute", 20.0)),
    ]
    summary = {}
    for label, key, scale, digits, goal in rows:
        def values(runs):
            if key == "keys":
                return [k for r in runs for k in r["keys"]]
            return [r[key] for r in runs]
        fm, ftext = describe(values(floor), scale, digits)
        pm, ptext = describe(values(program), scale, digits)
        ratio = pm / fm if fm else float("inf")
        if goal is None:
            met, target = None, ""
        elif goal[0] == "ratio":
            limit = goal[1]
            met = ratio <= limit
            target = f"<= {limit:.2f} x floor: {'met' if met else 'MISSED'}"
        else:
            limit = goal[1]
            met = pm < limit
            target = f"< {limit:.0f} ms: {'met' if met else 'MISSED'}"
        summary[key] = {"floor": fm, "program": pm, "ratio": ratio, "met": met}
        print(f"{label:<32} {ftext:>30} {ptext:>30} {ratio:>6.2f}  {target}")
    sizes = {tuple(r["size"]) for r in floor + program}
    print(f"window sizes seen: {sorted(sizes)}")
    return summary


def report_at_size(at_size, at_size_rounds):
    print()
    print(f"at size, {at_size_rounds} runs each: each step to its repaint, median (min-max)"
          " in ms; then the slowest answer to a ping sent right after the step")
    print(f"{'step':<46} {'floor':>22} {'rpncalc':>22} {'ratio':>6} {'ping':>8}")
    for key, label, on_floor in AT_SIZE_STEPS:
        p = [r[key] for r in at_size["program"] if key in r]
        f = [r[key] for r in at_size["floor"] if key in r] if on_floor else []
        pings = [r[key + "_ping"] for r in at_size["program"]
                 if r.get(key + "_ping") is not None]

        def cell(v):
            if not v:
                return "n/a"
            timed = [x * 1000 for x in v if x is not None]
            text = (f"{statistics.median(timed):.1f} ({min(timed):.1f}-{max(timed):.1f})"
                    if timed else "")
            if len(timed) < len(v):
                text += f" {len(v) - len(timed)}x no repaint"
            return text.strip()

        pt = [x for x in p if x is not None]
        ft = [x for x in f if x is not None]
        ratio = (f"{statistics.median(pt) / statistics.median(ft):6.2f}"
                 if pt and ft else "     -")
        ping = f"{max(pings) * 1000:8.1f}" if pings else "       -"
        print(f"{label:<46} {cell(f):>22} {cell(p):>22} {ratio} {ping}")
    for r in at_size["program"]:
        if "session" in r:
            print(r["session"])
    for r in at_size["program"] + at_size["floor"]:
        if "error" in r:
            print(f"at-size run failed: {r['error']}")


def prepare(role, workdir):
    role.folder = os.path.join(workdir, role.name)
    os.makedirs(role.folder, exist_ok=True)
    target = os.path.join(role.folder, os.path.basename(role.executable))
    shutil.copy2(role.executable, target)
    for companion in role.companions:
        if os.path.exists(companion):
            shutil.copy2(companion, role.folder)
    role.executable = target


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    build = os.path.join(root, "build")
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--rounds", type=int, default=15)
    p.add_argument("--keystrokes", type=int, default=30)
    p.add_argument("--at-size-rounds", type=int, default=3,
                   help="runs of the 64 KiB clipboard and 60,000-character entry steps, "
                   "and of each refused paste (0: none)")
    p.add_argument("--display", help="use this X server instead of starting an Xvfb")
    p.add_argument("--floor", default=os.path.join(build, "bench", "rpncalc_floor"))
    p.add_argument("--program", default=os.path.join(build, "rpncalc"))
    p.add_argument("--program-title",
                   help="the main window's caption (default: from rpncalc-layout)")
    p.add_argument("--layout", default=os.path.join(build, "rpncalc-layout"),
                   help="the tool that prints the main window's caption and controls")
    p.add_argument("--program-arg", action="append", default=[],
                   help="argument for the program (to run a second floor in its place)")
    p.add_argument("--json", help="write every measurement to this file")
    a = p.parse_args()

    for path in (a.floor, a.program, a.layout):
        if not os.access(path, os.X_OK):
            sys.exit(f"{path} is not built")

    global LAYOUT
    LAYOUT = Layout(a.layout)

    workdir = tempfile.mkdtemp(prefix="rpncalc-bench-")
    xvfb = None
    try:
        if a.display:
            display_name = a.display
        else:
            xvfb = Xvfb()
            display_name = xvfb.display
        harness = Harness(display_name, workdir)
        floor = Role("floor", a.floor, FLOOR_TITLE, is_floor=True)
        program = Role("program", a.program, a.program_title or LAYOUT.caption, list(a.program_arg),
                       [os.path.join(os.path.dirname(a.program), "rpncalc.hlp")])
        for role in (floor, program):
            prepare(role, workdir)
        print(f"display {display_name}, {os.cpu_count()} cores, load average "
              f"{os.getloadavg()[0]:.2f} at start", flush=True)

        # One round of each first, not counted: caches and the session file settle.
        results = {"floor": [], "program": []}
        try:
            for role in (floor, program):
                measure_round(harness, role, 3)
            for i in range(a.rounds):
                for role in (floor, program):
                    results[role.name].append(measure_round(harness, role, a.keystrokes))
                print(f"round {i + 1}/{a.rounds}: floor "
                      f"{ms(results['floor'][-1]['startup']):.1f} ms, rpncalc "
                      f"{ms(results['program'][-1]['startup']):.1f} ms to first paint",
                      flush=True)
        except StepTimeout as e:
            sys.exit(f"benchmark stopped: {e}")

        at_size = None
        if a.at_size_rounds > 0:
            clipboard = Clipboard(harness, workdir)
            at_size = {"floor": [], "program": []}
            for i in range(a.at_size_rounds):
                for role in (floor, program):
                    at_size[role.name].append(measure_at_size(harness, role, clipboard, 10))
                print(f"at-size run {i + 1}/{a.at_size_rounds} done", flush=True)
            refusals = measure_refusals(harness, program, workdir, display_name,
                                        a.at_size_rounds, 10)

        print(f"load average {os.getloadavg()[0]:.2f} at the end")
        summary = report(results, a.rounds, a.keystrokes, at_size, a.at_size_rounds)
        if a.at_size_rounds > 0:
            report_refusal(refusals)
        if a.json:
            with open(a.json, "w") as f:
                json.dump({"rounds": results, "at_size": at_size,
                           "refusals": refusals if a.at_size_rounds > 0 else None,
                           "summary": summary}, f, indent=1)
    finally:
        if xvfb is not None:
            xvfb.stop()
        shutil.rmtree(workdir, ignore_errors=True)


if __name__ == "__main__":
    main()
