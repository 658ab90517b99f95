"""The list of the real program under a real pointer and keyboard: hover selection, tooltips,
opening an entry in the file manager, and the keys that save and delete."""

from __future__ import annotations

import time

import pytest

from harness import PROGRAM_NAME, Program, WineSession, ini_text, ini_values, wait_until

PLACE = {"left": 300, "top": 200}  # clear of Wine's notification window at the top-left corner
SETTINGS_FILE = PROGRAM_NAME.removesuffix(".exe") + ".ini"
SETTINGS_KEYS = {
    "SCR": {"left", "top", "height", "width"},
    "prog": {"sort", "value", "autohide"},
    "interface": {"bgcolor"},
    "font": {"Font1", "Color1", "CharSet1", "Style1", "Size1"},
}
LONG_ENTRY = b"C:\\Documents and Settings\\All Users\\Caf\xe9 archive\\2024\\reports"
LIST = [b"C:\\Program Files\\caf\xe9 & co", b"", b"D:\\two  spaces\\%PATH%", LONG_ENTRY, b"E:\\"]


@pytest.fixture
def list_txt() -> bytes:
    return b"".join(entry + b"\r\n" for entry in LIST)


@pytest.fixture
def settings_ini() -> str:
    return ini_text({"SCR": PLACE})


@pytest.fixture(autouse=True)
def pointer_off_the_form(wine_session: WineSession) -> None:
    """The pointer waits away from where the form will be, so the program starts unhovered."""
    wine_session.run("xdotool", "mousemove", "1200", "1000")


def hover(program: Program, index: int) -> None:
    program.mouse_move(*program.entry_point(index))
    wait_until(lambda: program.list_box()["cursel"] == index, what=f"entry {index} selected")


def below_the_last_entry(program: Program) -> tuple[int, int]:
    x, y = program.entry_point(len(program.entries()) - 1)
    return x, y + 3 * program.list_box()["itemheight"]


def visible_tooltip(program: Program) -> dict | None:
    return next((w for w in program.windows() if w["class"] == "THintWindow" and w["visible"]),
                None)


def launched(program: Program, count: int = 1) -> list[bytes]:
    """The parameters of the file manager's launches, once there are count of them."""
    wait_until(lambda: len(program.launches()) >= count, what=f"{count} launch(es)")
    return [Program.arguments(line) for line in program.launches()]


def test_hovering_selects_the_entry_under_the_pointer(program: Program):
    assert program.list_box()["cursel"] == -1
    hover(program, 0)  # the very first movement already selects
    hover(program, 3)
    program.mouse_move(*below_the_last_entry(program))
    wait_until(lambda: program.list_box()["cursel"] == -1, what="no entry selected")
    hover(program, 3)  # back onto the entry highlighted last: selected again
    assert program.entries() == LIST


def test_only_an_entry_too_wide_for_the_list_shows_a_tooltip_with_its_whole_text(
        program: Program):
    # The tooltip shows at the pointer's next movement over the entry.
    hover(program, 3)
    program.mouse_move(*program.entry_point(3, dx=4))
    tooltip = wait_until(lambda: visible_tooltip(program), what="the tooltip")
    assert tooltip["title"] == LONG_ENTRY.decode(program.ansi)

    hover(program, 4)
    wait_until(lambda: not visible_tooltip(program), what="the tooltip to hide")
    program.mouse_move(*program.entry_point(4, dx=4))
    time.sleep(0.5)  # the tooltip would show 10 ms after this movement
    assert visible_tooltip(program) is None


@pytest.mark.parametrize("index", range(len(LIST)), ids=[
    "blanks, high byte and ampersand", "empty entry", "two blanks and a percent sign",
    "long entry", "drive root"])
def test_a_left_click_opens_the_entry_with_its_exact_bytes(program: Program, index: int):
    hover(program, index)
    program.click(*program.entry_point(index))
    assert launched(program) == [LIST[index]]
    assert program.info()["window"]["visible"], "without autohide the program stays"


def dismiss_the_context_menu(program: Program) -> None:
    program.popup_menu()
    program.key("Escape")
    wait_until(lambda: not any(w["class"] == "#32768" and w["visible"]
                               for w in program.windows()), what="the menu to close")


@pytest.mark.parametrize("gesture", ["right click on an entry", "left click below the entries"])
def test_other_clicks_open_nothing(program: Program, gesture: str):
    if gesture == "right click on an entry":
        hover(program, 0)
        program.click(*program.entry_point(0), button=3)
        dismiss_the_context_menu(program)
    else:
        program.click(*below_the_last_entry(program))
        assert program.list_box()["cursel"] == -1
    # A launch is a process start: one that the gesture made would be logged before this one.
    hover(program, 4)
    program.click(*program.entry_point(4))
    assert launched(program) == [LIST[4]]


def press(program: Program, keys: str) -> None:
    """Presses and releases a key such as "ctrl+Delete" with its modifiers held down until after
    its release (xdotool's own "key ctrl+Delete" lets go of ctrl first)."""
    *modifiers, key = keys.split("+")
    command = ["xdotool"]
    for modifier in modifiers:
        command += ["keydown", modifier]
    command += ["key", key]
    for modifier in reversed(modifiers):
        command += ["keyup", modifier]
    program.session.run(*command)


@pytest.mark.parametrize(("keys", "remaining"), [
    ("Delete", [b"a", b"c"]),
    ("shift+Delete", [b"a", b"c"]),
    ("ctrl+Delete", [b"a", b"c"]),
    ("a", [b"a", b"b", b"c"]),
    ("Down", [b"a", b"b", b"c"]),
], ids=["Delete", "Shift+Delete", "Ctrl+Delete", "a letter", "an arrow"])
@pytest.mark.parametrize("list_txt", [b"a\nb\nc"], ids=["LF line ends"])
def test_a_key_release_saves_the_list_and_delete_first_removes_the_hovered_entry(
        program: Program, keys: str, remaining: list[bytes]):
    hover(program, 1)
    press(program, keys)
    saved = b"".join(entry + b"\r\n" for entry in remaining)
    try:
        wait_until(lambda: program.read_file("list.txt") == saved, timeout=5,
                   what="the list file to be saved")
    except TimeoutError:
        pass  # the assertion shows what the file holds
    assert program.read_file("list.txt") == saved
    assert program.entries() == remaining


@pytest.mark.parametrize("settings_ini", [ini_text({"SCR": PLACE, "prog": {"autohide": 1}})],
                         ids=["autohide"])
def test_with_autohide_a_click_opens_the_entry_and_leaves_only_the_tray_icon(program: Program):
    form = program.form()
    hover(program, 0)
    program.click(*program.entry_point(0))
    assert launched(program) == [LIST[0]]
    wait_until(lambda: not program.info(form)["window"]["visible"], what="the form to go")
    assert not program.info(program.app_window())["window"]["visible"], "no taskbar button"
    assert program.tray_icon_exists(form)

    # The click wrote every setting, the ones the file did not hold before included.
    settings = ini_values(program.read_file(SETTINGS_FILE) or b"")
    assert {section: set(keys) for section, keys in settings.items()} == SETTINGS_KEYS
    assert settings["prog"]["autohide"] == "1"
    assert (settings["SCR"]["left"], settings["SCR"]["top"]) == ("300", "200")
