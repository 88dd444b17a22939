#!/usr/bin/python3
"""Starts the real program on a virtual X display and uses it as a shooter does.

A private X server, session bus and accessibility bus are started; the name
prompt is answered with real key events, a call and a hit are placed with real
pointer events at client coordinates of the main window, and the lists are read
back through the accessibility tree. Then the shot-entry window is opened and
left again, and the main window is closed: the program must end with status 0.
Started again, the program ends with status 0 when its name prompt is left
with Escape.
"""

import math
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402
from Xlib import X, display as xdisplay  # noqa: E402
from Xlib.protocol import event as xevent  # noqa: E402

TIMEOUT = 20.0


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, probe, timeout=TIMEOUT):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = probe()
        if value:
            return value
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def free_display():
    for n in range(90, 200):
        if not os.path.exists("/tmp/.X11-unix/X%d" % n) and not os.path.exists("/tmp/.X%d-lock" % n):
            return n
    fail("no free X display number")


class Session:
    def __init__(self, binary):
        self.binary = binary
        self.procs = []
        self.tmp = tempfile.mkdtemp(prefix="ankerblick-e2e.")

    def start(self):
        n = free_display()
        self.display_name = ":%d" % n
        self.procs.append(subprocess.Popen(
            ["Xvfb", self.display_name, "-screen", "0", "1280x900x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True))
        wait_for("the X server", lambda: os.path.exists("/tmp/.X11-unix/X%d" % n))
        os.environ["DISPLAY"] = self.display_name
        # Its own process group: the accessibility services it starts end with it.
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                               start_new_session=True)
        self.procs.append(bus)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        os.environ["XDG_RUNTIME_DIR"] = self.tmp
        # Settings of its own: nothing remembered from the user's runs, and
        # nothing left behind for them.
        os.environ["XDG_CONFIG_HOME"] = self.tmp
        os.environ["XDG_DATA_HOME"] = self.tmp
        os.environ["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        os.environ["QT_ACCESSIBILITY"] = "1"
        os.environ["QT_QPA_PLATFORM"] = "xcb"
        self.x = xdisplay.Display(self.display_name)

    def stop(self):
        for p in reversed(self.procs):
            try:
                os.killpg(p.pid, signal.SIGTERM)
            except (ProcessLookupError, PermissionError):
                pass
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                os.killpg(p.pid, signal.SIGKILL)
        shutil.rmtree(self.tmp, ignore_errors=True)

    def launch(self, *args):
        """Starts the program with the arguments given."""
        proc = subprocess.Popen([self.binary] + list(args), stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT, text=True, start_new_session=True)
        self.procs.append(proc)
        return proc

    def ends_with_0(self, proc, how):
        try:
            status = proc.wait(TIMEOUT)
        except subprocess.TimeoutExpired:
            fail("the program %s did not end" % how)
        if status != 0:
            fail("the program %s ended with status %d" % (how, status))

    def xdotool(self, *args):
        subprocess.run(["xdotool"] + list(args), check=True)

    def window(self, title):
        def probe():
            r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"],
                               capture_output=True, text=True)
            ids = r.stdout.split()
            return int(ids[0]) if ids else None
        return wait_for("window " + title, probe)

    def close_window(self, wid):
        """Asks the window to close the way a window manager does."""
        win = self.x.create_resource_object("window", wid)
        protocols = self.x.intern_atom("WM_PROTOCOLS")
        delete = self.x.intern_atom("WM_DELETE_WINDOW")
        ev = xevent.ClientMessage(window=win, client_type=protocols,
                                  data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        win.send_event(ev, event_mask=X.NoEventMask)
        self.x.flush()


def find(node, name, depth=0):
    if node is None or depth > 40:
        return None
    try:
        if node.get_name() == name:
            return node
        for i in range(node.get_child_count()):
            found = find(node.get_child_at_index(i), name, depth + 1)
            if found is not None:
                return found
    except gi.repository.GLib.Error:
        return None
    return None


def application(pid):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def items(app, name):
    node = find(app, name)
    if node is None:
        return None
    return [node.get_child_at_index(i).get_name() for i in range(node.get_child_count())]


def text_of(app, name):
    node = find(app, name)
    if node is None:
        return None
    try:
        return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))
    except gi.repository.GLib.Error:
        return None


def main():
    if len(sys.argv) != 2:
        fail("usage: form1_e2e.py PATH-TO-ANKERBLICK")
    session = Session(sys.argv[1])
    try:
        session.start()
        app_proc = subprocess.Popen([session.binary], stdout=subprocess.PIPE,
                                    stderr=subprocess.STDOUT, text=True, start_new_session=True)
        session.procs.append(app_proc)

        prompt = session.window("Ankerblick")
        session.xdotool("windowfocus", "--sync", str(prompt))
        session.xdotool("type", "--delay", "20", "Erika")
        session.xdotool("key", "Return")
        form = session.window("Ankerblick Erika")

        Atspi.init()
        app = wait_for("the program on the accessibility bus", lambda: application(app_proc.pid))
        # The target lies below the menu bar; clicks go to its drawing units,
        # on the screen wherever the window was placed.
        target = wait_for("the target", lambda: find(app, "Scheibe"))
        origin = Atspi.Component.get_extents(target, Atspi.CoordType.SCREEN)
        print("Scheibe at %d, %d, %d x %d" % (origin.x, origin.y, origin.width, origin.height))

        # The target shows the whole air-pistol face scaled to its room, the
        # aspect kept and centred in whole pixels: a card of 155.5 mm (ring 1)
        # and a ring's 8 mm on each side, at 392 drawing units for the black's
        # 59.5 mm, around the centre at (244, 228).
        card = (155.5 + 2 * 8) * 392 / 59.5
        card_left, card_top = 244 - card / 2, 228 - card / 2
        scale = min(origin.width, origin.height) / card
        left = origin.x + math.floor((origin.width - card * scale) / 2 - card_left * scale)
        top = origin.y + math.floor((origin.height - card * scale) / 2 - card_top * scale)
        # A call a little above the centre, then the hit on the centre.
        for x, y in ((244, 210), (244, 228)):
            x, y = round(left + x * scale), round(top + y * scale)
            session.xdotool("mousemove", str(x + 2), str(y))
            session.xdotool("mousemove", str(x), str(y))
            time.sleep(0.2)
            session.xdotool("click", "1")
            time.sleep(0.2)
        expected = {
            "SchussListe": ["1"],
            "Schusswert": ["10,9"],
            "AbweichungsListe": ["10"],
        }
        for name, want in expected.items():
            got = wait_for(name, lambda: items(app, name) == want and want)
            print("%s: %s" % (name, got))
        for name, want in (("SerienSumme", "10"), ("SerienSummeZehntel", "10,9")):
            wait_for(name + " = " + want, lambda: text_of(app, name) == want)
            print("%s: %s" % (name, want))

        # To the shot-entry window and back.
        button = wait_for("the shot-entry button", lambda: find(app, "Schuss- eingabe öffnen"))
        Atspi.Action.do_action(button, 0)
        entry = session.window("Schusseingabe Erika")
        back = wait_for("the return button", lambda: find(app, "Abkommens- eingabe öffnen"))
        Atspi.Action.do_action(back, 0)
        wait_for("the main window again", lambda: session.window("Ankerblick Erika"))
        print("Schusseingabe opened and left")

        # The entered shot was not saved: the program asks, and lets it go.
        session.close_window(form)
        discard = wait_for("the question whether to save", lambda: find(app, "Verwerfen"))
        Atspi.Action.do_action(discard, 0)
        try:
            status = app_proc.wait(TIMEOUT)
        except subprocess.TimeoutExpired:
            fail("the program did not end after its main window was closed")
        output = app_proc.stdout.read()
        if status != 0:
            fail("the program ended with status %d: %s" % (status, output))
        del entry
        if output.strip():
            fail("the program printed: " + output)
        print("closed with status 0")

        # Started with a name, the program asks for none (the window system
        # has an option of the same spelling, which must not swallow it).
        named = session.launch("--name", "Max")
        session.close_window(session.window("Ankerblick Max"))
        session.ends_with_0(named, "started with --name and closed")
        print("--name skipped the prompt")

        # Leaving the name prompt with Escape ends the program: nothing was
        # entered yet, so it ends with status 0 and shows no window.
        left = session.launch()
        prompt = session.window("Ankerblick")
        session.xdotool("windowfocus", "--sync", str(prompt))
        session.xdotool("key", "Escape")
        session.ends_with_0(left, "left at its name prompt")
        print("Escape at the name prompt ended the program")
    finally:
        session.stop()
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
