"""Drives the real program under Wine for the end-to-end tests.

The pieces, from the bottom up:

- ``WineSession``: the Wine prefix and X display the tests share. scripts/test sets WINEPREFIX
  and DISPLAY; run by hand, the prefix defaults to build/wineprefix beside KT_BUILD_DIR and a
  private Xvfb stands in when no DISPLAY is set.
- ``Probe``: kt_probe.exe, a helper inside the same prefix that answers questions about windows
  (one JSON line per request, see probe.cpp).
- ``Program``: one fresh program directory with KelTovrel.exe (KT_PROGRAM names another build)
  and a recording stand-in for the file manager (explorer.exe), the copies of the program
  started from it, their windows, real input through xdotool, and the files the program leaves
  behind.

Win32 screen coordinates equal X root coordinates: there is no window manager on the display.
"""

from __future__ import annotations

import atexit
import json
import os
import queue
import shutil
import signal
import subprocess
import threading
import time
from dataclasses import dataclass
from pathlib import Path
from typing import Any, Callable, Iterable, TypeVar

SOURCE_DIR = Path(os.environ.get("KT_SOURCE_DIR") or Path(__file__).resolve().parents[2])
BUILD_DIR = Path(os.environ.get("KT_BUILD_DIR") or SOURCE_DIR / "build" / "windows")

PROGRAM_NAME = "KelTovrel.exe"
APP_TITLE = "Kel Tovrel"
FORM_CLASS = "TForm1"
APP_WINDOW_CLASS = "TApplication"

# Window messages and their arguments that the tests send.
WM_CLOSE = 0x0010
WM_QUERYENDSESSION = 0x0011
WM_ENDSESSION = 0x0016
WM_KEYDOWN = 0x0100
WM_KEYUP = 0x0101
WM_SYSCOMMAND = 0x0112
WM_MOUSEMOVE = 0x0200
WM_LBUTTONDOWN = 0x0201
WM_LBUTTONUP = 0x0202
WM_LBUTTONDBLCLK = 0x0203
WM_RBUTTONDOWN = 0x0204
WM_RBUTTONUP = 0x0205
WM_TRAYNOTIFY = 0x047B  # the program's tray callback, WM_USER + 123
SC_MINIMIZE = 0xF020
SC_RESTORE = 0xF120
SW_HIDE = 0
SW_SHOWNORMAL = 1
SW_SHOWMINNOACTIVE = 7
WS_VISIBLE = 0x10000000
WS_EX_LAYERED = 0x00080000
WS_EX_TOOLWINDOW = 0x00000080

# Generous limits: a cold Wine start takes a few seconds on a busy machine.
START_TIMEOUT = 30.0
EXIT_TIMEOUT = 15.0

T = TypeVar("T")


def wait_until(
    condition: Callable[[], T], timeout: float = 10.0, interval: float = 0.1, what: str = ""
) -> T:
    """Polls until condition() is truthy and returns that value; raises TimeoutError otherwise."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise TimeoutError(f"gave up after {timeout:.0f} s waiting for {what or condition}")
        time.sleep(interval)


@dataclass(frozen=True)
class Rect:
    left: int
    top: int
    right: int
    bottom: int

    @classmethod
    def of(cls, value: dict[str, int]) -> Rect:
        return cls(value["left"], value["top"], value["right"], value["bottom"])

    @property
    def width(self) -> int:
        return self.right - self.left

    @property
    def height(self) -> int:
        return self.bottom - self.top

    @property
    def center(self) -> tuple[int, int]:
        return (self.left + self.right) // 2, (self.top + self.bottom) // 2


def ini_text(sections: dict[str, dict[str, Any]]) -> str:
    """A settings file as the platform writes one: [section] lines, key=value lines, CRLF."""
    lines = []
    for section, keys in sections.items():
        lines.append(f"[{section}]")
        lines.extend(f"{key}={value}" for key, value in keys.items())
    return "".join(line + "\r\n" for line in lines)


def ini_values(data: bytes | str) -> dict[str, dict[str, str]]:
    """The sections and keys of a settings file as text, in file order; layout and ';' comment
    lines aside. Names keep their letter case; a repeated key keeps its first value, as the
    platform reads it."""
    text = data.decode("latin-1") if isinstance(data, bytes) else data
    sections: dict[str, dict[str, str]] = {}
    keys: dict[str, str] | None = None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            keys = sections.setdefault(line[1:-1], {})
        elif keys is not None and "=" in line and not line.startswith(";"):
            key, value = line.split("=", 1)
            keys.setdefault(key.strip(), value.strip())
    return sections


class WineSession:
    """The prefix and display shared by every Wine process of a test run."""

    def __init__(self) -> None:
        env = dict(os.environ)
        env.setdefault("WINEPREFIX", str(BUILD_DIR.parent / "wineprefix"))
        env["WINEARCH"] = "win64"
        env["WINEDEBUG"] = "-all"
        env["WINEDLLOVERRIDES"] = "mscoree,mshtml="
        self.env = env
        self._xvfb: subprocess.Popen[bytes] | None = None
        self._own_wineserver = False

    def open(self) -> None:
        # The one definition of a ready prefix is scripts/lib.sh's; it returns at once when the
        # prefix is ready, as it is under scripts/test.
        subprocess.run(
            ["bash", "-c", 'source "$1" && kt_prepare_wineprefix', "bash",
             str(SOURCE_DIR / "scripts" / "lib.sh")],
            env=self.env, check=True, timeout=600)
        if not self.env.get("DISPLAY"):
            self._start_xvfb()
        # Run by hand, keep one wineserver for the session as scripts/test does (it refuses when
        # one runs already), and start Wine's background processes with no pipe of ours.
        self._own_wineserver = subprocess.run(
            ["wineserver", "-p"], env=self.env, stderr=subprocess.DEVNULL).returncode == 0
        subprocess.run(["wine", "cmd", "/c", "exit"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
        atexit.register(self.close)

    def close(self) -> None:
        if self._own_wineserver:
            subprocess.run(["wineserver", "-k"], env=self.env, check=False)
            self._own_wineserver = False
        if self._xvfb:
            self._xvfb.terminate()
            self._xvfb.wait(timeout=10)
            self._xvfb = None

    def _start_xvfb(self) -> None:
        read_end, write_end = os.pipe()
        self._xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten",
             "tcp"], pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as display:
            number = display.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not report its display")
        self.env["DISPLAY"] = f":{number}"

    def wine(self, *args: str, cwd: Path | None = None, **popen: Any) -> subprocess.Popen[bytes]:
        return subprocess.Popen(["wine", *args], cwd=cwd, env=self.env, **popen)

    def run(self, *args: str) -> subprocess.CompletedProcess[bytes]:
        """A Linux command on the display (xdotool, import)."""
        return subprocess.run(args, env=self.env, check=True, timeout=30, capture_output=True)

    @staticmethod
    def windows_path(path: Path) -> str:
        """The name Wine gives a Linux path: drive Z: is the Linux root."""
        return "Z:" + str(path.resolve()).replace("/", "\\")


class ProbeError(RuntimeError):
    pass


class Probe:
    """kt_probe.exe: one request per call, one JSON answer."""

    def __init__(self, session: WineSession) -> None:
        self._process = session.wine(
            str(BUILD_DIR / "kt_probe.exe"), stdin=subprocess.PIPE, stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL)
        self._answers: queue.Queue[bytes] = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()
        hello = self.call("ping", timeout=START_TIMEOUT)
        self.pid: int = hello["pid"]
        self.ansi_codepage: int = hello["acp"]

    def _read(self) -> None:
        assert self._process.stdout
        for line in self._process.stdout:
            self._answers.put(line)
        self._answers.put(b"")

    def call(self, verb: str, timeout: float = 15.0, **args: Any) -> dict[str, Any]:
        """Sends `verb key=value ...`; a trailing "_" of a key is dropped (class_ -> class)."""
        words = [verb]
        for key, value in args.items():
            if value is None:
                continue
            if isinstance(value, bool):
                value = int(value)
            words.append(f"{key.rstrip('_')}={json.dumps(value)}")
        request = " ".join(words)
        assert self._process.stdin
        self._process.stdin.write(request.encode() + b"\n")
        self._process.stdin.flush()
        try:
            line = self._answers.get(timeout=timeout)
        except queue.Empty:
            raise ProbeError(f"no answer to {request!r} within {timeout} s") from None
        if not line:
            raise ProbeError(f"the probe ended while answering {request!r}")
        answer = json.loads(line)
        if not answer.pop("ok"):
            raise ProbeError(f"{request}: {answer['error']}")
        return answer

    def close(self) -> None:
        if self._process.poll() is None:
            try:
                assert self._process.stdin
                self._process.stdin.write(b"quit\n")
                self._process.stdin.close()
                self._process.wait(timeout=5)
            except (OSError, subprocess.TimeoutExpired):
                self._process.kill()
                self._process.wait()

    # Shorthands for the questions every test asks.

    def windows(self, pid: int | None = None) -> list[dict[str, Any]]:
        return self.call("windows", pid=pid)["windows"]

    def info(self, hwnd: int) -> dict[str, Any]:
        return self.call("info", hwnd=hwnd)

    def foreground(self) -> int:
        return self.call("foreground")["hwnd"]

    def send(self, hwnd: int, msg: int, wparam: int = 0, lparam: int = 0) -> int:
        return self.call("send", hwnd=hwnd, msg=msg, wparam=wparam, lparam=lparam)["result"]

    def post(self, hwnd: int, msg: int, wparam: int = 0, lparam: int = 0) -> bool:
        return self.call("post", hwnd=hwnd, msg=msg, wparam=wparam, lparam=lparam)["posted"]


class Program:
    """A fresh program directory under test, the copies started from it, and their windows."""

    def __init__(self, session: WineSession, probe: Probe, directory: Path) -> None:
        self.session = session
        self.probe = probe
        self.dir = directory
        self.exe = directory / PROGRAM_NAME
        self.process: subprocess.Popen[bytes] | None = None  # the copy that start() began
        self.copies: list[subprocess.Popen[bytes]] = []  # every copy started, for teardown
        directory.mkdir(parents=True, exist_ok=True)
        program = Path(os.environ.get("KT_PROGRAM") or BUILD_DIR / PROGRAM_NAME)
        shutil.copy2(program, self.exe)
        # The program launches "explorer"; its own folder is searched first.
        shutil.copy2(BUILD_DIR / "kt_launch_recorder.exe", directory / "explorer.exe")

    # ---- files --------------------------------------------------------------------------------

    @property
    def ansi(self) -> str:
        """Python's name of the ANSI code page the program's 8-bit strings are in."""
        return f"cp{self.probe.ansi_codepage}"

    def write_file(self, name: str, data: bytes | str) -> Path:
        """Writes a file beside the program; text is encoded in the ANSI code page."""
        path = self.dir / name
        path.write_bytes(data if isinstance(data, bytes) else data.encode(self.ansi))
        return path

    def read_file(self, name: str) -> bytes | None:
        """A file beside the program, byte for byte; None when it does not exist."""
        path = self.dir / name
        return path.read_bytes() if path.exists() else None

    def launches(self, stub: str = "explorer.exe") -> list[bytes]:
        """The command lines the stand-in received, in order, as raw ANSI bytes."""
        log = self.read_file(stub + ".log")
        return log.splitlines() if log else []

    @staticmethod
    def arguments(command_line: bytes) -> bytes:
        """A command line without its program name (quoted or not) and the blank after it."""
        if command_line.startswith(b'"'):
            end = command_line.index(b'"', 1) + 1
        else:
            end = command_line.find(b" ")
            end = len(command_line) if end < 0 else end
        return command_line[end:].lstrip(b" ")

    # ---- processes ----------------------------------------------------------------------------

    def spawn(self) -> subprocess.Popen[bytes]:
        """Starts one more copy of the program and returns at once."""
        log = open(self.dir.parent / "wine-output.log", "ab")  # Wine's own complaints, if any
        copy = self.session.wine(str(self.exe), cwd=self.dir, stdin=subprocess.DEVNULL,
                                 stdout=log, stderr=log)
        log.close()
        self.copies.append(copy)
        return copy

    def start(self, timeout: float = START_TIMEOUT) -> Program:
        """Starts the program and waits until its main form is visible."""
        self.process = self.spawn()
        self.wait_form_visible(timeout)
        return self

    def wait_form_visible(self, timeout: float = START_TIMEOUT) -> int:
        def visible_form() -> int:
            if self.process and self.process.poll() is not None:
                raise AssertionError(f"the program ended with {self.process.returncode}")
            form = self.find_window(FORM_CLASS)
            return form["hwnd"] if form and form["visible"] else 0

        return wait_until(visible_form, timeout, what="the program's form to be visible")

    def pids(self) -> list[int]:
        """Windows process ids of the running copies of this program directory's executable."""
        tail = WineSession.windows_path(self.exe).lower()[2:]  # drive letter aside
        return [p["pid"] for p in self.probe.call("processes")["processes"]
                if (p["path"] or "").lower().endswith(tail)]

    def wait_exit(self, timeout: float = EXIT_TIMEOUT,
                  process: subprocess.Popen[bytes] | None = None) -> int:
        """Waits for a copy (the started one by default) to end and returns its exit code."""
        process = process or self.process
        assert process, "the program was not started"
        return process.wait(timeout=timeout)

    def close(self, timeout: float = EXIT_TIMEOUT) -> int:
        """Asks the main form to close, as the system would, and returns the exit code."""
        self.probe.post(self.form(), WM_CLOSE)
        return self.wait_exit(timeout)

    def start_together(self, count: int, timeout: float = 90) -> list[subprocess.Popen[bytes]]:
        """Starts copies at the same moment and waits until at most one is left running.

        Returns the copies that are still running a second later (one, when the program keeps
        to one copy per logon); every other copy has ended by then."""
        copies = [self.spawn() for _ in range(count)]

        def running() -> list[subprocess.Popen[bytes]]:
            return [c for c in copies if c.poll() is None]

        try:
            wait_until(lambda: len(running()) <= 1, timeout, what="all copies but one to end")
        except TimeoutError:
            pass  # the caller's assertion says how many stayed
        time.sleep(1)  # a copy that ends late would still show here
        return running()

    def kill_all(self) -> None:
        """Ends every copy at once: ours by their Linux pid, strays through the probe."""
        for copy in self.copies:
            if copy.poll() is None:
                copy.send_signal(signal.SIGKILL)
                copy.wait(timeout=EXIT_TIMEOUT)
        end_strays(self.probe)

    # ---- windows ------------------------------------------------------------------------------

    def windows(self) -> list[dict[str, Any]]:
        """Top-level windows of the running copies, hidden ones included."""
        pids = set(self.pids())
        return [w for w in self.probe.windows() if w["pid"] in pids]

    def find_window(self, window_class: str) -> dict[str, Any] | None:
        return next((w for w in self.windows() if w["class"] == window_class), None)

    def form(self) -> int:
        """The main form's handle."""
        form = self.find_window(FORM_CLASS)
        assert form, "the program has no main form"
        return form["hwnd"]

    def app_window(self) -> int:
        """The application window's handle: hidden, titled "Kel Tovrel", owner of the form."""
        window = self.find_window(APP_WINDOW_CLASS)
        assert window, "the program has no application window"
        return window["hwnd"]

    def dialog(self, title: str | None = None, timeout: float = 10.0) -> dict[str, Any]:
        """Waits for a visible dialog box (a message box, a common dialog) of the program."""

        def shown() -> dict[str, Any] | None:
            return next((w for w in self.windows() if w["class"] == "#32770" and w["visible"]
                         and (title is None or w["title"] == title)), None)

        return wait_until(shown, timeout, what=f"a dialog box {title or ''}")

    def popup_menu(self, timeout: float = 10.0) -> dict[str, Any]:
        """Waits for an open popup menu of the program (its window; the items cannot be read
        from another process)."""

        def shown() -> dict[str, Any] | None:
            return next((w for w in self.windows() if w["class"] == "#32768" and w["visible"]),
                        None)

        return wait_until(shown, timeout, what="a popup menu")

    def info(self, hwnd: int | None = None) -> dict[str, Any]:
        """Everything about a window (the form by default): "window" and "layered"."""
        return self.probe.info(hwnd or self.form())

    def rect(self, hwnd: int | None = None) -> Rect:
        return Rect.of(self.info(hwnd)["window"]["rect"])

    def children(self, hwnd: int | None = None) -> list[dict[str, Any]]:
        """All descendant windows of a window (the form by default)."""
        return self.probe.call("children", hwnd=hwnd or self.form())["children"]

    def child(self, window_class: str | None = None, text: str | None = None,
              control_id: int | None = None, parent: int | None = None) -> dict[str, Any]:
        """The first descendant matching every criterion given."""
        for child in self.children(parent):
            if ((window_class is None or child["class"].lower() == window_class.lower())
                    and (text is None or child["text"] == text)
                    and (control_id is None or child["id"] == control_id)):
                return child
        raise AssertionError(f"no child window class={window_class} text={text} id={control_id}")

    def opacity(self) -> int:
        """The main form's layered opacity, 0..255."""
        return self.info()["layered"]["alpha"]

    def opacity_field(self) -> dict[str, Any]:
        """The opacity spin edit: the edit field that holds the up-down arrows."""
        children = self.children()
        holders = {c["parent"] for c in children if c["class"] == "msctls_updown32"}
        return next(c for c in children if c["class"] == "Edit" and c["hwnd"] in holders)

    def list_box(self, hwnd: int | None = None) -> dict[str, Any]:
        """The list's state: count, cursel, topindex, itemheight and items."""
        return self.probe.call("listbox", hwnd=hwnd or self.child("ListBox")["hwnd"])

    def entries(self, hwnd: int | None = None) -> list[bytes]:
        """The list's entries as the program holds them: 8-bit bytes in the ANSI code page."""
        return [bytes.fromhex(item["hex"]) for item in self.list_box(hwnd)["items"]]

    def entry_point(self, index: int, dx: int = 0) -> tuple[int, int]:
        """A screen point in the row of the list's entry index: near its left end, or dx
        pixels to the right of that (to move within one row)."""
        list_box = self.child("ListBox")["hwnd"]
        row = Rect.of(self.list_box(list_box)["items"][index]["rect"])
        return self.screen_point(list_box, row.left + 8 + dx, (row.top + row.bottom) // 2)

    def send(self, hwnd: int, msg: int, wparam: int = 0, lparam: int = 0) -> int:
        return self.probe.send(hwnd, msg, wparam, lparam)

    def post(self, hwnd: int, msg: int, wparam: int = 0, lparam: int = 0) -> bool:
        return self.probe.post(hwnd, msg, wparam, lparam)

    def foreground(self) -> int:
        return self.probe.foreground()

    def tray_icon_exists(self, hwnd: int | None = None, icon_id: int = 0) -> bool:
        return self.probe.call("tray", hwnd=hwnd or self.form(), id=icon_id)["exists"]

    # ---- real input ---------------------------------------------------------------------------

    def screen_point(self, hwnd: int, x: int, y: int) -> tuple[int, int]:
        """A point given in a window's client coordinates, on the screen."""
        origin = self.probe.info(hwnd)["window"]["client_origin"]
        return origin["x"] + x, origin["y"] + y

    def mouse_move(self, x: int, y: int) -> None:
        # A pointer already at the point does not move, and xdotool's --sync would wait 15 s
        # for a movement that never comes (a test often starts where the previous one ended).
        where = self.session.run("xdotool", "getmouselocation").stdout.split()
        if where[:2] == [f"x:{x}".encode(), f"y:{y}".encode()]:
            return
        self.session.run("xdotool", "mousemove", "--sync", str(x), str(y))

    def click(self, x: int, y: int, button: int = 1, repeat: int = 1) -> None:
        """Moves the pointer to a screen point and clicks there."""
        self.mouse_move(x, y)
        self.session.run("xdotool", "click", "--repeat", str(repeat), str(button))

    def click_in(self, hwnd: int, x: int, y: int, button: int = 1) -> None:
        """Clicks at a point of a window's client area."""
        self.click(*self.screen_point(hwnd, x, y), button=button)

    def mouse_down(self, button: int = 1) -> None:
        self.session.run("xdotool", "mousedown", str(button))

    def mouse_up(self, button: int = 1) -> None:
        self.session.run("xdotool", "mouseup", str(button))

    def key(self, *keys: str, over: int | None = None) -> None:
        """Presses keys such as "Delete", "shift+Delete", "ctrl+Delete", "Return".

        Without a window manager the keyboard goes to the window under the pointer: pass over=
        a window handle to put the pointer on its centre first (the program sees that move too).
        """
        if over:
            self.mouse_move(*Rect.of(self.probe.info(over)["window"]["rect"]).center)
        self.session.run("xdotool", "key", "--delay", "50", *keys)

    def type_text(self, text: str, over: int | None = None) -> None:
        if over:
            self.mouse_move(*Rect.of(self.probe.info(over)["window"]["rect"]).center)
        self.session.run("xdotool", "type", "--delay", "30", text)

    def pixel(self, x: int, y: int) -> tuple[int, int, int]:
        """The colour on the display at a screen point, as (red, green, blue)."""
        text = self.session.run("import", "-window", "root", "-crop", f"1x1+{x}+{y}",
                                "-depth", "8", "txt:-").stdout.decode()
        # The last line reads "0,0: (r,g,b)  #RRGGBB  srgb(...)".
        colour = text.strip().splitlines()[-1].split("#")[1][:6]
        return int(colour[0:2], 16), int(colour[2:4], 16), int(colour[4:6], 16)

    def screenshot(self, name: str = "screen", area: Rect | None = None) -> Path:
        """The whole display, or the area of it given in screen pixels, as a PNG beside the
        program directory."""
        path = self.dir.parent / f"{name}.png"
        crop = ["-crop", f"{area.width}x{area.height}+{area.left}+{area.top}", "+repage"] \
            if area else []
        self.session.run("import", "-window", "root", *crop, str(path))
        return path

    def describe(self) -> str:
        """The top-level windows on the display, one a line, for a failure report."""
        lines = []
        for w in self.probe.windows():
            if w["visible"] or w["pid"] in self.pids():
                r = Rect.of(w["rect"])
                lines.append(f"hwnd={w['hwnd']:#x} pid={w['pid']} class={w['class']!r} "
                             f"title={w['title']!r} visible={w['visible']} iconic={w['iconic']} "
                             f"rect=({r.left},{r.top},{r.right},{r.bottom}) "
                             f"owner={w['owner']:#x}")
        return "\n".join(lines)


def end_strays(probe: Probe, names: Iterable[str] = (PROGRAM_NAME,)) -> None:
    """Ends every process of the prefix with one of these image names, whoever started it."""
    wanted = {name.lower() for name in names}

    def strays() -> list[int]:
        return [p["pid"] for p in probe.call("processes")["processes"]
                if p["exe"].lower() in wanted]

    for pid in strays():
        try:
            probe.call("terminate", pid=pid)
        except ProbeError:
            pass  # gone in the meantime
    wait_until(lambda: not strays(), EXIT_TIMEOUT, what="stray copies to end")
