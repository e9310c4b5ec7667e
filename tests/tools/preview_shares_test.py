#!/usr/bin/env python3
"""The day players see most on each date, counted again from --timeline: for a fight, a 61-second
game day and a daylight-saving date, every date's share of each day in --json is what the
change-by-change timeline of the same span adds up to, and the text line and the page's cell name
the same day.

usage: preview_shares_test.py PREVIEW PLUGIN SCRATCH
"""
import collections
import datetime
import json
import pathlib
import re
import shutil
import subprocess
import sys
import zoneinfo

from preview_page_test import config  # the config of a page test, with these members

CASES = [
    ("fight-utc", {"ForceDay": True, "FollowWeekCycle": True, "TimeZone": "UTC"},
     ["--from", "2027-01-04 00:00", "--for", "2d", "--day-length", "0"]),
    ("monthday-61s", {"FollowMonthDayNumber": True, "TimeZone": "Europe/Berlin"},
     ["--from", "2027-10-01 00:00", "--for", "2d", "--day-length", "61"]),
    ("weekday-london-autumn", {"FollowWeekCycle": True, "ResetWhenReachDay": True, "DayToReset": 7,
                               "TimeZone": "Europe/London"},
     ["--from", "2027-10-30 12:00", "--for", "2d", "--day-length", "1000"]),
]
LINE = re.compile(r"^(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d) (\S+)\s+\w{3}  (\S+)\s+day=(-?\d+)")


def instant(text, abbreviation, zone):
    """The instant of a local time the timeline prints, its zone's abbreviation telling a repeated hour's halves apart."""
    local = datetime.datetime.strptime(text, "%Y-%m-%d %H:%M:%S")
    for fold in (0, 1):
        candidate = local.replace(tzinfo=zone, fold=fold)
        if candidate.tzname() == abbreviation:
            return candidate.astimezone(datetime.timezone.utc)
    raise ValueError(f"{text} {abbreviation} is no time of {zone}")


def counted(timeline, zone, end):
    """Seconds each day was seen on each local date, from the timeline's changes up to the span's end."""
    changes = [(instant(m.group(1), m.group(2), zone), int(m.group(4)))
               for m in map(LINE.match, timeline.splitlines()) if m]
    seconds = collections.defaultdict(collections.Counter)
    for (at, day), (until, _) in zip(changes, changes[1:] + [(end, None)]):
        while at < until:
            local = at.astimezone(zone)
            midnight = datetime.datetime.combine(local.date() + datetime.timedelta(days=1), datetime.time(),
                                                 tzinfo=zone).astimezone(datetime.timezone.utc)
            upto = min(until, midnight)
            seconds[local.date().isoformat()][day] += (upto - at).total_seconds()
            at = upto
    return seconds


def main():
    preview, plugin, scratch = sys.argv[1], pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
    shutil.rmtree(scratch, ignore_errors=True)
    failures = []
    for name, members, args in CASES:
        folder = scratch / name / "TolvApi" / "Plugins" / "MorrowsetVelde"
        folder.mkdir(parents=True)
        shutil.copy(plugin, folder / plugin.name)
        (folder / "config.json").write_text(config(**members))
        page = scratch / (name + ".html")

        def run(*more):
            return subprocess.run([preview, "--server-dir", str(scratch / name), *args, *more], capture_output=True,
                                  text=True, timeout=120, check=True).stdout

        answer, timeline, text = json.loads(run("--json")), run("--timeline"), run("--html", str(page))
        zone = zoneinfo.ZoneInfo(members["TimeZone"])
        start = instant(*answer["span"]["from"].rsplit(" ", 1), zone)
        seconds = counted(timeline, zone, start + datetime.timedelta(seconds=answer["span"]["seconds"]))
        cells = dict(re.findall(r'data-date="([^"]+)" data-most-seen="(-?\d+)"', page.read_text()))
        for date in answer["dates"]:
            count = seconds[date["date"]]
            listed = [(share["day"], share["seconds"]) for share in date["shares"]]
            expected = sorted(((day, held) for day, held in count.items() if held >= 60), key=lambda s: -s[1])
            if sorted(listed) != sorted(expected[:8]) or [s for _, s in listed] != sorted((s for _, s in listed),
                                                                                       reverse=True):
                failures.append(f"{name} {date['date']}: shares {listed}, the timeline counts {expected}")
            most = max(count.items(), key=lambda c: c[1])
            if count[date["mostSeen"]["day"]] != most[1]:
                failures.append(f"{name} {date['date']}: mostly {date['mostSeen']}, the timeline {most}")
            flickers = sum(1 for held in count.values() if 0 < held < 60)
            if date["flickers"]["days"] != flickers:
                failures.append(f"{name} {date['date']}: {date['flickers']} flickers, the timeline {flickers}")
            if f"mostly {date['mostSeen']['day']} (" not in date["line"]:
                failures.append(f"{name} {date['date']}: the line does not say mostly {date['mostSeen']['day']}")
            if cells.get(date["date"]) != str(date["mostSeen"]["day"]):
                failures.append(f"{name} {date['date']}: the page says {cells.get(date['date'])}")
            if date["line"] not in text:
                failures.append(f"{name} {date['date']}: the text has no line {date['line']!r}")
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print(f"preview shares test passed: {len(CASES)} runs")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
