"""The settings panel driven as a user would: real clicks and keys through the X display."""

from __future__ import annotations

import time
from typing import Any

import pytest

from harness import WM_RBUTTONUP, WM_TRAYNOTIFY, Program, Rect, ini_text, ini_values, wait_until

SETTINGS_FILE = "KelTovrel.ini"
BM_GETCHECK = 0x00F0
WM_NULL = 0x0000
BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE = 0, 1, 2

ADD = "Добавить директорию"
AUTO_HIDE = "Сворачивать после выбора"
SORT = "Сортировать список"
FONT = "Шрифт списка"
BACKGROUND = "Фон списка"


@pytest.fixture
def settings_ini() -> str:
    # Wine shows notification icons in a small window at the top-left corner of the screen,
    # over the settings panel of a window at the default place.
    return ini_text({"SCR": {"left": 300, "top": 200}})


def centre(window: dict[str, Any]) -> tuple[int, int]:
    return Rect.of(window["rect"]).center


def click_on(program: Program, text: str) -> None:
    program.click(*centre(program.child(text=text)))


def settled(program: Program) -> None:
    """Returns once the program has handled what reached it so far: a sent message waits."""
    program.send(program.form(), WM_NULL)


def settings(program: Program) -> dict[str, dict[str, str]]:
    data = program.read_file(SETTINGS_FILE)
    assert data is not None, "the settings file is missing"
    return ini_values(data)


def panel_is_open(program: Program) -> bool:
    # The list covers the add button while the panel is closed.
    x, y = centre(program.child(text=ADD))
    return program.probe.call("at", x=x, y=y)["hwnd"] == program.child(text=ADD)["hwnd"]


def open_panel_from_the_tray_menu(program: Program) -> None:
    form = program.form()
    program.mouse_move(*program.rect(form).center)
    program.post(form, WM_TRAYNOTIFY, 0, WM_RBUTTONUP)
    menu = wait_until(lambda: next((w for w in program.windows()
                                    if w["class"] == "#32768" and w["visible"]), None),
                      what="the tray menu")
    # The menu opens under the pointer, which may or may not have highlighted its first item
    # yet: pointing at that item makes it so, and the keys go to the menu under the pointer.
    menu_rect = Rect.of(menu["rect"])
    program.mouse_move(menu_rect.left + 10, menu_rect.top + 8)
    program.key("Down", "Return")  # "Настройки"
    wait_until(lambda: panel_is_open(program), what="the settings panel to open")


def directory_field(program: Program) -> dict[str, Any]:
    holder = program.child("TDirectoryEdit")["hwnd"]
    return program.child("Edit", parent=holder)


def text_of(program: Program, window: dict[str, Any]) -> str:
    return program.probe.call("text", hwnd=window["hwnd"])["text"]


# ---- directory field and add button -----------------------------------------------------------

@pytest.mark.parametrize("typed, added", [
    pytest.param("  C:\\Games\\Old ", b"C:\\Games\\Old", id="path"),
    pytest.param("   ", None, id="spaces only"),
])
def test_the_add_button_adds_the_trimmed_text_and_saves_both_files_but_ignores_blank_text(
        program: Program, typed: str, added: bytes | None):
    assert panel_is_open(program), "an empty list opens the panel"
    settings_before = program.read_file(SETTINGS_FILE)
    field = directory_field(program)
    program.click(*centre(field))
    program.type_text(typed)
    wait_until(lambda: text_of(program, field) == typed, what="the typed text")

    click_on(program, ADD)
    trimmed = (added or b"").decode(program.ansi)
    wait_until(lambda: text_of(program, field) == trimmed, what="the trimmed text")
    settled(program)
    if added:
        assert program.entries() == [added]
        assert (program.read_file("list.txt") or b"").splitlines() == [added]
        assert settings(program)["prog"] == {"sort": "0", "value": "220", "autohide": "0"}
    else:
        assert program.entries() == []
        assert program.read_file("list.txt") is None
        assert program.read_file(SETTINGS_FILE) == settings_before


def test_the_folder_chooser_fills_the_field_without_adding(program: Program):
    settings_before = program.read_file(SETTINGS_FILE)
    click_on(program, "…")
    chooser = program.dialog(title="Browse for Folder")
    # The tree starts on the desktop: My Computer, open it, its first drive (C:), open it, and
    # the folder "windows" by typing its name.
    program.key("m", over=chooser["hwnd"])
    program.key("Right", "Down", "Right")
    time.sleep(1.2)  # the tree joins letters typed within a second into one name to look for
    program.type_text("windows")
    program.key("Return")

    field = directory_field(program)
    wait_until(lambda: text_of(program, field) == "C:\\windows", what="the chosen path")
    settled(program)
    assert program.entries() == []
    assert program.read_file("list.txt") is None
    assert program.read_file(SETTINGS_FILE) == settings_before


# ---- check boxes --------------------------------------------------------------------------------

@pytest.mark.parametrize("clicks, states, minimises, stored", [
    pytest.param(1, [BST_INDETERMINATE], False, "0", id="grey"),
    pytest.param(2, [BST_INDETERMINATE, BST_CHECKED], True, "1", id="checked"),
    pytest.param(3, [BST_INDETERMINATE, BST_CHECKED, BST_UNCHECKED], False, "0", id="unchecked"),
])
@pytest.mark.parametrize("list_txt", [b"C:\\Games\r\n"], ids=["one entry"])
def test_the_auto_hide_box_cycles_through_three_states_and_only_checked_minimises(
        program: Program, clicks: int, states: list[int], minimises: bool, stored: str):
    open_panel_from_the_tray_menu(program)
    box = program.child(text=AUTO_HIDE)["hwnd"]
    for state in states:
        program.click(*centre(program.child(text=AUTO_HIDE)))
        wait_until(lambda: program.send(box, BM_GETCHECK) == state,
                   what=f"the auto-hide box in state {state}")

    program.click(*program.entry_point(0))
    wait_until(lambda: program.launches(), what="the file manager to be launched")
    wait_until(lambda: "autohide" in settings(program).get("prog", {}), what="the save")
    form = program.form()
    if minimises:
        wait_until(lambda: not program.info(form)["window"]["visible"], what="the form to go")
    else:
        settled(program)
        assert program.info(form)["window"]["visible"]
    assert settings(program)["prog"]["autohide"] == stored


@pytest.mark.parametrize("list_txt", [b"C:\\b\r\nC:\\c\r\nC:\\a\r\n"], ids=["unsorted"])
def test_switching_sorting_on_sorts_the_list_at_once_and_writes_nothing(program: Program):
    list_before = program.read_file("list.txt")
    settings_before = program.read_file(SETTINGS_FILE)
    open_panel_from_the_tray_menu(program)

    click_on(program, SORT)
    wait_until(lambda: program.entries() == [b"C:\\a", b"C:\\b", b"C:\\c"],
               what="the list to be sorted")
    settled(program)
    assert program.read_file("list.txt") == list_before
    assert program.read_file(SETTINGS_FILE) == settings_before

    assert program.close() == 0
    assert settings(program)["prog"]["sort"] == "1"


# ---- opacity ------------------------------------------------------------------------------------

def opacity_field_text(program: Program) -> str:
    return program.opacity_field()["text"]


def focus_the_opacity_field(program: Program) -> None:
    field = Rect.of(program.opacity_field()["rect"])
    program.click(field.left + 6, field.center[1])  # on the text, left of the arrows


def clear_the_opacity_field(program: Program) -> None:
    program.key("End", "BackSpace", "BackSpace", "BackSpace")
    wait_until(lambda: opacity_field_text(program) == "", what="an empty opacity field")


def focus_and_clear_the_opacity_field(program: Program) -> None:
    focus_the_opacity_field(program)
    clear_the_opacity_field(program)


def test_each_edit_of_the_opacity_field_applies_at_once(program: Program):
    focus_and_clear_the_opacity_field(program)
    wait_until(lambda: program.opacity() == 50, what="opacity 50 for an empty field")
    program.type_text("120")
    wait_until(lambda: program.opacity() == 120, what="opacity 120")
    assert opacity_field_text(program) == "120"


def leave_by_tab(program: Program) -> None:
    program.key("Tab")


def leave_by_clicking_the_directory_field(program: Program) -> None:
    program.click(*centre(directory_field(program)))


@pytest.mark.parametrize("typed, confined, leave", [
    pytest.param("300", 255, leave_by_tab, id="300, Tab"),
    pytest.param("9", 50, leave_by_clicking_the_directory_field, id="9, click elsewhere"),
])
def test_leaving_the_opacity_field_rewrites_a_number_outside_the_range(
        program: Program, typed: str, confined: int, leave):
    focus_and_clear_the_opacity_field(program)
    program.type_text(typed)
    # Until the field is left the typed number stays; the window takes it confined already.
    wait_until(lambda: opacity_field_text(program) == typed, what="the typed number")
    wait_until(lambda: program.opacity() == confined, what=f"opacity {confined}")

    leave(program)
    wait_until(lambda: opacity_field_text(program) == str(confined), what="the rewritten text")
    assert program.opacity() == confined


def test_a_save_while_the_opacity_field_holds_300_writes_255(program: Program):
    focus_and_clear_the_opacity_field(program)
    program.type_text("300")
    wait_until(lambda: opacity_field_text(program) == "300", what="the typed number")

    # The minimise button takes no focus: the field still holds 300 when it saves.
    click_on(program, "_")
    wait_until(lambda: not program.info()["window"]["visible"], what="the form to go")
    assert settings(program)["prog"]["value"] == "255"


def step_by_key(program: Program, up: bool) -> None:
    program.key("Up" if up else "Down")


def step_by_arrow_button(program: Program, up: bool) -> None:
    arrows = Rect.of(program.child("msctls_updown32")["rect"])
    x = arrows.center[0]
    program.click(x, arrows.top + 3 if up else arrows.bottom - 3)


@pytest.mark.parametrize("step", [step_by_key, step_by_arrow_button], ids=["key", "arrow button"])
@pytest.mark.parametrize("settings_ini", [
    ini_text({"SCR": {"left": 300, "top": 200}, "prog": {"value": 254}})], ids=["254"])
def test_stepping_stops_at_the_ends_of_the_range(program: Program, step):
    # A step that must change nothing shows only through the next one: 255, Up, Down gives 254
    # only when the Up kept 255.
    for typed, steps in [(None, [(True, 255), (True, 255), (False, 254)]),
                         ("51", [(False, 50), (False, 50), (True, 51)])]:
        focus_the_opacity_field(program)
        if typed:
            clear_the_opacity_field(program)
            program.type_text(typed)
            wait_until(lambda: opacity_field_text(program) == typed, what="the typed number")
        for up, expected in steps:
            step(program, up)
            wait_until(lambda: opacity_field_text(program) == str(expected), what=f"{expected}")
            assert program.opacity() == expected


# ---- font and colour dialogs --------------------------------------------------------------------

FACE, STYLE, SIZE = 0x470, 0x471, 0x472  # the font dialog's combo boxes


def font_dialog_choice(program: Program, dialog: int) -> dict[str, str]:
    combos = {c["id"]: c["text"] for c in program.children(dialog) if c["class"] == "ComboBox"}
    return {"face": combos[FACE], "style": combos[STYLE], "size": combos[SIZE]}


def dialog_closed(program: Program) -> bool:
    return not any(w["class"] == "#32770" and w["visible"] for w in program.windows())


def test_the_font_dialog_sets_the_list_font_on_ok_and_changes_nothing_on_cancel(
        program: Program):
    item_height = program.list_box()["itemheight"]

    click_on(program, FONT)
    dialog = program.dialog(title="Font")["hwnd"]
    program.key("Down", over=dialog)  # the next face of the list
    program.key("Tab")
    program.type_text("Bold")
    program.key("Tab")
    program.type_text("12")
    wait_until(lambda: font_dialog_choice(program, dialog)["size"] == "12", what="the size")
    chosen = font_dialog_choice(program, dialog)
    assert chosen["style"] == "Bold"
    program.key("Return")
    wait_until(lambda: dialog_closed(program), what="the font dialog to close")
    wait_until(lambda: program.list_box()["itemheight"] > item_height,
               what="the list to take the larger font")
    item_height = program.list_box()["itemheight"]

    # The dialog opens again on the list's font; Cancel leaves it.
    click_on(program, FONT)
    dialog = program.dialog(title="Font")["hwnd"]
    assert font_dialog_choice(program, dialog) == chosen
    program.key("Down", over=dialog)
    program.key("Tab")
    program.type_text("Italic")
    program.key("Escape")
    wait_until(lambda: dialog_closed(program), what="the font dialog to close")
    settled(program)
    assert program.list_box()["itemheight"] == item_height

    assert program.close() == 0
    font = settings(program)["font"]
    assert (font["Font1"], font["Style1"], font["Size1"]) == (chosen["face"], "1", "12")


RED_EDIT, GREEN_EDIT, BLUE_EDIT = 0x2C2, 0x2C3, 0x2C4  # the colour dialog's colour fields
BASIC_COLOURS = 0x2D0  # the 8 x 6 grid of basic colours


def colour_dialog_choice(program: Program, dialog: int) -> tuple[int, int, int]:
    """The colour the dialog opened on (its fields follow a click only when fully open)."""
    fields = {c["id"]: c["text"] for c in program.children(dialog) if c["class"] == "Edit"}
    return int(fields[RED_EDIT]), int(fields[GREEN_EDIT]), int(fields[BLUE_EDIT])


def test_the_colour_dialog_sets_the_list_background_on_ok(program: Program):
    list_box = Rect.of(program.child("ListBox")["rect"])
    assert program.pixel(*list_box.center) == (255, 255, 255)

    click_on(program, BACKGROUND)
    dialog = program.dialog(title="Color")["hwnd"]
    grid = Rect.of(program.child(control_id=BASIC_COLOURS, parent=dialog)["rect"])
    # The first colour of the second row: pure red.
    program.click(grid.left + grid.width // 16, grid.top + grid.height * 3 // 12)
    program.click(*centre(program.child("Button", text="OK", parent=dialog)))
    wait_until(lambda: dialog_closed(program), what="the colour dialog to close")
    wait_until(lambda: program.pixel(*list_box.center) == (255, 0, 0),
               what="a red list background")

    # The dialog opens again on the list's colour.
    click_on(program, BACKGROUND)
    dialog = program.dialog(title="Color")["hwnd"]
    assert colour_dialog_choice(program, dialog) == (255, 0, 0)
    program.click(*centre(program.child("Button", text="Cancel", parent=dialog)))
    wait_until(lambda: dialog_closed(program), what="the colour dialog to close")

    assert program.close() == 0
    assert settings(program)["interface"]["bgcolor"] == "255"
