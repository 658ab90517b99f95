"""The notification-area icon, its callback messages, and the tray menu that the list shares."""

from __future__ import annotations

import subprocess
import time
from pathlib import Path
from typing import Any, Iterator

import pytest

from harness import (BUILD_DIR, WM_LBUTTONUP, WM_RBUTTONUP, WM_TRAYNOTIFY, Program, Rect,
                     WineSession, ini_text, ini_values, wait_until)

SETTINGS_FILE = "KelTovrel.ini"
ENTRIES = b"C:\\\r\nD:\\Temp\r\n"
# Clear of Wine's notification-area window at the top-left corner of the screen.
PLACED = ini_text({"SCR": {"left": 300, "top": 200}})
MENU_CAPTIONS = "Kel Tovrel|Настройки|О программе|Закрыть"
MENU_PICTURE = 16  # the side of each item's picture
POINTER = (700, 500)  # where the pointer rests when the icon's callback arrives
OPEN_LIST_TOP, CLOSED_LIST_TOP = 216, 21  # the list's top edge in the form, panel open or not


@pytest.fixture
def settings_ini() -> str:
    return PLACED


@pytest.fixture
def list_txt() -> bytes:
    return ENTRIES


def open_tray_menu(program: Program) -> Rect:
    """The icon reports a right-button release while the pointer rests at POINTER."""
    program.mouse_move(*POINTER)
    program.post(program.form(), WM_TRAYNOTIFY, 0, WM_RBUTTONUP)
    return Rect.of(program.popup_menu()["rect"])


def menu_closed(program: Program) -> bool:
    return not any(w["class"] == "#32768" and w["visible"] for w in program.windows())


def menu_measures(program: Program) -> tuple[Rect, int, int]:
    """A menu of the same four items with their pictures, as menus measure on this system: its
    rectangle, the height of one item, and the frame above the first. Measured with no other
    menu open: two open menus would fight over the pointer."""
    one = Rect.of(program.probe.call("menu_size", captions="Настройки",
                                     picture=MENU_PICTURE)["rect"])
    four = Rect.of(program.probe.call("menu_size", captions=MENU_CAPTIONS,
                                      picture=MENU_PICTURE)["rect"])
    item = (four.height - one.height) // 3
    return four, item, (one.height - item) // 2


def list_top(program: Program) -> int:
    return program.child("ListBox")["client_rect_in_parent"]["top"]


def visible_windows(program: Program) -> list[str]:
    return [w["class"] for w in program.windows() if w["visible"] and w["class"] != "THintWindow"]


def minimise(program: Program) -> None:
    form = program.form()
    program.click(*Rect.of(program.child(text="_")["rect"]).center)
    wait_until(lambda: not program.info(form)["window"]["visible"], what="the form to go")


def put_behind_another_window(program: Program) -> None:
    decoy = program.probe.call("decoy")["hwnd"]
    wait_until(lambda: program.foreground() == decoy, what="another window in front")


def leave_as_shown(program: Program) -> None:
    pass


def assert_in_front(program: Program) -> None:
    form = program.info()["window"]
    assert form["visible"] and not form["iconic"]
    assert program.foreground() == form["hwnd"]
    assert not program.info(program.app_window())["window"]["visible"], "no taskbar button"


# ---- the icon's lifetime ---------------------------------------------------------------------

def test_icon_lives_until_the_close_item_ends_the_program(program: Program):
    form = program.form()
    assert program.tray_icon_exists(form)

    open_tray_menu(program)
    program.key("Up", "Return")  # up from the top wraps round to the last item, "Закрыть"
    assert program.wait_exit() == 0
    # Wine drops the icons of a window that is gone, so this holds after any exit; that the close
    # query itself removes the icon, while the window still exists, is checked on the session's
    # end (test_startup), which runs the same close query.
    assert not program.tray_icon_exists(form)
    written = ini_values(program.read_file(SETTINGS_FILE) or b"")
    assert sum(len(keys) for keys in written.values()) == 13


@pytest.mark.parametrize("arrange", [leave_as_shown, put_behind_another_window, minimise],
                         ids=["shown", "behind another window", "minimised"])
def test_right_button_release_on_the_icon_opens_the_menu_beside_the_pointer(
        program: Program, arrange):
    same, _, _ = menu_measures(program)
    arrange(program)
    menu = open_tray_menu(program)
    assert (menu.left, menu.top) == (POINTER[0] - 24, POINTER[1] - 4)
    # Four items with their pictures: the size a menu of the same items has here.
    assert (menu.width, menu.height) == (same.width, same.height)
    assert_in_front(program)
    assert sorted(visible_windows(program)) == ["#32768", "TForm1"]

    program.key("Escape")
    wait_until(lambda: menu_closed(program), what="the menu to close")
    assert program.process.poll() is None and list_top(program) == CLOSED_LIST_TOP


def test_menu_closes_without_a_command_when_nothing_is_chosen(program: Program):
    def click_the_header_then_escape() -> None:
        program.click(*POINTER)  # the pointer rests on the grey header "Kel Tovrel"
        time.sleep(0.3)
        assert not menu_closed(program), "the header cannot be chosen"
        program.key("Escape")

    ways = {
        "Escape": lambda: program.key("Escape"),
        "click outside": lambda: program.click(1000, 900),
        # Down from the top highlights the first item, the header, which Return cannot choose.
        "header by keyboard": lambda: program.key("Down", "Return"),
        "header by click": click_the_header_then_escape,
    }
    for way, dismiss in ways.items():
        open_tray_menu(program)
        dismiss()
        wait_until(lambda: menu_closed(program), what=f"the menu to close ({way})")
        assert list_top(program) == CLOSED_LIST_TOP, way
        assert program.process.poll() is None, way
    assert program.launches() == []
    assert program.read_file(SETTINGS_FILE) == PLACED.encode(), "no command saved anything"


def test_settings_item_opens_and_closes_the_panel(program: Program):
    _, item, frame = menu_measures(program)

    def settings_item(menu: Rect) -> tuple[int, int]:
        return menu.center[0], menu.top + frame + item + item // 2

    def by_keyboard(menu: Rect) -> None:
        program.key("Up", "Up", "Up", "Return")  # from the top round to the last, then up

    def by_left_click(menu: Rect) -> None:
        program.click(*settings_item(menu), button=1)

    def by_right_click(menu: Rect) -> None:
        program.click(*settings_item(menu), button=3)

    expected = CLOSED_LIST_TOP
    for choose in (by_keyboard, by_left_click, by_right_click):
        choose(open_tray_menu(program))
        expected = OPEN_LIST_TOP if expected == CLOSED_LIST_TOP else CLOSED_LIST_TOP
        wait_until(lambda: list_top(program) == expected,
                   what=f"the panel to toggle ({choose.__name__})")
        assert menu_closed(program)
        assert_in_front(program)


# ---- the left button and the other mouse messages --------------------------------------------

NO_ACTION = [0x0200, 0x0201, 0x0203, 0x0204, 0x0206, 0x0207, 0x0208, 0x0209]


@pytest.mark.parametrize("arrange", [put_behind_another_window, minimise],
                         ids=["behind another window", "minimised"])
def test_only_a_left_button_release_brings_the_window_back(program: Program, arrange):
    form = program.form()
    arrange(program)
    away = program.foreground()
    visible = program.info(form)["window"]["visible"]
    for message in NO_ACTION:
        program.post(form, WM_TRAYNOTIFY, 0, message)
    time.sleep(0.5)
    assert program.info(form)["window"]["visible"] == visible
    assert program.foreground() == away
    assert menu_closed(program)

    program.post(form, WM_TRAYNOTIFY, 0, WM_LBUTTONUP)
    wait_until(lambda: program.foreground() == form, what="the form in front")
    assert_in_front(program)
    assert visible_windows(program) == ["TForm1"]


# ---- the same menu on the list ---------------------------------------------------------------

def test_list_opens_the_same_menu_at_the_pointer_or_from_the_keyboard_at_its_corner(
        program: Program):
    list_box = program.child("ListBox")
    corner = Rect.of(list_box["rect"])
    pointer = program.entry_point(1)

    def right_click() -> None:
        program.click(*pointer, button=3)

    def context_menu_key() -> None:
        program.key("Menu", over=list_box["hwnd"])

    def shift_f10() -> None:
        program.key("shift+F10", over=list_box["hwnd"])

    for ask, where in [(right_click, pointer), (context_menu_key, (corner.left, corner.top)),
                       (shift_f10, (corner.left, corner.top))]:
        ask()
        menu = Rect.of(program.popup_menu()["rect"])
        assert (menu.left, menu.top) == where, ask.__name__
        assert not program.info(program.app_window())["window"]["visible"], ask.__name__
        program.key("Escape")
        wait_until(lambda: menu_closed(program), what="the menu to close")
    assert list_top(program) == CLOSED_LIST_TOP


# ---- "О программе" ---------------------------------------------------------------------------

TEXT_TYPE = r"HKLM\Software\Classes\.txt"
VIEWER_TYPE = r"HKLM\Software\Classes\KtTestReadMeViewer"


@pytest.fixture(scope="module")
def readme_viewer(wine_session: WineSession, tmp_path_factory) -> Iterator[Path]:
    """Text files open with a launch recorder for this module's tests: it logs its command line
    to its own path plus ".log". The prefix's earlier association is put back afterwards."""
    viewer = tmp_path_factory.mktemp("viewer") / "readme_viewer.exe"
    viewer.write_bytes((BUILD_DIR / "kt_launch_recorder.exe").read_bytes())

    def reg(*args: str, check: bool = True) -> subprocess.CompletedProcess[bytes]:
        return subprocess.run(["wine", "reg", *args], env=wine_session.env, check=check,
                              capture_output=True, timeout=60)

    before = reg("query", TEXT_TYPE, "/ve", check=False)
    old_type = None
    if before.returncode == 0:
        # A line "    (Default)    REG_SZ    txtfile" names the earlier file type.
        rows = before.stdout.decode(errors="replace").splitlines()
        old_type = next(row for row in rows if "REG_SZ" in row).split("REG_SZ", 1)[1].strip()
    reg("add", VIEWER_TYPE + r"\shell\open\command", "/ve", "/d",
        f'"{WineSession.windows_path(viewer)}" "%1" %*', "/f")
    reg("add", TEXT_TYPE, "/ve", "/d", VIEWER_TYPE.rsplit("\\", 1)[1], "/f")
    try:
        yield viewer
    finally:
        if old_type is None:
            reg("delete", TEXT_TYPE, "/f", check=False)
        else:
            reg("add", TEXT_TYPE, "/ve", "/d", old_type, "/f", check=False)
        reg("delete", VIEWER_TYPE, "/f", check=False)


def new_visible_windows(program: Program, known: set[int], seconds: float) -> list[dict[str, Any]]:
    """Visible top-level windows of any process that appear within the time given."""
    seen: dict[int, dict[str, Any]] = {}
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for w in program.probe.windows():
            if w["visible"] and w["hwnd"] not in known and w["class"] != "#32768":
                seen[w["hwnd"]] = w
        time.sleep(0.1)
    return list(seen.values())


@pytest.mark.parametrize("with_readme", [True, False], ids=["ReadMe.txt", "no ReadMe.txt"])
def test_about_item_opens_the_read_me_through_the_shell(readme_viewer: Path,
                                                        fresh_program: Program, with_readme: bool):
    log = readme_viewer.with_name(readme_viewer.name + ".log")
    log.unlink(missing_ok=True)
    readme = fresh_program.dir / "ReadMe.txt"
    if with_readme:
        fresh_program.write_file(readme.name, "Kel Tovrel\r\n")
    program = fresh_program.start()
    known = {w["hwnd"] for w in program.probe.windows() if w["visible"]}

    open_tray_menu(program)
    program.key("Up", "Up", "Return")  # "О программе", the item above "Закрыть"
    if with_readme:
        wait_until(log.exists, what="the read-me viewer to start")
        [command_line] = log.read_bytes().splitlines()
        arguments = Program.arguments(command_line)
        # The shell hands the viewer the file, then the program's directory as parameters.
        expected = f'"{WineSession.windows_path(readme)}" {WineSession.windows_path(program.dir)}\\'
        assert arguments == expected.encode(program.ansi)
    else:
        assert new_visible_windows(program, known, 2.0) == []
        assert not log.exists()
    assert program.process.poll() is None
    assert visible_windows(program) == ["TForm1"]


# ---- a notification area made anew -----------------------------------------------------------

def test_taskbar_created_adds_the_icon_again(program: Program):
    form = program.form()
    taskbar_created = program.probe.call("message", name="TaskbarCreated")["msg"]
    deliveries = {
        "sent to the form": lambda: program.send(form, taskbar_created),
        "broadcast": lambda: program.probe.call("broadcast", msg=taskbar_created),
    }
    for how, deliver in deliveries.items():
        assert program.probe.call("tray_delete", hwnd=form)["deleted"], how
        assert not program.tray_icon_exists(form), how
        deliver()
        wait_until(lambda: program.tray_icon_exists(form), what=f"the icon back ({how})")
