#!/usr/bin/env python3
"""The preview's calendar page in a real browser: Debian's chromium-headless-shell loads each page
from its file, and every date cell of the DOM it built agrees with the text summary's line for
that date (the day at its end, the daylight-saving and fighting marks).  One page is also taken
as a screenshot, which must not be blank.

usage: preview_page_test.py PREVIEW PLUGIN SCRATCH [SCREENSHOT]
"""
import html.parser
import json
import pathlib
import re
import shutil
import subprocess
import sys
import zlib

BROWSER = "/usr/bin/chromium-headless-shell"
FLAGS = ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
         "--disable-sync", "--no-first-run", "--disable-quic"]


def config(**members):
    base = {"ForceDay": False, "DayToForce": 5, "FollowWeekCycle": False, "ResetWhenReachDay": False,
            "DayToReset": 100, "DayToSetWhenReset": 1}
    base.update(members)
    return json.dumps(base)


CASES = [
    ("weekday-berlin-spring", config(FollowWeekCycle=True, TimeZone="Europe/Berlin"),
     ["--from", "2027-03-26 00:00", "--for", "3d", "--day-length", "0"], {"2027-03-28": "dst"}),
    ("weekday-berlin-autumn", config(FollowWeekCycle=True, TimeZone="Europe/Berlin"),
     ["--from", "2027-10-30 00:00", "--for", "3d", "--day-length", "0"], {"2027-10-31": "dst"}),
    ("monthday-kathmandu-leap", config(FollowMonthDayNumber=True, TimeZone="Asia/Kathmandu"),
     ["--from", "2028-02-27 00:00", "--for", "4d", "--day-length", "0"],
     {"2028-02-29": "end=29", "2028-03-01": "end=1"}),
    ("all-four-fighting-30-days", config(ForceDay=True, FollowWeekCycle=True, ResetWhenReachDay=True,
                                         FollowMonthDayNumber=True, TimeZone="Europe/Berlin"),
     ["--from", "2027-03-15 00:00", "--for", "30d", "--day-length", "1800"], {"2027-03-20": "fight"}),
    ("reset-with-day-cycle", config(ResetWhenReachDay=True, DayToReset=5, TimeZone="UTC"),
     ["--from", "2027-01-01 00:00", "--for", "2d", "--day-length", "600"], {}),
]


class Cells(html.parser.HTMLParser):
    """The date cells of a page: data-date to (data-end-day, classes)."""

    def __init__(self):
        super().__init__()
        self.cells, self.scripts = {}, 0

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "script":
            self.scripts += 1
        if tag == "td" and "data-date" in attrs:
            self.cells[attrs["data-date"]] = (attrs.get("data-end-day"), set(attrs.get("class", "").split()))


def summary(text):
    """The text summary's lines: date to (day at the end, notes)."""
    lines = {}
    for line in text.splitlines():
        found = re.match(r"(\d{4}-\d\d-\d\d) \w\w\w  .* day=(-?\d+)$", line)
        if found:
            lines[found.group(1)] = (found.group(2), line)
    return lines


def blank(png):
    """Whether a PNG screenshot shows nothing: its pixel rows are (nearly) all alike."""
    at, idat = 8, b""
    while at < len(png):
        length = int.from_bytes(png[at:at + 4], "big")
        kind = png[at + 4:at + 8]
        if kind == b"IHDR":
            width, height = int.from_bytes(png[at + 8:at + 12], "big"), int.from_bytes(png[at + 12:at + 16], "big")
            channels = {0: 1, 2: 3, 4: 2, 6: 4}[png[at + 17]]
        if kind == b"IDAT":
            idat += png[at + 8:at + 8 + length]
        at += 12 + length
    raw = zlib.decompress(idat)
    stride = 1 + width * channels
    rows = {raw[i:i + stride] for i in range(0, height * stride, stride)}
    return len(rows) < 20


def main():
    preview, plugin, scratch = sys.argv[1], pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
    screenshot = pathlib.Path(sys.argv[4]) if len(sys.argv) > 4 else scratch / "preview-screenshot.png"
    shutil.rmtree(scratch, ignore_errors=True)
    failures = []
    for name, text, args, expected in CASES:
        server = scratch / name
        folder = server / "TolvApi" / "Plugins" / "MorrowsetVelde"
        folder.mkdir(parents=True)
        shutil.copy(plugin, folder / plugin.name)
        (folder / "config.json").write_text(text)
        page = scratch / (name + ".html")
        run = subprocess.run([preview, "--server-dir", str(server), "--html", str(page), *args],
                             capture_output=True, text=True, timeout=120)
        if run.returncode != 0:
            failures.append(f"{name}: the preview exited {run.returncode}: {run.stderr}")
            continue
        lines = summary(run.stdout)
        size = page.stat().st_size
        if size > 300_000:
            failures.append(f"{name}: the page is {size} bytes")
        source = page.read_text(encoding="utf-8")
        if re.search(r"(src|href)=\"(https?:)?//", source):
            failures.append(f"{name}: the page loads something from elsewhere")
        dom = subprocess.run([BROWSER, *FLAGS, f"--user-data-dir={scratch / 'profile'}", "--dump-dom",
                              page.as_uri()], capture_output=True, text=True, timeout=120).stdout
        cells = Cells()
        cells.feed(dom)
        if cells.scripts:
            failures.append(f"{name}: the page has a script")
        if set(cells.cells) != set(lines) or not lines:
            failures.append(f"{name}: cells {sorted(cells.cells)} but text dates {sorted(lines)}")
            continue
        for date, (end, line) in lines.items():
            cell_end, classes = cells.cells[date]
            if cell_end != end:
                failures.append(f"{name} {date}: the cell says day {cell_end}, the text {end}")
            if ("dst" in classes) != ("-hour date" in line):
                failures.append(f"{name} {date}: daylight-saving mark {classes} against: {line}")
            if ("fight" in classes) != ("overwrite each other" in line):
                failures.append(f"{name} {date}: fighting mark {classes} against: {line}")
        for date, what in expected.items():
            end, classes = cells.cells.get(date, (None, set()))
            ok = what in classes if not what.startswith("end=") else end == what[4:]
            if not ok:
                failures.append(f"{name} {date}: expected {what}, the cell has day {end}, {classes}")
        if name == "all-four-fighting-30-days":
            subprocess.run([BROWSER, *FLAGS, f"--user-data-dir={scratch / 'profile'}", "--window-size=1280,1000",
                            f"--screenshot={screenshot}", page.as_uri()], capture_output=True, timeout=120)
            if not screenshot.exists() or blank(screenshot.read_bytes()):
                failures.append(f"{name}: the screenshot is missing or blank")
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print(f"preview page test passed: {len(CASES)} pages")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
