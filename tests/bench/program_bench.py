"""Whole-program figures under Wine, side by side in one run (run by scripts/bench).

Start-up: from process creation to the form visible, and peak memory, for KelTovrel.exe with no
list, with a 100,000-entry list, and for a program that only shows an empty window.
Scale: on the 100,000-entry list, an add and a Delete key, each from the input to the saved file.
These are measurements, not tests: nothing here fails on a time.
"""

from __future__ import annotations

import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "e2e"))

from harness import (BUILD_DIR, PROGRAM_NAME, WM_KEYUP, Probe, Program, WineSession,  # noqa: E402
                     end_strays, wait_until)

RUNS = int(os.environ.get("KT_BENCH_RUNS", "7"))
LB_SETCURSEL = 0x0186
VK_DELETE = 0x2E
WM_LBUTTONDOWN = 0x0201
WM_LBUTTONUP = 0x0202
ENTRIES = 100_000


def hundred_thousand_entries() -> bytes:
    return b"".join(b"C:\\Users\\someone\\Projects\\directory%06d\r\n" % i for i in range(ENTRIES))


def peak_memory_kib(windows_exe: Path) -> int:
    """VmHWM of the Wine process that runs the executable."""
    name = windows_exe.name.encode()
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            command = Path(f"/proc/{pid}/cmdline").read_bytes().split(b"\0")[0]
            if command.endswith(b"\\" + name):
                for line in Path(f"/proc/{pid}/status").read_text().splitlines():
                    if line.startswith("VmHWM:"):
                        return int(line.split()[1])
        except OSError:
            continue
    return 0


def start_once(session: WineSession, probe: Probe, exe: Path, window_class: str) -> tuple[float, int]:
    timer = BUILD_DIR / "kt_start_timer.exe"
    # The program started inherits Wine's output: read it from a file once the timer is done,
    # not from a pipe that the program keeps open.
    with tempfile.TemporaryFile() as output:
        subprocess.run(["wine", str(timer), WineSession.windows_path(exe), window_class],
                       env=session.env, stdout=output, stderr=subprocess.DEVNULL, timeout=120,
                       check=True)
        output.seek(0)
        milliseconds = float(output.read().split()[0])
    time.sleep(1.0)  # settled: the peak is what start-up took
    memory = peak_memory_kib(exe)
    end_strays(probe, [exe.name])
    return milliseconds, memory


def measure_start(session: WineSession, probe: Probe, name: str, exe: Path, window_class: str,
                  files: dict[str, bytes]) -> dict[str, float]:
    times, memories = [], []
    for _ in range(RUNS):
        with tempfile.TemporaryDirectory(prefix="kt-bench-") as directory:
            copy = Path(directory) / exe.name
            copy.write_bytes(exe.read_bytes())
            for file, data in files.items():
                (Path(directory) / file).write_bytes(data)
            milliseconds, memory = start_once(session, probe, copy, window_class)
            times.append(milliseconds)
            memories.append(memory)
    result = {"start_ms": statistics.median(times), "peak_kib": statistics.median(memories)}
    print(f"{name:<34} start {result['start_ms']:7.1f} ms (median of {RUNS})   "
          f"peak memory {result['peak_kib'] / 1024:6.1f} MiB", flush=True)
    return result


def time_until_saved(program: Program, act) -> float:
    path = program.dir / "list.txt"
    before = path.stat().st_mtime_ns, path.stat().st_size
    start = time.perf_counter()
    act()
    wait_until(lambda: (path.stat().st_mtime_ns, path.stat().st_size) != before, timeout=30,
               interval=0.0005, what="the list to be saved")
    return (time.perf_counter() - start) * 1000


def measure_add_and_delete(session: WineSession, probe: Probe, data: bytes) -> None:
    with tempfile.TemporaryDirectory(prefix="kt-bench-") as directory:
        program = Program(session, probe, Path(directory) / "program")
        program.write_file("list.txt", data)
        program.start()
        list_box = program.child("ListBox")["hwnd"]
        field = program.child("Edit", parent=program.child("TDirectoryEdit")["hwnd"])["hwnd"]
        add = program.child(text="Добавить директорию")["hwnd"]
        adds, deletes = [], []
        for i in range(RUNS):
            probe.call("settext", hwnd=field, text=f"D:\\added\\{i}")

            def click_add() -> None:
                program.post(add, WM_LBUTTONDOWN, 1, 0x00050005)
                program.post(add, WM_LBUTTONUP, 0, 0x00050005)

            def delete_first() -> None:
                program.post(list_box, LB_SETCURSEL, 0)
                program.post(list_box, WM_KEYUP, VK_DELETE, 0xC0000001)

            adds.append(time_until_saved(program, click_add))
            deletes.append(time_until_saved(program, delete_first))
        program.kill_all()
    print(f"{'add on 100,000 entries':<34} {statistics.median(adds):7.1f} ms to the saved file")
    print(f"{'Delete key on 100,000 entries':<34} {statistics.median(deletes):7.1f} ms to the "
          "saved file")


def main() -> None:
    session = WineSession()
    session.open()
    probe = Probe(session)
    try:
        program = BUILD_DIR / PROGRAM_NAME
        empty = measure_start(session, probe, "empty Win32 window (yardstick)",
                              BUILD_DIR / "kt_empty_window.exe", "KtEmptyWindow", {})
        ours = measure_start(session, probe, "KelTovrel.exe, no list", program, "TForm1", {})
        data = hundred_thousand_entries()
        big = measure_start(session, probe, "KelTovrel.exe, 100,000 entries", program, "TForm1",
                            {"list.txt": data})
        print(f"start-up ratio to the yardstick      {ours['start_ms'] / empty['start_ms']:.2f}x"
              f"   memory ratio {ours['peak_kib'] / empty['peak_kib']:.2f}x")
        print(f"100,000 entries against no list      {big['start_ms'] / ours['start_ms']:.2f}x")
        measure_add_and_delete(session, probe, data)
        size = program.stat().st_size
        print(f"{'executable size':<34} {size / 1024:7.1f} KiB ({size} bytes)")
    finally:
        probe.close()
        session.close()


if __name__ == "__main__":
    main()
