#!/usr/bin/env python3
"""THIRD-PARTY-NOTICES.txt names every component the build takes from outside: each folder of
third_party/, each package of package.json, each Debian -dev package whose headers the build
includes; it carries the licence text of each one that ships; and for each component whose
trace the binaries keep (a type's name, a message, a zone's name), the shipped files it names in
each archive are exactly those that hold it, so that a new dependency of any binary cannot slip by.

usage: notices_test.py SOURCE-DIR BUILT-NOTICES LINUX-BIN-DIR WINDOWS-BIN-DIR
"""
import json
import pathlib
import re
import subprocess
import sys
import tempfile

# Debian packages the tests and benchmarks alone include.
TEST_ONLY_DEV = {"libgtest-dev", "libgmock-dev", "libbenchmark-dev"}
# A line of each licence text the notices must carry, with its component.
LICENCE_LINES = {
    "JSON for Modern C++": "Copyright (c) 2013-2022 Niels Lohmann",
    "cctz": "Apache License",
    "tz database": "This database is in the public domain.",
    "CLDR": "Copyright © 1991-2022 Unicode, Inc. All rights reserved.",
    "spdlog": "Copyright (c) 2016 Gabi Melman.",
    "{fmt}": "Copyright (c) 2012 - 2016, Victor Zverovich",
    "MSVC STL": "---- LLVM Exceptions to the Apache 2.0 License ----",
    "Wine's headers": "GNU LESSER GENERAL PUBLIC LICENSE",
}


# What each component leaves in a binary that compiles it in, by the number of its notice.
TRACES = {
    1: b"json.exception",           # nlohmann's exceptions' messages
    2: b"Fixed/",                   # cctz's fixed-offset zone names
    3: b"Europe/Berlin",            # the zone data
    4: b"W. Europe Standard Time",  # CLDR's Windows zone names
    5: b"spdlog",                   # spdlog's types' names
    6: b"FormatError",              # {fmt}'s exception type's name
    7: b"msvcp140.dll",             # the MSVC STL's import of its DLL
}
# The shipped binaries, by the name the notices give them.
LINUX = ["MorrowsetVelde.so", "libZelApi.so", "morrowset-check", "morrowset-preview"]
WINDOWS = ["MorrowsetVelde.dll", "ZelApi.dll", "morrowset-check.exe", "morrowset-preview.exe"]


def claimed(notices, archive):
    """The shipped files each numbered component names for an archive."""
    files, number = {}, None
    for line in notices.split("=" * 70)[0].splitlines():
        if re.match(r"\d+\. ", line):
            number = int(line.split(".")[0])
        found = re.match(rf"\s+{archive} archive: (.*)\.$", line)
        if found and number:
            files[number] = {f.split(" ")[0] for f in found.group(1).split(", ")} - {"none"}
    return files


def held(binaries, names, strip):
    """The binaries holding each trace, read as they ship (Linux ones stripped of debug information)."""
    holding = {number: set() for number in TRACES}
    with tempfile.TemporaryDirectory() as scratch:
        for name in names:
            path = binaries / name
            if strip:
                subprocess.run(["strip", "-o", f"{scratch}/{name}", str(path)], check=True)
                path = pathlib.Path(scratch) / name
            data = path.read_bytes()
            for number, trace in TRACES.items():
                if trace in data:
                    holding[number].add(name)
    return holding


def binaries_named(notices, linux, windows):
    failures = []
    for archive, binaries, names, strip in (("Linux", linux, LINUX, True), ("Windows", windows, WINDOWS, False)):
        files, holding = claimed(notices, archive), held(binaries, names, strip)
        for number in TRACES:
            if files.get(number, set()) != holding[number]:
                failures.append(f"component {number} in the {archive} archive: the notices name "
                                f"{sorted(files.get(number, set()))}, the binaries that hold it are {sorted(holding[number])}")
    return failures


def main():
    source, notices = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]).read_text(encoding="utf-8")
    named = []
    named += [f"third_party/{d.name}" for d in sorted((source / "third_party").iterdir()) if d.is_dir()]
    named += list(json.loads((source / "package.json").read_text())["dependencies"])
    setup = (source / "scripts" / "setup.sh").read_text()
    packages = " ".join(re.findall(r"^\w*packages=\(([^)]*)\)", setup, re.MULTILINE | re.DOTALL)).split()
    named += [p for p in packages if p.endswith("-dev") and p not in TEST_ONLY_DEV]
    failures = [f"{name} is not named" for name in named if name not in notices]
    failures += [f"the licence of {c} is missing" for c, line in LICENCE_LINES.items() if line not in notices]
    failures += binaries_named(notices, pathlib.Path(sys.argv[3]), pathlib.Path(sys.argv[4]))
    if re.search(r"@MORROWSET_\w+@", notices):
        failures.append("a placeholder was left unfilled")
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print(f"notices test passed: {len(named)} components named")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
