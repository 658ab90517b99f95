"""The settings file beside the program: what a start reads from it and what a save writes."""

from __future__ import annotations

import shutil
import subprocess
from typing import Any, Callable

import pytest

from harness import (APP_TITLE, WM_CLOSE, WM_LBUTTONDOWN, WM_LBUTTONUP, Program, Rect,
                     WineSession, ini_text, ini_values, wait_until)

SETTINGS_FILE = "KelTovrel.ini"
BM_GETCHECK = 0x00F0

DEFAULTS = {
    "SCR": {"left": "0", "top": "0", "height": "452", "width": "164"},
    "prog": {"sort": "0", "value": "220", "autohide": "0"},
    "interface": {"bgcolor": "16777215"},
    "font": {"Font1": "MS Sans Serif", "Color1": "0", "CharSet1": "204", "Style1": "0",
             "Size1": "8"},
}
# Wine shows notification icons in a small window at the top-left corner of the screen.
PLACED = {"SCR": {"left": "300", "top": "200"}}


def with_changes(base: dict[str, dict[str, Any]], *changes: dict[str, dict[str, Any]]):
    """base with keys replaced or added, section by section, all values as text."""
    merged = {section: {key: str(value) for key, value in keys.items()}
              for section, keys in base.items()}
    for change in changes:
        for section, keys in change.items():
            merged.setdefault(section, {}).update({k: str(v) for k, v in keys.items()})
    return merged


def written(program: Program, name: str = SETTINGS_FILE) -> dict[str, dict[str, str]]:
    data = program.read_file(name)
    assert data is not None, f"{name} was not written"
    return ini_values(data)


def test_without_a_settings_file_the_defaults_apply_and_the_first_close_writes_them_all(
        program: Program):
    assert program.rect() == Rect(0, 0, 164, 452)
    assert program.opacity() == 220
    assert program.read_file(SETTINGS_FILE) is None

    assert program.close() == 0
    assert written(program) == DEFAULTS


# What the program shows of a stored value while it runs.
SHOWN: dict[str, Callable[[Program], Any]] = {
    "opacity": Program.opacity,
    "opacity field": lambda program: program.opacity_field()["text"],
    "sort box": lambda program: program.send(
        program.child(text="Сортировать список")["hwnd"], BM_GETCHECK),
    "left edge": lambda program: program.rect().left,
    "list background": lambda program: program.pixel(
        *Rect.of(program.child("ListBox")["rect"]).center),
}


@pytest.mark.parametrize("stored, rewritten, shown", [
    pytest.param({"prog": {"value": 300}}, {"prog": {"value": 255}},
                 {"opacity": 255, "opacity field": "255"}, id="opacity 300"),
    pytest.param({"prog": {"value": 10}}, {"prog": {"value": 50}},
                 {"opacity": 50, "opacity field": "50"}, id="opacity 10"),
    pytest.param({"prog": {"value": "abc"}}, {"prog": {"value": 220}},
                 {"opacity": 220, "opacity field": "220"}, id="opacity abc"),
    pytest.param({"prog": {"sort": 2}}, {"prog": {"sort": 1}}, {"sort box": 1}, id="sort 2"),
    pytest.param({"prog": {"sort": "yes"}}, {"prog": {"sort": 0}}, {"sort box": 0},
                 id="sort yes"),
    pytest.param({"interface": {"bgcolor": "$0000FF"}}, {"interface": {"bgcolor": 255}},
                 {"list background": (255, 0, 0)}, id="bgcolor $0000FF"),
    pytest.param({"interface": {"bgcolor": "0x0000FF"}}, {"interface": {"bgcolor": 255}},
                 {"list background": (255, 0, 0)}, id="bgcolor 0x0000FF"),
    # Partly off the screen, the window stays exactly where it was stored.
    pytest.param({"SCR": {"left": -100}}, {"SCR": {"left": -100}}, {"left edge": -100},
                 id="left -100"),
    pytest.param({"font": {"Color1": -16777208}}, {"font": {"Color1": -16777208}}, {},
                 id="system text colour"),
    pytest.param({"font": {"CharSet1": 460}}, {"font": {"CharSet1": 204}}, {},
                 id="charset 460"),
    pytest.param({"font": {"Style1": 3}}, {"font": {"Style1": 3}}, {}, id="bold italic"),
    pytest.param({"font": {"Font1": ""}}, {"font": {"Font1": "MS Sans Serif"}}, {},
                 id="empty face"),
])
def test_a_stored_value_is_read_and_written_back_confined_or_unchanged(
        fresh_program: Program, stored, rewritten, shown):
    settings = with_changes(PLACED, stored)
    fresh_program.write_file(SETTINGS_FILE, ini_text(settings))
    program = fresh_program.start()

    def observed() -> dict[str, Any]:
        return {what: SHOWN[what](program) for what in shown}

    # The first painting may trail the form's showing by a moment.
    try:
        wait_until(lambda: observed() == shown, timeout=5)
    except TimeoutError:
        pass  # the assertion shows the difference
    assert observed() == shown
    assert program.close() == 0
    assert written(program) == with_changes(DEFAULTS, settings, rewritten)


@pytest.mark.parametrize("settings_ini", [
    ini_text(with_changes(PLACED, {"SCR": {"height": 5, "width": 5}}))], ids=["5 x 5"])
def test_a_collapsed_window_gets_100_pixels_back_at_the_next_save(program: Program):
    assert (program.rect().width, program.rect().height) == (5, 5)

    # The minimise button saves first. Too small to click, it takes the button's messages.
    minimise = program.child(text="_")["hwnd"]
    program.post(minimise, WM_LBUTTONDOWN, 1, 0x00050005)
    program.post(minimise, WM_LBUTTONUP, 0, 0x00050005)
    form = program.form()
    wait_until(lambda: not program.info(form)["window"]["visible"], what="the form to go")

    assert program.rect(form) == Rect(300, 200, 400, 300)
    assert written(program)["SCR"] == {"left": "300", "top": "200", "height": "100",
                                       "width": "100"}


@pytest.mark.parametrize("settings_ini", [
    "[SCR]\r\nleft=300\r\ntop=200\r\nnote=kept\r\n"
    "[extra]\r\nfirst=1\r\nsecond=two words\r\n"
    "[prog]\r\nvalue=120\r\n"], ids=["unknown keys"])
def test_keys_and_sections_the_program_does_not_know_survive_a_save(program: Program):
    assert program.close() == 0
    assert written(program) == with_changes(
        DEFAULTS, PLACED,
        {"SCR": {"note": "kept"}, "extra": {"first": 1, "second": "two words"},
         "prog": {"value": 120}})


@pytest.mark.parametrize("settings_ini", [ini_text(PLACED)], ids=["placed"])
def test_a_read_only_settings_file_shows_the_error_at_close_and_the_program_still_ends(
        fresh_program: Program):
    path = fresh_program.dir / SETTINGS_FILE
    before = path.read_bytes()
    # Wine honours no read-only attribute of its own here; the immutable flag refuses the write.
    subprocess.run(["chattr", "+i", str(path)], check=True)
    try:
        program = fresh_program.start()
        program.post(program.form(), WM_CLOSE)
        box = program.dialog(title=APP_TITLE)
        texts = [c["text"] for c in program.children(box["hwnd"]) if c["class"] == "Static"]
        assert f"Unable to write to {WineSession.windows_path(path)}." in texts
        assert program.process.poll() is None, "the program waits for the message to be seen"

        ok = program.child("Button", text="OK", parent=box["hwnd"])
        program.click(*Rect.of(ok["rect"]).center)
        assert program.wait_exit() == 0
    finally:
        subprocess.run(["chattr", "-i", str(path)], check=True)
    assert path.read_bytes() == before


@pytest.mark.parametrize("other_ini, opacity", [
    pytest.param(ini_text(with_changes(PLACED, {"prog": {"value": 100}})), 100,
                 id="its own settings"),
    pytest.param(None, 220, id="no settings of its own"),
])
@pytest.mark.parametrize("settings_ini", [
    ini_text(with_changes(PLACED, {"prog": {"value": 180}}))], ids=[""])
def test_a_renamed_executable_uses_the_settings_file_of_its_new_name(
        fresh_program: Program, other_ini: str | None, opacity: int):
    other = fresh_program.dir / "Other.exe"
    shutil.copy2(fresh_program.exe, other)
    fresh_program.exe = other
    if other_ini is not None:
        fresh_program.write_file("Other.ini", other_ini)
    before = fresh_program.read_file(SETTINGS_FILE)

    program = fresh_program.start()
    assert program.opacity() == opacity
    assert program.close() == 0

    assert written(program, "Other.ini")["prog"]["value"] == str(opacity)
    assert program.read_file(SETTINGS_FILE) == before
