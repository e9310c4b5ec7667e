#!/usr/bin/env python3
"""The preview's calendar page in a real browser: Debian's chromium-headless-shell loads each page
from its file, and every date cell of the DOM it built agrees with the text summary's line for
that date (the day players saw most, the day at its end, the daylight-saving and fighting marks).
Through puppeteer-core (preview_page_browser.mjs) every page has no axe-core violation, no element
whose content overflows its box on a 390 px phone, 1280 and 1366 px screens or paper either way,
every date's changes open from the keyboard, every lane's colour is 3:1 or more against its
background, printed text is 8 pt or more, and the fortnights print on one A4 or Letter sheet,
portrait or landscape.
Every 30-day page stays under 300 KB.  One page is also taken as a screenshot, which must not be
blank.

usage: preview_page_test.py PREVIEW PLUGIN SCRATCH [SCREENSHOT]
"""
import datetime
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
    ("one-policy-fortnight", config(ForceDay=True, TimeZone="UTC"),
     ["--from", "2027-01-04 00:00", "--for", "14d", "--day-length", "0"], {"2027-01-05": "writers=forceday"}),
    ("four-fighting-fortnight", config(ForceDay=True, FollowWeekCycle=True, ResetWhenReachDay=True,
                                       FollowMonthDayNumber=True, TimeZone="Europe/Berlin"),
     ["--from", "2027-03-15 00:00", "--for", "14d", "--day-length", "1800"],
     {"2027-03-16": "writers=forceday forceweekday forcemonthday dawn"}),
    ("daylight-saving-fortnight", config(FollowWeekCycle=True, TimeZone="America/New_York"),
     ["--from", "2027-10-31 00:00", "--for", "14d", "--day-length", "1800"], {"2027-11-07": "dst"}),
    ("all-four-61s-30-days", config(ForceDay=True, FollowWeekCycle=True, ResetWhenReachDay=True,
                                    FollowMonthDayNumber=True, TimeZone="Europe/Berlin"),
     ["--from", "2027-03-01 00:00", "--for", "30d", "--day-length", "61"], {}),
    ("gaza-resets-30-days", config(ResetWhenReachDay=True, DayToReset=3, FollowMonthDayNumber=True,
                                   TimeZone="Asia/Gaza"),
     ["--from", "2027-03-15 00:00", "--for", "30d", "--day-length", "757"], {}),
    ("largest-days-wrap", config(ForceDay=True, DayToForce=-2147483648, TimeZone="UTC"),
     ["--from", "2027-01-04 00:00", "--for", "3d", "--day-length", "600", "--day", "2147483600"],
     {"page": "2147483647"}),
    ("no-policy-two-months", config(TimeZone="America/Sao_Paulo"),
     ["--from", "2027-01-20 00:00", "--for", "45d", "--day-length", "0"],
     {"page": "no policy is on: the plugin writes the day only on day.set", "2027-02-01": "month"}),
]
# The page also taken as screenshots beside it (phone, desktop, paper both ways, forced colours),
# for a person to look at.
SHOTS = "four-fighting-fortnight"
# The pages that must print on one sheet, A4 or Letter, portrait or landscape.
ONE_SHEET = {"one-policy-fortnight", "four-fighting-fortnight", "daylight-saving-fortnight"}


class Cells(html.parser.HTMLParser):
    """The date cells of a page: data-date to (data-end-day, classes, data-most-seen)."""

    def __init__(self):
        super().__init__()
        self.cells, self.scripts = {}, 0

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "script":
            self.scripts += 1
        if tag == "td" and "data-date" in attrs:
            self.cells[attrs["data-date"]] = (attrs.get("data-end-day"), set(attrs.get("class", "").split()),
                                              attrs.get("data-most-seen"))


def summary(text):
    """The text summary's lines: date to (day at the end, notes, the day seen most)."""
    lines = {}
    for line in text.splitlines():
        found = re.match(r"(\d{4}-\d\d-\d\d) \w\w\w  .* day=(-?\d+)$", line)
        if found:
            most = re.search(r"mostly (-?\d+) \(", line)
            lines[found.group(1)] = (found.group(2), line, most.group(1) if most else None)
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


def in_the_browser(scratch):
    """axe-core, overflow, print and data-writers of every page, through puppeteer-core."""
    failures = []
    names = [name for name, *_ in CASES] + ["failed-run"]
    pages = [str(scratch / (name + ".html")) for name in names if (scratch / (name + ".html")).exists()]
    shots = str(scratch / (SHOTS + ".html"))
    run = subprocess.run(["node", str(pathlib.Path(__file__).with_name("preview_page_browser.mjs")), BROWSER, shots,
                          *pages], capture_output=True, text=True, timeout=900)
    if run.returncode != 0:
        return [f"the browser check failed: {run.stderr[-2000:]}"]
    results = {pathlib.Path(line["page"]).stem: line for line in map(json.loads, run.stdout.splitlines())}
    for name, _, _, expected in CASES + [("failed-run", None, None, {})]:
        result = results.get(name)
        if result is None:
            failures.append(f"{name}: no browser result")
            continue
        if result["axe"]:
            failures.append(f"{name}: axe-core finds {result['axe']}")
        for media, elements in result["overflow"].items():
            if elements:
                failures.append(f"{name}: content overflows its box ({media}): {elements[:5]}")
        sheets = result["sheets"]
        if (name in ONE_SHEET or name == "failed-run") and set(sheets.values()) != {1}:
            failures.append(f"{name}: prints on {sheets} sheets, not one each way")
        if result["lanes"] is not None and result["lanes"] < 3:  # null: a page without lanes
            failures.append(f"{name}: a lane's colour is {result['lanes']:.2f}:1 against its background, under 3:1")
        if result["keyboard"]["shut"]:
            failures.append(f"{name}: the keyboard does not open the changes of dates {result['keyboard']}")
        if result["printText"] < 8 * 96 / 72 - 0.01:
            failures.append(f"{name}: printed text of {result['printText']} px, under 8 pt")
        for date, what in expected.items():
            if what.startswith("writers=") and result["writers"].get(date) != what[8:]:
                failures.append(f"{name} {date}: data-writers {result['writers'].get(date)!r}, not {what[8:]!r}")
    return failures


def failed_run(preview, scratch):
    """A run that stops replaces its own page with one that says why, and nothing else."""
    name = CASES[0][0]
    page = scratch / "failed-run.html"
    shutil.copy(scratch / (name + ".html"), page)
    (scratch / name / "TolvApi" / "Plugins" / "MorrowsetVelde" / "config.json").write_text('{"ForceDay": 1}')
    run = subprocess.run([preview, "--server-dir", str(scratch / name), "--html", str(page)], capture_output=True,
                         text=True, timeout=120)
    text = page.read_text(encoding="utf-8")
    if run.returncode != 1 or "the preview did not run" not in text or "data-date" in text:
        return [f"failed-run: exit {run.returncode}, and the page still shows a calendar or says not why"]
    return []


def cells_agree(name, lines, cells):
    """Each date's cell against its text line: the day seen most, the day at the end, the marks."""
    failures = []
    for date, (end, line, most) in lines.items():
        cell_end, classes, cell_most = cells.cells[date]
        if cell_end != end:
            failures.append(f"{name} {date}: the cell says day {cell_end}, the text {end}")
        if cell_most != most and most is not None:
            failures.append(f"{name} {date}: the cell says players saw {cell_most} most, the text {most}")
        if ("dst" in classes) != ("-hour date" in line):
            failures.append(f"{name} {date}: daylight-saving mark {classes} against: {line}")
        if ("fight" in classes) != ("overwrite each other" in line):
            failures.append(f"{name} {date}: fighting mark {classes} against: {line}")
    return failures


def expected_marks(name, expected, cells, source):
    """What a case expects of its page: a text on it, a month heading, a cell's mark or end day."""
    failures = []
    for date, what in expected.items():
        end, classes, _ = cells.cells.get(date, (None, set(), None))
        if what.startswith("writers="):
            continue  # the browser's data-writers, in in_the_browser
        if date == "page":
            if what not in source:
                failures.append(f"{name}: the page does not say {what!r}")
        elif what == "month":
            heading = datetime.date.fromisoformat(date).strftime("%B %Y")
            if f'scope="colgroup">{heading}</th>' not in source:
                failures.append(f"{name}: no heading {heading!r} before {date}")
        elif not (what in classes if not what.startswith("end=") else end == what[4:]):
            failures.append(f"{name} {date}: expected {what}, the cell has day {end}, {classes}")
    return failures


def page_agrees(preview, plugin, scratch, case):
    """Writes one case's page and holds it to the text of the same run."""
    name, text, args, expected = case
    folder = scratch / name / "TolvApi" / "Plugins" / "MorrowsetVelde"
    folder.mkdir(parents=True)
    shutil.copy(plugin, folder / plugin.name)
    (folder / "config.json").write_text(text)
    page = scratch / (name + ".html")
    run = subprocess.run([preview, "--server-dir", str(scratch / name), "--html", str(page), *args],
                         capture_output=True, text=True, timeout=120)
    if run.returncode != 0:
        return [f"{name}: the preview exited {run.returncode}: {run.stderr}"], page
    failures, lines = [], summary(run.stdout)
    if page.stat().st_size > 300_000:
        failures.append(f"{name}: the page is {page.stat().st_size} bytes")
    source = page.read_text(encoding="utf-8")
    if re.search(r"(src|href)=\"(https?:)?//", source):
        failures.append(f"{name}: the page loads something from elsewhere")
    dom = subprocess.run([BROWSER, *FLAGS, f"--user-data-dir={scratch / 'profile'}", "--dump-dom", page.as_uri()],
                         capture_output=True, text=True, timeout=120).stdout
    cells = Cells()
    cells.feed(dom)
    if cells.scripts:
        failures.append(f"{name}: the page has a script")
    if set(cells.cells) != set(lines) or not lines:
        return failures + [f"{name}: cells {sorted(cells.cells)} but text dates {sorted(lines)}"], page
    return failures + cells_agree(name, lines, cells) + expected_marks(name, expected, cells, source), page


def main():
    preview, plugin, scratch = sys.argv[1], pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
    screenshot = pathlib.Path(sys.argv[4]) if len(sys.argv) > 4 else scratch / "preview-screenshot.png"
    shutil.rmtree(scratch, ignore_errors=True)
    failures = []
    for case in CASES:
        found, page = page_agrees(preview, plugin, scratch, case)
        failures += found
        if case[0] == "all-four-fighting-30-days":
            subprocess.run([BROWSER, *FLAGS, f"--user-data-dir={scratch / 'profile'}", "--window-size=1280,1000",
                            f"--screenshot={screenshot}", page.as_uri()], capture_output=True, timeout=120)
            if not screenshot.exists() or blank(screenshot.read_bytes()):
                failures.append(f"{case[0]}: the screenshot is missing or blank")
    failures += failed_run(preview, scratch)
    failures += in_the_browser(scratch)
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print(f"preview page test passed: {len(CASES)} pages")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
