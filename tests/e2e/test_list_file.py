"""The list file of the real program: what it loads, what a key release on the list writes back,
and what the user sees when the file cannot be written."""

from __future__ import annotations

import subprocess

import pytest

from harness import APP_TITLE, Program, Rect, WineSession, ini_text, wait_until

# Wine shows notification icons in a small window at the top-left corner: keep the form clear.
PLACED = ini_text({"SCR": {"left": 300, "top": 200}})


@pytest.fixture
def settings_ini() -> str:
    return PLACED


def release_a_key_on_the_list(program: Program, key: str = "Right") -> None:
    """A key pressed and released with the pointer, and so the keyboard, on the list."""
    program.key(key, over=program.child("ListBox")["hwnd"])


def wait_for_file(program: Program, expected: bytes) -> bytes | None:
    """The list file once it holds expected; on a timeout what it holds (None: no file)."""
    try:
        wait_until(lambda: program.read_file("list.txt") == expected, timeout=5,
                   what="the list file to be saved")
    except TimeoutError:
        pass
    return program.read_file("list.txt")


@pytest.mark.parametrize(("list_txt", "loaded", "saved"), [
    (b"a\r\nb", [b"a", b"b"], b"a\r\nb\r\n"),
    (b"a\nb\rc", [b"a", b"b", b"c"], b"a\r\nb\r\nc\r\n"),
    (b"a\n\rb", [b"a", b"", b"b"], b"a\r\n\r\nb\r\n"),
    # High bytes stay as they are; an empty line inside and a second final line end are entries.
    (b"C:\\caf\xe9 \xc0\xff\r\n\r\n  D:\\x \r\n\r\n",
     [b"C:\\caf\xe9 \xc0\xff", b"", b"  D:\\x ", b""],
     b"C:\\caf\xe9 \xc0\xff\r\n\r\n  D:\\x \r\n\r\n"),
    (b"a\r\nb\x00c\r\nd\r\n", [b"a", b"b"], b"a\r\nb\r\n"),
], ids=["CR LF, no final line end", "LF and a lone CR", "LF CR is two line ends",
        "high bytes, blanks and empty entries", "a NUL ends the list"])
def test_loads_the_file_and_a_key_release_writes_it_back_by_the_rules(
        program: Program, loaded: list[bytes], saved: bytes):
    assert program.entries() == loaded
    release_a_key_on_the_list(program)
    assert wait_for_file(program, saved) == saved
    assert program.entries() == loaded


def test_a_key_release_without_a_list_file_creates_an_empty_one(program: Program):
    assert program.read_file("list.txt") is None
    release_a_key_on_the_list(program)
    assert wait_for_file(program, b"") == b""


def error_box_open(program: Program) -> bool:
    return any(w["class"] == "#32770" and w["visible"] for w in program.windows())


@pytest.mark.parametrize("list_txt", [b"a\nb\nc\n"])
def test_a_save_into_a_read_only_file_is_reported_and_the_program_carries_on(
        program: Program, list_txt: bytes):
    list_file = program.dir / "list.txt"
    files_before = sorted(p.name for p in program.dir.iterdir())
    subprocess.run(["chattr", "+i", str(list_file)], check=True)
    try:
        program.mouse_move(*program.entry_point(1))
        wait_until(lambda: program.list_box()["cursel"] == 1, what="b to be hovered")
        program.key("Delete")

        box = program.dialog(APP_TITLE)
        message = next(c["text"] for c in program.children(box["hwnd"])
                       if c["class"] == "Static" and c["text"])
        assert WineSession.windows_path(list_file) in message
        assert message.endswith(".")
        assert program.read_file("list.txt") == list_txt
        assert sorted(p.name for p in program.dir.iterdir()) == files_before, \
            "a failed save must leave no temporary file behind"
        # The list keeps the deletion that could not be saved.
        assert program.entries() == [b"a", b"c"]

        # With the mouse: a key would close the box on its press, and its release, on the
        # list again, would save and fail once more.
        ok = program.child("Button", parent=box["hwnd"])
        program.click(*Rect.of(ok["rect"]).center)
        wait_until(lambda: not error_box_open(program), what="the error box to close")
    finally:
        subprocess.run(["chattr", "-i", str(list_file)], check=True)

    # The program goes on: the next key release saves the list as it now stands.
    release_a_key_on_the_list(program)
    assert wait_for_file(program, b"a\r\nc\r\n") == b"a\r\nc\r\n"
    assert not error_box_open(program)
