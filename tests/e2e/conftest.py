r"""Fixtures of the end-to-end tests.

    program        the program started in a fresh directory, its main form visible
    fresh_program  the same directory, not started yet (for start-up cases and several copies)
    probe          the window probe of this test
    list_txt       bytes of list.txt to put beside the program, or None for no file
    settings_ini   bytes or text of KelTovrel.ini, or None for no file

Override list_txt or settings_ini per test with parametrize, or per module with a fixture of
the same name:

    @pytest.mark.parametrize("list_txt", [b"C:\\\r\nD:\\Temp\r\n"])
    def test_shows_entries(program):
        assert program.entries() == [b"C:\\", b"D:\\Temp"]
"""

from __future__ import annotations

from typing import Iterator

import pytest

from harness import PROGRAM_NAME, Probe, Program, WineSession, end_strays


@pytest.fixture(scope="session")
def wine_session() -> Iterator[WineSession]:
    session = WineSession()
    session.open()
    yield session
    session.close()


@pytest.fixture
def probe(wine_session: WineSession) -> Iterator[Probe]:
    probe = Probe(wine_session)
    yield probe
    probe.close()


@pytest.fixture
def list_txt() -> bytes | None:
    return None


@pytest.fixture
def settings_ini() -> bytes | str | None:
    return None


@pytest.fixture
def fresh_program(wine_session: WineSession, probe: Probe, tmp_path, list_txt,
                  settings_ini) -> Iterator[Program]:
    # Each test starts with no copy of the program running: a copy left from an earlier test
    # would answer for this one through the instance mutex.
    end_strays(probe)
    program = Program(wine_session, probe, tmp_path / "program")
    if list_txt is not None:
        program.write_file("list.txt", list_txt)
    if settings_ini is not None:
        program.write_file(PROGRAM_NAME.removesuffix(".exe") + ".ini", settings_ini)
    yield program
    program.kill_all()


@pytest.fixture
def program(fresh_program: Program) -> Program:
    return fresh_program.start()


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    """A failing test reports the screen and the windows as they were when it failed."""
    outcome = yield
    report = outcome.get_result()
    program = item.funcargs.get("fresh_program") if hasattr(item, "funcargs") else None
    if report.when != "call" or not report.failed or program is None:
        return
    try:
        report.sections.append(("windows at failure", program.describe()))
        report.sections.append(("screenshot", str(program.screenshot("failure"))))
    except Exception as error:  # the report must not hide the failure itself
        report.sections.append(("failure report", f"could not be made: {error!r}"))
