"""Reliability of the real program: nothing lost by a crash during a save, one copy however
many are started at once, and a read-only program directory."""

from __future__ import annotations

import random
import signal
import subprocess
import time

import pytest

from harness import EXIT_TIMEOUT, WM_KEYUP, Program, ini_text, wait_until

LB_SETCURSEL = 0x0186
VK_DELETE = 0x2E
BM_CLICK = 0x00F5
PLACED = ini_text({"SCR": {"left": 300, "top": 200}})

ENTRIES = [b"C:\\Users\\someone\\Projects\\directory%05d" % i for i in range(10_000)]


def list_bytes(entries: list[bytes]) -> bytes:
    return b"".join(entry + b"\r\n" for entry in entries)


def delete_first_entry(program: Program, list_box: int) -> None:
    """Selects the first entry and releases Delete on the list: one delete, one save."""
    program.post(list_box, LB_SETCURSEL, 0)
    program.post(list_box, WM_KEYUP, VK_DELETE, 0xC0000001)


@pytest.mark.parametrize("settings_ini", [PLACED], ids=["placed"])
@pytest.mark.parametrize("list_txt", [list_bytes(ENTRIES)], ids=["10000 entries"])
def test_killed_during_saves_leaves_the_old_list_or_the_new_one_whole(fresh_program: Program):
    """Each save deletes the first entry, so every whole state of the file is a suffix of the
    list. The program is killed at random moments while saves run, 200 saves in all."""
    whole_states = {list_bytes(ENTRIES[k:]): k for k in range(len(ENTRIES) + 1)}
    rng = random.Random(20261211)
    saves = 0
    deleted = 0
    while saves < 200:
        copy = fresh_program.start().process
        list_box = fresh_program.child("ListBox")["hwnd"]
        batch = rng.randint(5, 25)
        for _ in range(batch):
            delete_first_entry(fresh_program, list_box)
        time.sleep(rng.uniform(0.0, 0.3))
        copy.send_signal(signal.SIGKILL)
        copy.wait(timeout=EXIT_TIMEOUT)
        saves += batch

        contents = fresh_program.read_file("list.txt")
        assert contents in whole_states, f"a torn list after {saves} saves ({len(contents)} bytes)"
        now = whole_states[contents]
        assert deleted <= now <= deleted + batch, "the file went back or ran ahead"
        deleted = now


def test_twenty_copies_started_together_leave_one_running_with_its_tray_icon(
        fresh_program: Program):
    survivors = fresh_program.start_together(20)
    assert len(survivors) == 1, f"{len(survivors)} copies kept running"
    assert [c.returncode for c in fresh_program.copies if c is not survivors[0]] == [0] * 19
    fresh_program.process = survivors[0]
    form = fresh_program.wait_form_visible()
    assert fresh_program.tray_icon_exists(form)


def dismiss_error_display(program: Program) -> str:
    """Waits for the program's error display, returns its text and presses its OK button."""
    def error_box() -> dict | None:
        return next((w for w in program.windows()
                     if w["class"] == "#32770" and w["visible"]), None)

    box = wait_until(error_box, what="the error display")
    assert box["title"] == "Kel Tovrel"
    text = " ".join(c["text"] for c in program.children(box["hwnd"])
                    if c["class"].lower() == "static" and c["text"])
    ok = program.child("Button", parent=box["hwnd"])
    program.post(ok["hwnd"], BM_CLICK)
    wait_until(lambda: error_box() is None, what="the error display to close")
    return text


@pytest.mark.parametrize("settings_ini", [PLACED], ids=["placed"])
@pytest.mark.parametrize("list_txt", [b"C:\\\r\nD:\\Work\r\n"], ids=["two entries"])
def test_read_only_program_directory_reports_each_refused_save_and_loses_nothing(
        fresh_program: Program):
    directory = fresh_program.dir
    # Read-only as a whole: no file may be created in it, and none of its files written.
    read_only = [str(path) for path in directory.iterdir()] + [str(directory)]
    subprocess.run(["chattr", "+i", *read_only], check=True)
    try:
        fresh_program.start()
        assert fresh_program.entries() == [b"C:\\", b"D:\\Work"]
        list_box = fresh_program.child("ListBox")["hwnd"]
        delete_first_entry(fresh_program, list_box)
        text = dismiss_error_display(fresh_program)
        assert "list.txt" in text and text.endswith(".")
        # The refused save leaves the file as it was; the window keeps the change.
        assert fresh_program.read_file("list.txt") == b"C:\\\r\nD:\\Work\r\n"
        assert fresh_program.entries() == [b"D:\\Work"]

        fresh_program.post(fresh_program.form(), 0x0010)  # WM_CLOSE
        text = dismiss_error_display(fresh_program)
        assert text.startswith("Unable to write to ") and text.endswith("KelTovrel.ini.")
        assert fresh_program.wait_exit() == 0
        assert fresh_program.read_file("KelTovrel.ini") == PLACED.encode()
    finally:
        subprocess.run(["chattr", "-i", *read_only], check=True)
    assert sorted(p.name for p in directory.iterdir()) == [
        "KelTovrel.exe", "KelTovrel.ini", "explorer.exe", "list.txt"]
