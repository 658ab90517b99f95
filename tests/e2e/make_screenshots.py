"""Takes the README's pictures of the real program under Wine on a virtual display: a few
entries, once with the settings panel closed and once with it open (run by scripts/screenshots).
"""

from __future__ import annotations

import subprocess
import sys
import tempfile
from pathlib import Path

from harness import (SOURCE_DIR, WM_TRAYNOTIFY, Probe, Program, Rect, WineSession, ini_text,
                     wait_until)

ENTRIES = [b"C:\\Users\\Public\\Documents", b"C:\\Windows\\Fonts", b"D:\\Projects\\site",
           b"D:\\Projects\\tools\\build", b"E:\\Photos\\2026"]
MARGIN = 8


def capture(program: Program, name: str) -> Path:
    """The program's window with a small margin, cut from a picture of the whole screen."""
    screen = program.screenshot(name)
    r = Rect.of(program.info()["window"]["rect"])
    target = SOURCE_DIR / "docs" / f"{name}.png"
    target.parent.mkdir(exist_ok=True)
    subprocess.run(["convert", str(screen), "-crop",
                    f"{r.width + 2 * MARGIN}x{r.height + 2 * MARGIN}+{r.left - MARGIN}+"
                    f"{r.top - MARGIN}", "+repage", str(target)], check=True)
    return target


def main() -> None:
    session = WineSession()
    session.open()
    probe = Probe(session)
    try:
        with tempfile.TemporaryDirectory(prefix="kt-screens-") as directory:
            program = Program(session, probe, Path(directory) / "program")
            program.write_file("list.txt", b"".join(e + b"\r\n" for e in ENTRIES))
            program.write_file("KelTovrel.ini", ini_text(
                {"SCR": {"left": 200, "top": 120, "height": 330, "width": 200}}))
            program.start()
            form = program.form()
            list_box = program.child("ListBox")["hwnd"]
            program.mouse_move(*program.screen_point(list_box, 30, 22))  # hover the second row
            wait_until(lambda: program.list_box()["cursel"] == 1, what="the hovered entry")
            print(capture(program, "screenshot-list"))
            # The tray menu's settings item opens the panel.
            program.post(form, WM_TRAYNOTIFY, 0, 0x0205)
            wait_until(lambda: any(w["class"] == "#32768" and w["visible"]
                                   for w in probe.windows()), what="the tray menu")
            program.key("Down", "Down", "Return")
            add = program.child(text="Добавить директорию")
            wait_until(lambda: probe.call("at", x=Rect.of(add["rect"]).center[0],
                                          y=Rect.of(add["rect"]).center[1])["hwnd"] == add["hwnd"],
                       what="the settings panel")
            program.mouse_move(600, 600)
            print(capture(program, "screenshot-settings"))
            program.kill_all()
    finally:
        probe.close()
        session.close()


if __name__ == "__main__":
    sys.exit(main())
