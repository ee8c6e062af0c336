"""A private desktop in which a script talks to Tessaro as a screen reader does.

The parent side (Session) starts Xvfb, a session bus, the accessibility bus and
openbox, runs a scenario in a worker process and starts the programs
the worker asks for. Everything it started, and everything those started, is
ended by PID when it stops, also after a failure.

The worker side (ScreenReaderClient) uses Debian's pyatspi, which only
/usr/bin/python3 can import. It registers the events Orca 43 listens to before
any program starts, so Qt's bridge sends what it sends with Orca running, sends
real key presses with xdotool, and reports to the parent in JSON lines. A pyatspi
call blocks for as long as the program does not answer, so every query that may
hang goes through ScreenReaderClient.call(): the parent allows it a deadline and
turns a hang into a failed check instead of a stuck run.

Measured pitfalls this module works around:
- AT_SPI_BUS_ADDRESS must not be exported: Qt 6.4 then never registers. Qt asks
  org.a11y.Bus for the address once, at start-up, so the launcher has to answer
  before a program starts.
- Without its own XDG_RUNTIME_DIR the accessibility bus socket lies in
  ~/.cache/at-spi, shared by runs on the same display number.
- Killing at-spi-bus-launcher leaves its bus daemon running; the daemon starts
  at-spi2-registryd. Processes are therefore found through /proc by parentage
  and by a marker variable in their environment.
- libatspi caches names and states and updates them from events; the client
  switches that cache off so that every answer comes from the program itself.
"""

import json
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import uuid

RUN_MARKER = "TESSARO_ATSPI_RUN"

# The events Orca 43's default script listens to (orca/scripts/default.py).
# Qt's bridge sends only what somebody listens to.
ORCA_EVENTS = [
    "focus:", "document:reload", "document:load-complete", "document:load-stopped",
    "mouse:button", "object:property-change:accessible-name",
    "object:property-change:accessible-description", "object:text-caret-moved",
    "object:text-changed:delete", "object:text-changed:insert",
    "object:active-descendant-changed", "object:children-changed:add",
    "object:children-changed:remove", "object:state-changed:active",
    "object:state-changed:busy", "object:state-changed:focused",
    "object:state-changed:showing", "object:state-changed:checked",
    "object:state-changed:pressed", "object:state-changed:indeterminate",
    "object:state-changed:expanded", "object:state-changed:selected",
    "object:state-changed:sensitive", "object:text-attributes-changed",
    "object:text-selection-changed", "object:selection-changed",
    "object:property-change:accessible-value", "object:value-changed",
    "object:column-reordered", "object:row-reordered", "window:activate",
    "window:deactivate", "window:create", "window:destroy",
]


def write_participant_file(folder, name, header, days):
    """A participant file as the program writes it: Windows-1252, CRLF, the
    header line "class|comment", then per day "date|remark", the present flag,
    the information lines and the separator line."""
    lines = [header]
    for date, remark, present, info in days:
        lines += ["%s|%s" % (date, remark), str(present)] + list(info) + ["<--------------->"]
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name + ".dat"), "wb") as file:
        file.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))


def make_home(root, settings, participants):
    """A home folder for one program run: its settings file and its data
    folder in the documents folder ("AktOrdner=1"). participants maps a name to
    (header line, days)."""
    home = os.path.join(root, "home")
    config = os.path.join(home, ".config")
    os.makedirs(os.path.join(config, "Tessaro"), exist_ok=True)
    with open(os.path.join(config, "Tessaro", "Tessaro.ini"), "w", encoding="utf-8") as file:
        file.write("[General]\n" + "".join("%s=%s\n" % item for item in settings.items()))
    data = os.path.join(home, "Documents", "Tessaro")
    os.makedirs(data, exist_ok=True)
    for name, (header, days) in participants.items():
        write_participant_file(data, name, header, days)
    runtime = os.path.join(root, "runtime")
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    return {"HOME": home, "XDG_CONFIG_HOME": config, "XDG_RUNTIME_DIR": runtime}


# ---------------------------------------------------------------- parent side

class Session:
    """The private desktop, the worker and the programs it asks for."""

    def __init__(self, verbose=False):
        self.verbose = verbose
        self.started = time.monotonic()
        self.processes = []
        self.marker = uuid.uuid4().hex
        self.tmp = tempfile.mkdtemp(prefix="tessaro-atspi-")
        os.chmod(self.tmp, 0o700)
        self.env = None

    def log(self, message):
        if self.verbose:
            print("# %6.2f %s" % (time.monotonic() - self.started, message), flush=True)

    def start(self, argv, env, **kwargs):
        process = subprocess.Popen(argv, env=env, **kwargs)
        self.processes.append(process)
        self.log("started %s (pid %d)" % (os.path.basename(argv[0]), process.pid))
        return process

    @staticmethod
    def read_line(fd, timeout):
        data = b""
        deadline = time.monotonic() + timeout
        while not data.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                break
            chunk = os.read(fd, 256)
            if not chunk:
                break
            data += chunk
        return data.decode(errors="replace").strip()

    def start_reporting(self, argv, env, timeout):
        """Starts a service that writes one line to the file descriptor given
        in its arguments as "{fd}" once it is ready, and returns that line."""
        read_fd, write_fd = os.pipe()
        self.start([a.replace("{fd}", str(write_fd)) for a in argv], env, pass_fds=[write_fd],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        line = self.read_line(read_fd, timeout)
        os.close(read_fd)
        return line

    def poll(self, what, ready, timeout=10):
        deadline = time.monotonic() + timeout
        while not ready():
            if time.monotonic() > deadline:
                raise RuntimeError("%s did not come up" % what)
            time.sleep(0.02)

    def start_desktop(self):
        base = {k: v for k, v in os.environ.items()
                if k not in ("AT_SPI_BUS_ADDRESS", "DBUS_SESSION_BUS_ADDRESS", "DISPLAY",
                             "WAYLAND_DISPLAY", "NO_AT_BRIDGE", "QT_QPA_PLATFORM")}
        base[RUN_MARKER] = self.marker
        base["XDG_RUNTIME_DIR"] = os.path.join(self.tmp, "runtime")
        os.makedirs(base["XDG_RUNTIME_DIR"], mode=0o700)
        base["HOME"] = self.tmp

        display = self.start_reporting(
            ["Xvfb", "-displayfd", "{fd}", "-screen", "0", "1024x768x24", "-nolisten", "tcp"], base, 10)
        if not display.isdigit():
            raise RuntimeError("Xvfb gave no display number")
        base["DISPLAY"] = ":" + display

        address = self.start_reporting(
            ["dbus-daemon", "--session", "--nofork", "--print-address={fd}"], base, 10)
        if not address.startswith("unix:"):
            raise RuntimeError("dbus-daemon gave no address")
        base["DBUS_SESSION_BUS_ADDRESS"] = address

        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], base,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def bus_answers():
            reply = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                                    "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                                   env=base, capture_output=True, text=True, timeout=5)
            return reply.returncode == 0 and "unix:" in reply.stdout
        self.poll("at-spi-bus-launcher", bus_answers)

        # A window manager, as on every desktop: it decides which window gets the keys when one
        # closes.
        ready = os.path.join(self.tmp, "window-manager-ready")
        self.start(["openbox", "--sm-disable", "--startup", "touch " + ready], base,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.poll("openbox", lambda: os.path.exists(ready))
        # The pointer rests in a corner, off every window, as a blind user's
        # pointer does. Over a window it changes where the X server puts the
        # keyboard focus when the focused window goes: measured with openbox,
        # a dialog and its message box closing together left no window active
        # about four times as often with the pointer in the corner as in the
        # middle, the way users met it.
        subprocess.run(["xdotool", "mousemove", "1023", "767"], env=base, check=True)
        self.env = base
        self.log("display %s, session bus %s" % (base["DISPLAY"], address))

    def program_env(self, home_env):
        return dict(self.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                    QT_QPA_PLATFORM="xcb", LANG="C.UTF-8", **home_env)

    def supervise(self, script, programs, call_timeout, stall_timeout, worker_args=()):
        """Runs script's worker ("script --worker", then worker_args) and serves its requests.
        programs maps a name to (argv, env). Returns (checks, observed,
        complete): checks as (name, ok, detail), observed values by name, and
        whether the worker reached its end."""
        worker = self.start([sys.executable, os.path.abspath(script), "--worker"] + list(worker_args), self.env,
                            stdout=subprocess.PIPE, stdin=subprocess.PIPE)
        run = WorkerRun(self, worker, programs)
        try:
            complete = run.follow(call_timeout, stall_timeout)
        finally:
            # A worker stuck in a call to a hung program is ended here, before
            # the program, so that it does not go on to report the program's end.
            if worker.poll() is None:
                worker.kill()
                worker.wait()
        return run.checks, run.observed, complete

    def descendants(self):
        """PIDs of everything this run started: children of the started
        processes and whatever carries the run's marker in its environment."""
        parents = {}
        marked = set()
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open("/proc/%s/stat" % entry) as stat:
                    fields = stat.read().rsplit(")", 1)[1].split()
                if fields[0] == "Z":
                    continue
                parents[int(entry)] = int(fields[1])
                with open("/proc/%s/environ" % entry, "rb") as environ:
                    if ("%s=%s" % (RUN_MARKER, self.marker)).encode() in environ.read().split(b"\0"):
                        marked.add(int(entry))
            except (OSError, IndexError, ValueError):
                continue
        found = {p.pid for p in self.processes if p.pid in parents}
        changed = True
        while changed:
            changed = False
            for pid, ppid in parents.items():
                if ppid in found and pid not in found:
                    found.add(pid)
                    changed = True
        return (found | marked) - {os.getpid()}

    def stop(self):
        for sig in (signal.SIGTERM, signal.SIGKILL):
            for pid in self.descendants():
                try:
                    os.kill(pid, sig)
                except ProcessLookupError:
                    pass
            deadline = time.monotonic() + 2
            for process in self.processes:
                try:
                    process.wait(max(0.01, deadline - time.monotonic()))
                except subprocess.TimeoutExpired:
                    pass
            if not any(process.poll() is None for process in self.processes) and not self.descendants():
                break
        left = self.descendants()
        shutil.rmtree(self.tmp, ignore_errors=True)
        if left:
            raise RuntimeError("processes left running: %s" % sorted(left))


class WorkerRun:
    """The parent's side of the protocol: follows the worker's JSON lines,
    starts and stops programs for it and allows each call its deadline."""

    def __init__(self, session, worker, programs):
        self.session = session
        self.worker = worker
        self.programs = programs
        self.running = {}
        self.checks = []
        self.observed = {}
        self.pending_call = None
        self.phase = "start"

    def follow(self, call_timeout, stall_timeout):
        buffer = b""
        while True:
            timeout = call_timeout if self.pending_call else stall_timeout
            if not select.select([self.worker.stdout], [], [], timeout)[0]:
                if self.pending_call:
                    self.checks.append(("%s answers within %.1f s" % (self.pending_call, call_timeout), False,
                                        "no answer: the program hangs"))
                else:
                    self.checks.append(("progress", False,
                                        "nothing happened for %.0f s in %r" % (stall_timeout, self.phase)))
                return False
            chunk = os.read(self.worker.stdout.fileno(), 65536)
            if not chunk:
                self.checks.append(("worker", False, "ended in %r with %s" % (self.phase, self.worker.wait())))
                return False
            buffer += chunk
            while b"\n" in buffer:
                line, buffer = buffer.split(b"\n", 1)
                if self.handle(json.loads(line)):
                    return True

    def handle(self, message):
        """Handles one message; true for the worker's last one."""
        kind = message["kind"]
        if kind == "call":
            self.pending_call = message["what"]
        elif kind == "returned":
            self.pending_call = None
        elif kind == "phase":
            self.phase = message["name"]
            self.session.log(self.phase)
        elif kind == "check":
            self.checks.append((message["name"], message["ok"], message["detail"]))
        elif kind == "observed":
            self.observed[message["what"]] = message["value"]
        elif kind == "start":
            argv, env = self.programs[message["program"]]
            process = self.session.start(argv, env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.running[message["program"]] = process
            self.answer({"pid": process.pid})
        elif kind == "stop":
            process = self.running.pop(message["program"])
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
            self.answer({})
        return kind == "done"

    def answer(self, message):
        self.worker.stdin.write((json.dumps(message) + "\n").encode())
        self.worker.stdin.flush()


def report(checks, verbose):
    """Prints the failed checks (all with verbose) and a summary; returns the
    exit code."""
    failed = [c for c in checks if not c[1]]
    for name, ok, detail in checks:
        if verbose or not ok:
            print("%s %s%s" % ("PASS" if ok else "FAIL", name, ": " + detail if detail and not ok else ""))
    print("%d passed, %d failed" % (len(checks) - len(failed), len(failed)))
    return 0 if checks and not failed else 1


# ---------------------------------------------------------------- worker side

class ScreenReaderClient:
    """What a screen reader does to a program, through pyatspi: listens to
    its events, asks for what it shows, presses keys. Lives in the worker."""

    def __init__(self):
        import pyatspi
        from gi.repository import Atspi, GLib
        self.pyatspi = pyatspi
        self.atspi = Atspi
        self.glib = GLib
        self.context = GLib.MainContext.default()
        self.app = None
        self.focus_events = []  # sources of "object:state-changed:focused" with detail1 == 1
        self.focus_mark = 0  # the reports that came before the last key press
        self.caret_events = []  # (source, offset) of "object:text-caret-moved"
        self.caret_mark = 0
        self.name_events = []  # (source, new value) of "object:property-change:accessible-name"
        self.name_mark = 0
        pyatspi.Registry.registerEventListener(self._on_event, *ORCA_EVENTS)

    # The protocol with the parent.

    def emit(self, kind, **fields):
        fields["kind"] = kind
        sys.stdout.write(json.dumps(fields, ensure_ascii=False) + "\n")
        sys.stdout.flush()

    def check(self, name, ok, detail=""):
        self.emit("check", name=name, ok=bool(ok), detail=str(detail))
        return bool(ok)

    def phase(self, name):
        self.emit("phase", name=name)

    def observe(self, what, value):
        self.emit("observed", what=what, value=value)

    def call(self, what, function, *arguments):
        """A query that may hang the program: the parent allows it its call deadline."""
        self.emit("call", what=what)
        try:
            return function(*arguments)
        finally:
            self.emit("returned")

    def _request(self, kind, program):
        self.emit(kind, program=program)
        return json.loads(sys.stdin.readline())

    # Programs.

    def start_program(self, name, timeout=15):
        """Asks the parent to start the program and waits until it is on the
        accessibility bus, found by its PID."""
        pid = self._request("start", name)["pid"]
        self.app = self.wait_until(lambda: self._application(pid), timeout)
        if self.app is not None:
            # Every answer comes from the program, none from libatspi's cache.
            self.app.set_cache_mask(self.atspi.Cache.NONE)
        return self.app

    def stop_program(self, name):
        self._request("stop", name)
        self.app = None

    def _application(self, pid):
        for candidate in self.pyatspi.Registry.getDesktop(0):
            try:
                if candidate is not None and candidate.get_process_id() == pid:
                    return candidate
            except Exception:
                pass  # An application may leave the bus while being listed.
        return None

    # Events.

    def _on_event(self, event):
        if event.type == "object:state-changed:focused" and event.detail1 == 1:
            self.focus_events.append(event.source)
        elif event.type == "object:text-caret-moved":
            self.caret_events.append((event.source, event.detail1))
        elif event.type == "object:property-change:accessible-name":
            self.name_events.append((event.source, event.any_data))

    def pump(self):
        while self.context.iteration(False):
            pass

    def wait_until(self, condition, timeout=5.0):
        """Polls condition, handling events between polls, until it gives a
        true value, which is returned; None after timeout seconds. An object
        that is gone while condition looks at it counts as not there yet."""
        deadline = time.monotonic() + timeout
        while True:
            self.pump()
            try:
                value = condition()
            except self.glib.Error:
                value = None
            if value or time.monotonic() > deadline:
                return value or None
            time.sleep(0.01)

    def settle(self, seconds):
        """Handles the events that come in for that long."""
        self.wait_until(lambda: False, seconds)

    def last_focus(self):
        """The object the program last reported as focused."""
        self.pump()
        return self.focus_events[-1] if self.focus_events else None

    def wait_for_focus(self, what, matches, timeout=3.0):
        """Waits until the object last reported as focused since the last key
        press matches; checks it."""
        def reported():
            node = self.last_focus()
            return node if len(self.focus_events) > self.focus_mark and matches(node) else None
        node = self.wait_until(reported, timeout)
        last = self.last_focus()
        return node if self.check("focus reported on %s" % what, node is not None,
                                  "last focus report: %s" % describe(last)) else None

    def wait_for_caret(self, what, node, offset, timeout=2.0):
        """Waits until a caret move of node to offset has been reported since
        the last key press; checks it."""
        def reported():
            return any(source == node and at == offset for source, at in self.caret_events[self.caret_mark:])
        found = self.wait_until(reported, timeout)
        moves = [(describe(source), at) for source, at in self.caret_events[self.caret_mark:]]
        return self.check("caret move to %d reported on %s" % (offset, what), found, "reports: %s" % moves)

    def wait_for_name_change(self, what, node, name, timeout=2.0):
        """Waits until a change of node's name has been reported since the last
        key press and node is named name; checks it. Qt 6.4 sends the object
        itself as the event's new value, so a screen reader asks for the name."""
        def reported():
            return any(source == node for source, _new in self.name_events[self.name_mark:]) and node.name == name
        found = self.wait_until(reported, timeout)
        changes = [describe(source) for source, _new in self.name_events[self.name_mark:]]
        return self.check("name change to %r reported on %s" % (name, what), found, "reports: %s" % changes)

    # A screen reader reading along (OrcaReading, in a process of its own).

    def start_reading_along(self):
        self.reader = subprocess.Popen([sys.executable, os.path.abspath(__file__), "--stand-in"],
                                       stdout=subprocess.PIPE)
        self.reader_output = b""
        self.readings = []  # finished readings, oldest first
        self.reading_since = None  # when the reading in progress began
        return self.wait_until(lambda: self._collect_readings() == "ready", 10)

    def _collect_readings(self):
        last = None
        while select.select([self.reader.stdout], [], [], 0)[0]:
            chunk = os.read(self.reader.stdout.fileno(), 65536)
            if not chunk:
                break
            self.reader_output += chunk
        while b"\n" in self.reader_output:
            line, self.reader_output = self.reader_output.split(b"\n", 1)
            message = json.loads(line)
            if "ready" in message:
                last = "ready"
            elif "ended" in message:
                self.readings.append(message)
                self.reading_since = None
            else:
                self.reading_since = message["began"]
        return last

    def wait_until_read(self, since, quiet=0.15, timeout=10.0):
        """Waits until the reader has finished what it began and has begun
        nothing for quiet seconds. Returns the end of its last reading that
        began after since, or None after timeout seconds."""
        deadline = time.monotonic() + timeout
        last_activity = time.monotonic()
        while time.monotonic() < deadline:
            count = len(self.readings)
            self._collect_readings()
            if self.reading_since is not None or len(self.readings) != count:
                last_activity = time.monotonic()
            elif time.monotonic() - last_activity >= quiet:
                ends = [r["ended"] for r in self.readings if r["began"] >= since]
                return max(ends) if ends else since
            time.sleep(0.005)
        return None

    # Keys, as real X key presses to the focused window.

    def key(self, *keys):
        self.pump()
        self.focus_mark = len(self.focus_events)
        self.caret_mark = len(self.caret_events)
        self.name_mark = len(self.name_events)
        subprocess.run(["xdotool", "key", "--delay", "20"] + list(keys), check=True)

    def type(self, text):
        subprocess.run(["xdotool", "type", "--delay", "5", text], check=True)

    @staticmethod
    def window_manager_active_window():
        reply = subprocess.run(["xdotool", "getactivewindow", "getwindowname"], capture_output=True, text=True)
        return reply.stdout.strip() if reply.returncode == 0 else None

    # The program's objects.

    def walk(self, node):
        yield node
        for child in node:
            if child is not None:
                yield from self.walk(child)

    def find(self, root, role, name=None):
        return [n for n in self.walk(root) if n.getRole() == role and (name is None or n.name == name)]

    def has_state(self, node, state):
        return node.getState().contains(state)

    def windows(self):
        return [w for w in self.app if w is not None] if self.app is not None else []

    def active_window(self):
        return next((w for w in self.windows() if self.has_state(w, self.pyatspi.STATE_ACTIVE)), None)

    def wait_for_active_window(self, name, timeout=5.0):
        def named_window_active():
            active = self.active_window()
            return active if active is not None and active.name == name else None
        window = self.wait_until(named_window_active, timeout)
        active = self.active_window()
        self.check("window %r active" % name, window is not None,
                   "active: %r, window manager: %r" % (active.name if active is not None else None,
                                                       self.window_manager_active_window()))
        return window

    def text_fields(self, root):
        """The line edits under root, by accessible name."""
        roles = (self.pyatspi.ROLE_TEXT, self.pyatspi.ROLE_ENTRY, self.pyatspi.ROLE_PASSWORD_TEXT)
        return {n.name: n for n in self.walk(root)
                if n.getRole() in roles and not self.has_state(n, self.pyatspi.STATE_MULTI_LINE)}

    def orca_reading(self, node):
        """What Orca 43 speaks for a focused line edit: the text covered by the
        attribute runs of offsets 0..count-1, joined (speech_generator.py,
        script_utilities.py getAllTextAttributesForObject)."""
        text = node.queryText()
        count = self.call("characterCount", lambda: text.characterCount)
        first = last = None
        offset = 0
        while offset < count:
            _attributes, start, end = self.call("getAttributeRun(%d)" % offset, text.getAttributeRun, offset, True)
            first = max(start, offset) if first is None else first
            last = end
            offset = max(end, offset + 1)
        if first is None or last <= first:
            return ""
        return self.call("getText", text.getText, first, min(last, count))


def describe(node):
    if node is None:
        return "none"
    try:
        return "%s %r" % (node.getRoleName(), node.name)
    except Exception as error:
        return "gone (%s)" % error


# ---------------------------------------------------------------- a screen reader's reading

class OrcaReading:
    """Reads what the program reports the way Orca 43 does, with the same
    calls to the program, and writes one JSON line per reading to stdout:
    when it began and ended and what it read. Runs in a process of its own
    ("atspisession.py --stand-in"), as Orca does, so that its calls compete
    with everybody else's for the program's attention.

    The readings are those of orca/scripts/default.py and
    speech_generator.py that matter for lists and dialogs:
    - a window that becomes active, unless it is the active one already (Qt
      reports the main window activated again when one of its dialogs is):
      its name and every label in it that is showing and belongs to nothing
      (script_utilities.unrelatedLabels), not looking into combo boxes, list
      boxes, menus, tables and trees nor into what is not showing, but into
      lists;
    - an object reported as focused: its child count and, for a list, the
      number of its entries, counted by the role of every child
      (_generateNumberOfChildren); for a list entry its position, taken from
      the entry when its list has more than 100 entries and from the list of
      its siblings otherwise (getPositionAndSetSize)."""

    SKIPPED = None  # the roles unrelatedLabels does not look into, set in run()

    def __init__(self):
        import pyatspi
        self.pyatspi = pyatspi
        self.active_window = None
        OrcaReading.SKIPPED = {pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_MENU,
                               pyatspi.ROLE_MENU_BAR, pyatspi.ROLE_SCROLL_PANE, pyatspi.ROLE_SPLIT_PANE,
                               pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE}

    def unrelated_labels(self, root):
        spi = self.pyatspi
        labels = 0
        for child in root:
            if child is None:
                continue
            role = child.getRole()
            showing = child.getState().contains(spi.STATE_SHOWING)
            if role == spi.ROLE_LABEL and showing and not child.getRelationSet():
                labels += 1
            if role not in self.SKIPPED and showing:
                labels += self.unrelated_labels(child)
        return labels

    def read(self, event):
        spi = self.pyatspi
        source = event.source
        role = source.getRole()
        reading = {"role": source.getRoleName(), "name": source.name}
        if event.type == "window:activate":
            reading["labels"] = self.unrelated_labels(source)
        elif role == spi.ROLE_LIST:
            source.childCount
            reading["entries"] = len([c for c in source if c is not None and c.getRole() == spi.ROLE_LIST_ITEM])
        elif role == spi.ROLE_LIST_ITEM:
            entries = source.parent
            if entries.childCount > 100:
                reading["position"] = source.getIndexInParent()
            else:
                reading["position"] = [c for c in entries].index(source)
        return reading

    def on_event(self, event):
        if event.type == "window:activate":
            if event.source == self.active_window:
                return
            self.active_window = event.source
        elif not (event.type == "object:state-changed:focused" and event.detail1 == 1):
            return
        began = time.monotonic()
        print(json.dumps({"began": began}), flush=True)
        try:
            reading = self.read(event)
        except Exception as error:  # The object may be gone; Orca skips it as well.
            reading = {"gone": str(error)}
        reading.update(event=event.type, began=began, ended=time.monotonic())
        print(json.dumps(reading, ensure_ascii=False), flush=True)

    def run(self):
        self.pyatspi.Registry.registerEventListener(self.on_event, *ORCA_EVENTS)
        print(json.dumps({"ready": True}), flush=True)
        self.pyatspi.Registry.start()


if __name__ == "__main__" and sys.argv[1:] == ["--stand-in"]:
    OrcaReading().run()
