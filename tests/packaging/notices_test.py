#!/usr/bin/env python3
"""THIRD-PARTY-NOTICES.txt names every component the build takes from outside: each folder of
third_party/, each package of package.json, each Debian -dev package whose headers the build
includes; and it carries the licence text of each one that ships.

usage: notices_test.py SOURCE-DIR BUILT-NOTICES
"""
import json
import pathlib
import re
import sys

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
    if re.search(r"@MORROWSET_\w+@", notices):
        failures.append("a placeholder was left unfilled")
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print(f"notices test passed: {len(named)} components named")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
