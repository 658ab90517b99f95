"""The main window: its shape, the title strip, coming forward under a resting pointer, the
settings panel over the list, its place at start-up, and how it looks at two screen densities."""

from __future__ import annotations

import shutil
import subprocess
import time
from pathlib import Path
from typing import Any, Iterator

import pytest

from harness import (APP_TITLE, WM_RBUTTONUP, WM_TRAYNOTIFY, WS_EX_LAYERED, WS_EX_TOOLWINDOW,
                     Probe, Program, Rect, WineSession, ini_text, ini_values, wait_until)

SETTINGS_FILE = "KelTovrel.ini"
ENTRIES = b"C:\\\r\nD:\\Temp\r\n"
# Wine shows notification icons in a small window at the top-left corner of the screen.
PLACED = {"left": 300, "top": 200}
AWAY = (1100, 950)  # a point clear of the form, of the probe's decoy and of Wine's tray window

WS_POPUP = 0x80000000
WS_BORDER = 0x00800000
WS_DLGFRAME = 0x00400000
WS_SYSMENU = 0x00080000
WS_THICKFRAME = 0x00040000
LWA_ALPHA = 0x2

# The design at 96 dots per inch: title strip height, and the open panel's list top, 2 px below
# the bottom of "Скрыть настройки" (21 + 170 + 23 + 2).
STRIP_HEIGHT = 21
OPEN_LIST_TOP = 216
DESIGN_SIZE = (164, 452)
ALL_SETTINGS = {"SCR": {"left", "top", "height", "width"},
                "prog": {"sort", "value", "autohide"},
                "interface": {"bgcolor"},
                "font": {"Font1", "Color1", "CharSet1", "Style1", "Size1"}}


@pytest.fixture
def settings_ini() -> str:
    return ini_text({"SCR": PLACED})


def start_with_pointer_away(program: Program) -> Program:
    """Starts the program with the pointer off its window, so that nothing has stopped the
    timer that brings the window forward."""
    program.mouse_move(*AWAY)
    return program.start()


def visible_windows(program: Program) -> list[str]:
    """Classes of the program's visible top-level windows; a hint that happens to show aside."""
    return [w["class"] for w in program.windows()
            if w["visible"] and w["class"] != "THintWindow"]


def title_strip(program: Program) -> dict[str, Any]:
    form = program.form()
    return next(c for c in program.children() if c["class"] == "TPanel" and c["parent"] == form
                and c["client_rect_in_parent"]["top"] == 0)


def layout(program: Program) -> dict[str, Any]:
    """Where the list, "Скрыть настройки" and "_" are, in the form's client coordinates."""
    window = program.info()["window"]
    origin = window["client_origin"]

    def in_client(child: dict[str, Any]) -> Rect:
        r = Rect.of(child["rect"])
        return Rect(r.left - origin["x"], r.top - origin["y"], r.right - origin["x"],
                    r.bottom - origin["y"])

    client = Rect.of(window["client_rect"])
    return {"client": client,
            "list": in_client(program.child("ListBox")),
            "hide_settings": in_client(program.child(text="Скрыть настройки")),
            "minimise": in_client(program.child(text="_")),
            "strip": in_client(title_strip(program))}


def put_behind_the_decoy(program: Program) -> int:
    decoy = program.probe.call("decoy")["hwnd"]
    wait_until(lambda: program.foreground() == decoy, what="the decoy in front")
    return decoy


# ---- shape -----------------------------------------------------------------------------------

@pytest.mark.parametrize("settings_ini, alpha", [
    (ini_text({"SCR": PLACED}), 220),
    (ini_text({"SCR": PLACED, "prog": {"value": 150}}), 150),
], ids=["default opacity", "stored opacity"])
def test_form_is_a_captionless_translucent_tool_window_of_the_hidden_application_window(
        program: Program, alpha: int):
    info = program.info()
    form = info["window"]
    style, exstyle = form["style"], form["exstyle"]
    assert style & WS_POPUP and style & WS_BORDER and style & WS_THICKFRAME
    assert not style & WS_DLGFRAME and not style & WS_SYSMENU, "no caption bar, no system menu"
    assert exstyle & WS_EX_TOOLWINDOW
    assert exstyle & WS_EX_LAYERED and info["layered"]["alpha"] == alpha
    assert info["layered"]["flags"] & LWA_ALPHA
    # No caption bar: the frame is as thick above the client area as beside it.
    rect = Rect.of(form["rect"])
    origin = form["client_origin"]
    assert origin["y"] - rect.top == origin["x"] - rect.left

    app = program.info(program.app_window())["window"]
    assert form["owner"] == app["hwnd"]
    assert app["title"] == APP_TITLE and not app["visible"]
    # Activated at its first show; the application window keeps the application title.
    wait_until(lambda: program.info()["window"]["title"] == "Kel_Tovrel", what="the new caption")
    assert visible_windows(program) == ["TForm1"]

    # Deactivation changes nothing of this: still no second window, no taskbar button.
    put_behind_the_decoy(program)
    assert program.info()["window"]["title"] == "Kel_Tovrel"
    assert program.info(program.app_window())["window"]["title"] == APP_TITLE
    assert visible_windows(program) == ["TForm1"]


def test_minimise_button_takes_the_form_off_the_screen_and_writes_the_settings(
        program: Program):
    places = layout(program)
    strip, minimise = places["strip"], places["minimise"]
    assert (minimise.width, minimise.height) == (23, 20)
    assert (minimise.top, minimise.right) == (strip.top, strip.right - 2)
    assert program.read_file(SETTINGS_FILE) == ini_text({"SCR": PLACED}).encode()

    form = program.form()
    program.click(*program.screen_point(form, *minimise.center))
    wait_until(lambda: not program.info(form)["window"]["visible"], what="the form to go")
    assert visible_windows(program) == [], "no window and no taskbar button is left"
    assert program.tray_icon_exists(form), "the tray icon is the way back"
    written = ini_values(program.read_file(SETTINGS_FILE) or b"")
    assert {section: set(keys) for section, keys in written.items()} == ALL_SETTINGS
    assert (written["SCR"]["left"], written["SCR"]["top"]) == ("300", "200")


# ---- title strip -----------------------------------------------------------------------------

@pytest.mark.parametrize("button, grip", [
    (1, "strip"), (3, "strip"), (2, "strip"), (1, "label"),
], ids=["left on the strip", "right on the strip", "middle on the strip", "left on the label"])
def test_dragging_the_title_strip_moves_the_window_by_the_pointer_movement(
        program: Program, button: int, grip: str):
    strip = Rect.of(title_strip(program)["rect"])
    if grip == "label":
        x, y = Rect.of(program.child(text="KEL Tovrel")["rect"]).center
    else:
        x, y = strip.left + 90, strip.center[1]  # between the label and "_"
    before = program.rect()

    program.mouse_move(x, y)
    program.mouse_down(button)
    for step in range(1, 5):
        program.mouse_move(x + 15 * step, y + 10 * step)
    program.mouse_up(button)
    moved = Rect(before.left + 60, before.top + 40, before.right + 60, before.bottom + 40)
    try:
        wait_until(lambda: program.rect() == moved, timeout=5)
    except TimeoutError:
        pass  # the assertion below shows where it went
    assert program.rect() == moved

    # The move ended with that button's release: the window no longer follows the pointer.
    program.mouse_move(x + 200, y + 150)
    time.sleep(0.3)
    assert program.rect() == moved
    assert program.info()["window"]["visible"], "a drag is not a click on \"_\""


# ---- coming forward under a resting pointer --------------------------------------------------

@pytest.mark.parametrize("list_txt", [ENTRIES])
def test_pointer_resting_on_the_list_brings_the_window_forward_once_per_movement(
        fresh_program: Program):
    program = start_with_pointer_away(fresh_program)
    form = program.form()
    decoy = put_behind_the_decoy(program)
    first_row = program.entry_point(0)

    program.mouse_move(*first_row)
    wait_until(lambda: program.foreground() == form, what="the form in front")

    # Sent behind again while the pointer rests where it is: it stays behind.
    program.probe.call("set_foreground", hwnd=decoy)
    wait_until(lambda: program.foreground() == decoy, what="the decoy in front")
    time.sleep(0.6)
    assert program.foreground() == decoy

    # A movement over the list arms it once more.
    program.mouse_move(first_row[0] + 5, first_row[1])
    wait_until(lambda: program.foreground() == form, what="the form in front again")


def strip_point(program: Program) -> tuple[int, int]:
    strip = Rect.of(title_strip(program)["rect"])
    return strip.left + 90, strip.center[1]


def panel_point(program: Program) -> tuple[int, int]:
    # Between "Фон списка" and "Скрыть настройки": the panel itself, no control of it.
    below = Rect.of(program.child(text="Фон списка")["rect"])
    above = Rect.of(program.child(text="Скрыть настройки")["rect"])
    return below.right - 20, (below.bottom + above.top) // 2


def border_point(program: Program) -> tuple[int, int]:
    rect = program.rect()
    return rect.left + 1, rect.center[1]


@pytest.mark.parametrize("rest_on, comes_forward", [
    (border_point, True), (strip_point, False), (panel_point, False),
], ids=["sizing border", "title strip", "open settings panel"])
def test_pointer_resting_elsewhere_on_the_window(fresh_program: Program, rest_on,
                                                 comes_forward: bool):
    program = start_with_pointer_away(fresh_program)  # empty list: the panel is open
    form = program.form()
    put_behind_the_decoy(program)
    point = rest_on(program)
    assert program.probe.call("at", x=point[0], y=point[1])["root"] == form

    program.mouse_move(*point)
    if comes_forward:
        wait_until(lambda: program.foreground() == form, what="the form in front")
        return
    time.sleep(0.6)
    assert program.foreground() != form
    # The timer kept trying: resting on the sizing border now brings the window forward.
    program.mouse_move(*border_point(program))
    wait_until(lambda: program.foreground() == form, what="the form in front")


# ---- settings panel over the list ------------------------------------------------------------

def resize_by_call(program: Program, width: int, height: int) -> None:
    program.probe.call("setpos", hwnd=program.form(), width=width, height=height)


def resize_by_corner(program: Program, width: int, height: int) -> None:
    """Drags the bottom-right corner of the sizing frame with the mouse."""
    rect = program.rect()
    x, y = rect.right - 2, rect.bottom - 2
    program.mouse_move(x, y)
    program.mouse_down(1)
    dx, dy = width - rect.width, height - rect.height
    for step in range(1, 5):
        program.mouse_move(x + dx * step // 4, y + dy * step // 4)
    program.mouse_up(1)


RESIZES = [
    (resize_by_call, 250, 600),
    (resize_by_corner, 200, 500),
    (resize_by_call, 164, 150),  # too short for the open panel
    (resize_by_call, 164, 452),
]


@pytest.mark.parametrize("list_txt, panel_open", [(None, True), (ENTRIES, False)],
                         ids=["empty list: panel open", "entries: panel closed"])
def test_list_keeps_its_edge_while_the_window_is_resized(program: Program, panel_open: bool):
    def check() -> None:
        places = layout(program)
        client, listed = places["client"], places["list"]
        strip, hide = places["strip"], places["hide_settings"]
        assert strip == Rect(0, 0, client.right, STRIP_HEIGHT)
        assert places["minimise"].right == client.right - 2
        assert (hide.left, hide.right) == (2, client.right - 2)
        assert (listed.left, listed.right) == (0, client.right)
        if panel_open:
            assert hide.bottom + 2 == listed.top == OPEN_LIST_TOP
            assert listed.bottom == max(client.bottom, OPEN_LIST_TOP)  # never negative
        else:
            assert (listed.top, listed.bottom) == (STRIP_HEIGHT, client.bottom)

    check()  # at the first show: an empty list opens the panel
    for resize, width, height in RESIZES:
        resize(program, width, height)
        wait_until(lambda: (program.rect().width, program.rect().height) == (width, height),
                   what=f"the size {width} x {height} by {resize.__name__}")
        check()


# ---- place at start-up -----------------------------------------------------------------------

def screen(program: Program) -> Rect:
    width, height = program.session.run("xdotool", "getdisplaygeometry").stdout.split()
    return Rect(0, 0, int(width), int(height))


@pytest.mark.parametrize("settings_ini, kept", [
    (ini_text({"SCR": {"left": -5000, "top": 200}}), False),
    (ini_text({"SCR": {"left": 3000, "top": 5000}}), False),
    (ini_text({"SCR": {"left": -100, "top": 200}}), True),
    (ini_text({"SCR": {"left": 300, "top": -100}}), True),
], ids=["far left", "far below right", "partly left of the screen", "partly above the screen"])
def test_stored_position_off_every_screen_is_brought_back(program: Program, settings_ini: str,
                                                         kept: bool):
    stored = ini_values(settings_ini)["SCR"]
    rect = program.rect()
    assert (rect.width, rect.height) == DESIGN_SIZE
    if kept:
        assert (rect.left, rect.top) == (int(stored["left"]), int(stored["top"]))
    else:
        display = screen(program)
        assert display.left <= rect.left and rect.right <= display.right
        assert display.top <= rect.top and rect.bottom <= display.bottom


# ---- at two screen densities -----------------------------------------------------------------

def set_registry_value(registry: Path, key: str, name: str, data: str) -> None:
    """Sets a value in a registry file of a prefix whose wineserver is not running."""
    header = "[" + key.replace("\\", "\\\\") + "]"
    lines = registry.read_text(encoding="latin-1").splitlines()
    value = f'"{name}"='
    at = next(i for i, line in enumerate(lines) if line.startswith(header + " "))
    end = next((i for i in range(at + 1, len(lines)) if not lines[i]), len(lines))
    kept = [line for line in lines[at + 1:end] if not line.startswith(value)]
    lines[at + 1:end] = kept + [value + data]
    registry.write_text("\n".join(lines) + "\n", encoding="latin-1")


@pytest.fixture
def session_at(dpi: int, wine_session: WineSession, probe: Probe,
               tmp_path: Path) -> Iterator[tuple[WineSession, Probe]]:
    """A Wine session and probe whose screen has the given density: the shared one at 96 dots
    per inch, otherwise a copy of the prefix of this test's own, with its own wineserver."""
    if dpi == 96:
        yield wine_session, probe
        return
    prefix = tmp_path / "wineprefix"
    # Hard links make the copy at once; the registry files, rewritten while Wine runs, are
    # copied whole. Across file systems the copy is a full one.
    if subprocess.run(["cp", "-al", wine_session.env["WINEPREFIX"], str(prefix)],
                      capture_output=True).returncode != 0:
        shutil.rmtree(prefix, ignore_errors=True)
        shutil.copytree(wine_session.env["WINEPREFIX"], prefix, symlinks=True)
    for registry in prefix.glob("*.reg"):
        data = registry.read_bytes()
        registry.unlink()
        registry.write_bytes(data)
    # Wine takes the density once, when its first process starts: set it before that.
    set_registry_value(prefix / "user.reg", r"Control Panel\Desktop", "LogPixels",
                       f"dword:{dpi:08x}")
    session = WineSession()
    session.env["WINEPREFIX"] = str(prefix)
    session.env["DISPLAY"] = wine_session.env["DISPLAY"]
    session.open()
    try:
        own_probe = Probe(session)
        try:
            yield session, own_probe
        finally:
            own_probe.close()
    finally:
        session.close()
        shutil.rmtree(prefix, ignore_errors=True)


@pytest.mark.parametrize("dpi", [96, 144])
def test_window_with_entries_and_the_panel_open_at_the_screen_density(
        session_at: tuple[WineSession, Probe], dpi: int, tmp_path: Path):
    session, own_probe = session_at
    scale = dpi / 96
    program = Program(session, own_probe, tmp_path / "program")
    program.write_file("list.txt", ENTRIES)
    width, height = (round(side * scale) for side in DESIGN_SIZE)
    program.write_file(SETTINGS_FILE, ini_text({"SCR": {**PLACED, "width": width,
                                                        "height": height}}))
    try:
        program.start()
        form = program.form()
        assert program.info()["window"]["dpi"] == dpi
        # The tray menu's "Настройки" (Up from the top wraps to the last item, then on up).
        program.mouse_move(700, 500)
        program.post(form, WM_TRAYNOTIFY, 0, WM_RBUTTONUP)
        program.popup_menu()
        program.key("Up", "Up", "Up", "Return")
        wait_until(lambda: layout(program)["list"].top > layout(program)["strip"].bottom,
                   what="the settings panel to open")

        places = layout(program)
        assert places["strip"].height == round(STRIP_HEIGHT * scale)
        assert places["list"].top - places["hide_settings"].bottom == round(2 * scale)
        assert abs(places["list"].top - OPEN_LIST_TOP * scale) <= 1
        assert program.entries() == [b"C:\\", b"D:\\Temp"]
        shot = program.screenshot(f"window-{dpi}dpi", program.rect())
        assert shot.stat().st_size > 0
    finally:
        program.kill_all()
