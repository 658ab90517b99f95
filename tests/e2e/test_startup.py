"""Start-up, the single-instance rule and shutdown of the real program."""

from __future__ import annotations

import subprocess
import time

import pytest

from harness import (APP_TITLE, EXIT_TIMEOUT, SC_MINIMIZE, WM_CLOSE, WM_ENDSESSION,
                     WM_QUERYENDSESSION, WM_SYSCOMMAND, Program, Rect, ini_text, wait_until)

SETTINGS_FILE = "KelTovrel.ini"
# Wine shows notification icons in a small window at the top-left corner, over the title strip
# of a window at the default place.
CLEAR_OF_THE_TRAY_WINDOW = ini_text({"SCR": {"left": 300, "top": 200}})


def test_first_start_without_files_shows_the_form_with_the_settings_open(program: Program):
    form = program.info()["window"]
    app = program.info(program.app_window())["window"]
    assert form["visible"] and not form["iconic"]
    # The form belongs to the hidden application window, which a second copy finds by title.
    assert form["owner"] == app["hwnd"]
    assert app["title"] == APP_TITLE and not app["visible"]
    assert program.foreground() == form["hwnd"]

    # An empty list opens the settings panel: the list no longer covers the add button.
    assert program.entries() == []
    add_button = program.child(text="Добавить директорию")
    x, y = Rect.of(add_button["rect"]).center
    assert program.probe.call("at", x=x, y=y)["hwnd"] == add_button["hwnd"]

    # Starting writes nothing.
    assert program.read_file("list.txt") is None
    assert program.read_file(SETTINGS_FILE) is None


@pytest.mark.parametrize("target", ["form", "application window"])
def test_close_request_ends_the_program_with_exit_code_0(program: Program, target: str):
    window = program.form() if target == "form" else program.app_window()
    program.post(window, WM_CLOSE)
    assert program.wait_exit() == 0
    # The settings are written at every normal exit, also when nothing changed.
    assert b"[SCR]" in (program.read_file(SETTINGS_FILE) or b"")


def test_ending_the_session_closes_like_a_close_request(program: Program):
    form = program.form()
    assert program.send(form, WM_QUERYENDSESSION) != 0, "the program must agree to end"
    assert not program.info(form)["window"]["visible"], "closing minimises first"
    assert not program.tray_icon_exists(form), "closing removes the tray icon"
    program.post(program.app_window(), WM_ENDSESSION, 1)
    assert program.wait_exit() == 0
    assert b"[SCR]" in (program.read_file(SETTINGS_FILE) or b"")


def put_behind_another_window(program: Program) -> None:
    decoy = program.probe.call("decoy")["hwnd"]
    wait_until(lambda: program.foreground() == decoy, what="another window in front")


def minimise_to_the_tray(program: Program) -> None:
    form = program.form()
    program.click(*Rect.of(program.child(text="_")["rect"]).center)
    wait_until(lambda: not program.info(form)["window"]["visible"], what="the form to go")


def watch_for_new_windows(program: Program, copy: subprocess.Popen[bytes]) -> list[dict]:
    """While copy runs, the visible top-level windows of processes that have started since."""
    known = {p["pid"] for p in program.probe.call("processes")["processes"]}
    seen: dict[int, dict] = {}
    deadline = time.monotonic() + EXIT_TIMEOUT
    while copy.poll() is None and time.monotonic() < deadline:
        for w in program.probe.windows():
            if w["visible"] and w["pid"] not in known:
                seen[w["hwnd"]] = w
    return list(seen.values())


def minimise_from_outside(program: Program) -> None:
    """As the system minimises a program: a minimise command to its application window."""
    form = program.form()
    program.send(program.app_window(), WM_SYSCOMMAND, SC_MINIMIZE)
    wait_until(lambda: not program.info(form)["window"]["visible"], what="the form to go")
    assert not program.info(program.app_window())["window"]["visible"], "no taskbar button"


@pytest.mark.parametrize("arrange",
                         [put_behind_another_window, minimise_to_the_tray, minimise_from_outside],
                         ids=["behind another window", "minimised", "minimised from outside"])
@pytest.mark.parametrize("settings_ini", [CLEAR_OF_THE_TRAY_WINDOW], ids=["placed"])
def test_second_copy_brings_the_first_forward_and_ends(program: Program, arrange):
    first = program.process
    form = program.form()
    arrange(program)

    second = program.spawn()
    new_windows = watch_for_new_windows(program, second)
    assert second.wait(timeout=EXIT_TIMEOUT) == 0
    assert new_windows == [], "the second copy must show nothing"

    wait_until(lambda: program.foreground() == form, what="the first copy's form in front")
    shown = program.info(form)["window"]
    assert shown["visible"] and not shown["iconic"]
    # The form's activation hides the application window again: no taskbar button.
    assert not program.info(program.app_window())["window"]["visible"]
    assert first.poll() is None and len(program.pids()) == 1


def test_ten_copies_started_together_leave_exactly_one_running(fresh_program: Program):
    survivors = fresh_program.start_together(10)
    assert len(survivors) == 1, f"{len(survivors)} copies kept running"
    assert [c.returncode for c in fresh_program.copies if c is not survivors[0]] == [0] * 9

    fresh_program.process = survivors[0]
    fresh_program.wait_form_visible()
    assert len(fresh_program.pids()) == 1
    assert fresh_program.close() == 0
