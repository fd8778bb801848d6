#!/usr/bin/python3
"""The start screen as a screen reader meets it: mkd on a virtual X display
(Xvfb) with Qt's AT-SPI bridge, its accessibility tree read over AT-SPI
(libatspi, as Orca reads it), once in Japanese and once in English.

- The two station lists are combo boxes named by their captions, not by the
  station they show.
- Typing into the departure list (keys synthesised through AT-SPI, which
  sends them to the X server) opens the finder: it is the list's child, its
  text field is named and holds what was typed, and the first match is the
  current (selected) item of the matches, named by its station.

Everything runs on its own: a free display picked by Xvfb, a private session
bus with its own accessibility bus, temporary HOME and XDG folders; every
process started here is ended here.

Usage: atspi_tree.py MKD
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

WAIT = 60  # seconds for anything to appear; a busy 2-core machine is slow
LANGUAGES = [
    # language settings, the lists' names, the finder's field, what is typed, the first match
    ({"LANG": "C.UTF-8"}, "乗車駅", "降車駅", "駅を探す", "uwajima", "宇和島"),
    ({"LANG": "C.UTF-8", "LC_MESSAGES": "en_GB.UTF-8"}, "From", "To", "Find a station", "uwajima", "Uwajima"),
]
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
XVFB_LOG = None  # what Xvfb says, to tell why mkd could not use it


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def need(program):
    if not shutil.which(program):
        fail(f"{program} is missing (scripts/setup.sh installs it)")


class Processes:
    """Processes started here, each the leader of its own process group so
    that what it starts in turn (the accessibility bus, its registry) ends
    with it."""

    def __init__(self):
        self.started = []

    def start(self, argv, **kw):
        p = subprocess.Popen(argv, start_new_session=True, **kw)
        self.started.append(p)
        return p

    def end(self, p):
        if p.poll() is None:
            try:
                os.killpg(p.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            try:
                p.wait(10)
            except subprocess.TimeoutExpired:
                os.killpg(p.pid, signal.SIGKILL)
                p.wait()
        else:
            # Its children may outlive it.
            try:
                os.killpg(p.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass

    def end_all(self):
        for p in reversed(self.started):
            self.end(p)


def poll(what, find, seen=None, wait=WAIT):
    """find() again and again until it gives something; after `wait` seconds
    fail saying what was seen(), or give None if there is nothing to say."""
    deadline = time.monotonic() + wait
    while True:
        try:
            found = find()
        except Exception:  # an object that went away while being read
            found = None
        if found:
            return found
        if time.monotonic() > deadline:
            if what is None:
                return None
            fail(f"no {what} after {wait} s" + (f"; seen: {seen()}" if seen else ""))
        time.sleep(0.1)


def start_display(procs, work):
    """Xvfb on a display number it picks itself (-displayfd). Without
    -noreset it starts afresh whenever its last client leaves (the
    accessibility bus launcher does, early), refusing connections meanwhile."""
    global XVFB_LOG
    XVFB_LOG = os.path.join(work, "xvfb.log")
    read, write = os.pipe()
    procs.start(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                 "-noreset"],
                pass_fds=[write], stdout=subprocess.DEVNULL, stderr=open(XVFB_LOG, "w"))
    os.close(write)
    with os.fdopen(read) as r:
        number = r.readline().strip()
    if not number:
        fail("Xvfb did not start: " + open(XVFB_LOG).read())
    return ":" + number


def start_session_bus(procs, work):
    bus = procs.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE,
                      stderr=open(os.path.join(work, "dbus.log"), "w"), text=True)
    address = bus.stdout.readline().strip()
    if not address:
        fail("the session bus did not start: " + open(os.path.join(work, "dbus.log")).read())
    return address


def children(node):
    return [node.get_child_at_index(i) for i in range(node.get_child_count())]


def descendants(node, depth=0):
    yield node
    if depth < 12:
        for child in children(node):
            if child is not None:
                yield from descendants(child, depth + 1)


def text_of(node):
    """The text of an object with text, as a screen reader reads it."""
    from gi.repository import Atspi
    if "Text" not in node.get_interfaces():
        return None
    return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))


def main():
    if len(sys.argv) != 2:
        fail(__doc__)
    mkd = os.path.abspath(sys.argv[1])
    for program in ("Xvfb", "dbus-daemon", BUS_LAUNCHER):
        need(program)
    work = tempfile.mkdtemp(prefix="mkd-atspi-")
    procs = Processes()
    try:
        env = {k: v for k, v in os.environ.items() if not k.startswith(("LC_", "LANG", "QT_", "XDG_", "DBUS_"))}
        for folder in ("home", "config", "data", "cache", "runtime"):
            os.mkdir(os.path.join(work, folder), 0o700)
        env.update(HOME=f"{work}/home", XDG_CONFIG_HOME=f"{work}/config", XDG_DATA_HOME=f"{work}/data",
                   XDG_CACHE_HOME=f"{work}/cache", XDG_RUNTIME_DIR=f"{work}/runtime")
        env["DISPLAY"] = start_display(procs, work)
        env["DBUS_SESSION_BUS_ADDRESS"] = start_session_bus(procs, work)
        procs.start([BUS_LAUNCHER, "--launch-immediately"], env=env, stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
        # libatspi finds the accessibility bus through the session bus.
        os.environ.update(DISPLAY=env["DISPLAY"], DBUS_SESSION_BUS_ADDRESS=env["DBUS_SESSION_BUS_ADDRESS"])
        try:
            import gi
            gi.require_version("Atspi", "2.0")
            from gi.repository import Atspi
        except (ImportError, ValueError) as e:
            fail(f"no AT-SPI client library for {sys.executable} ({e}); scripts/setup.sh installs it")

        for language, departure, arrival, field_name, typed, first in LANGUAGES:
            started = time.monotonic()
            mkd_env = dict(env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **language)
            # Each start with its own settings: the language chosen last would win.
            shutil.rmtree(f"{work}/config")
            os.mkdir(f"{work}/config", 0o700)
            program = procs.start([mkd], env=mkd_env, cwd=work)
            check_start_screen(Atspi, program, departure, arrival, field_name, typed, first)
            procs.end(program)
            print(f"{language}: {departure}, {arrival}, finder with {first!r} first "
                  f"({time.monotonic() - started:.1f} s)")
    finally:
        procs.end_all()
        shutil.rmtree(work, ignore_errors=True)


def check_start_screen(Atspi, program, departure, arrival, field_name, typed, first):
    from gi.repository import GLib

    def app():
        if program.poll() is not None:
            with open(XVFB_LOG) as said:
                fail(f"mkd ended with status {program.returncode} on {os.environ['DISPLAY']}; Xvfb: {said.read()}")
        desktop = Atspi.get_desktop(0)
        return next((a for a in children(desktop) if a and a.get_process_id() == program.pid), None)

    def lists():
        found = {n.get_name(): n for n in descendants(app()) if n.get_role() == Atspi.Role.COMBO_BOX}
        return found if departure in found and arrival in found else None

    box = poll(f"station lists named {departure} and {arrival}", lists,
               lambda: [(n.get_role_name(), n.get_name()) for n in descendants(app())][:20])[departure]
    poll(f"{departure} on the screen", lambda: box.get_state_set().contains(Atspi.StateType.SHOWING))

    # What a screen reader announces: the object that gains the focus.
    focused = []

    def on_focus(event):
        try:
            if event.detail1:
                focused.append((event.source.get_role(), event.source.get_name()))
        except GLib.Error:  # gone again: a match of a shorter text
            pass

    listener = Atspi.EventListener.new(on_focus)
    listener.register("object:state-changed:focused")

    # With no window manager to give the window the keyboard, the pointer
    # rests on the list (X's pointer-root focus sends the keys there).
    Atspi.Component.grab_focus(box)
    where = Atspi.Component.get_extents(box, Atspi.CoordType.SCREEN)
    Atspi.generate_mouse_event(where.x + where.width // 2, where.y + where.height // 2, "abs")

    def finder():
        # The window that opens under the list is the list's child.
        for node in descendants(box):
            if node.get_state_set().contains(Atspi.StateType.EDITABLE) and text_of(node) == typed:
                return node
        return None

    # Keys sent before the X server shows the window are lost: Escape (which
    # closes a finder opened on part of the text) and type again.
    for attempt in range(3):
        if attempt:
            Atspi.generate_keyboard_event(0xFF1B, None, Atspi.KeySynthType.SYM)
        for ch in typed:
            Atspi.generate_keyboard_event(0, ch, Atspi.KeySynthType.STRING)
        field = poll(None, finder, wait=WAIT / 3)
        if field:
            break
    else:
        fail(f"no finder's text field holding {typed!r} under {departure}; seen: "
             f"{[(n.get_role_name(), n.get_name(), text_of(n)) for n in descendants(box)]}")
    if field.get_name() != field_name:
        fail(f"the finder's text field is named {field.get_name()!r}, not {field_name!r}")

    def current():
        for node in descendants(box):
            if node.get_role() == Atspi.Role.LIST_ITEM and node.get_state_set().contains(Atspi.StateType.SELECTED):
                return node.get_name().startswith(first)
        return False

    poll(f"{first!r} as the current match", current)

    def announced():
        GLib.MainContext.default().iteration(False)
        return focused and focused[-1][0] == Atspi.Role.LIST_ITEM and focused[-1][1].startswith(first)

    poll(f"{first!r} announced", announced, lambda: f"focused {focused}")
    listener.deregister("object:state-changed:focused")


if __name__ == "__main__":
    main()
