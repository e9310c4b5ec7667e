#!/usr/bin/env python3
"""The Windows release zip as an admin gets it: its layout, no config.json, INSTALL.txt, LICENSE
and every other text file with CRLF line ends, the project's version and copyright in every
binary's version resource, no debug information and no build path in them, their PDBs in the
symbols zip's symbol store matching them, and only the runtime DLLs docs/windows.md names imported.

Then the zip's preview runs under Wine, from a server folder that holds a decoy ZelApi.dll, and
its date lines must be the Linux preview's for the same zoned config.

usage: windows_package_test.py BUILD-WINDOWS-DIR VERSION SOURCE-DIR LINUX-PREVIEW LINUX-PLUGIN
"""
import json
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile

LAYOUT = {
    "TolvApi/Plugins/MorrowsetVelde/MorrowsetVelde.dll",
    "TolvApi/Plugins/MorrowsetVelde/config.schema.json",
    "Morrowset/INSTALL.txt",
    "Morrowset/GUIDE.txt",
    "Morrowset/LICENSE",
    "Morrowset/check-report.schema.json",
    "Morrowset/preview-report.schema.json",
    "Morrowset/THIRD-PARTY-NOTICES.txt",
    "Morrowset/CHANGELOG.md",
    "Morrowset/morrowset-check.exe",
    "Morrowset/morrowset-preview.exe",
    "Morrowset/stand-in/ZelApi.dll",
}
# What the binaries import, as docs/windows.md states it: what a machine with the Visual C++ 2015-2022
# Redistributable (x64) has.
ALLOWED = re.compile(r"(kernel32|ucrtbase|vcruntime140|msvcp140)\.dll", re.IGNORECASE)
# Only the plugin imports the framework; the preview loads its stand-in by full path.
FRAMEWORK_USERS = {"MorrowsetVelde.dll"}


def readobj(*args):
    return subprocess.run(["llvm-readobj-16", *args], capture_output=True, text=True, check=True).stdout


def version_resource(data, name):
    """The value of a string in a version resource (UTF-16, after its key and padding)."""
    key = (name + "\0").encode("utf-16-le")
    at = data.find(key)
    if at < 0:
        return None
    at += len(key)
    while data[at:at + 2] == b"\0\0":
        at += 2
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le")


def pdb_guid(path):
    out = subprocess.run(["llvm-pdbutil-16", "dump", "--summary", str(path)], capture_output=True, text=True,
                         check=True).stdout
    return re.search(r"GUID: \{([0-9A-F-]+)\}", out).group(1), int(re.search(r"Age: (\d+)", out).group(1))


def image_guid(debug):
    raw = bytes(int(b, 16) for b in re.search(r"PDBGUID: \(([0-9A-F ]+)\)", debug).group(1).split())
    g = raw[3::-1].hex() + "-" + raw[5:3:-1].hex() + "-" + raw[7:5:-1].hex() + "-" + raw[8:10].hex() + "-" + \
        raw[10:16].hex()
    return g.upper(), int(re.search(r"PDBAge: (\d+)", debug).group(1))


CONFIG = ('{"ForceDay": false, "DayToForce": 5, "FollowWeekCycle": true, "ResetWhenReachDay": false, '
          '"DayToReset": 100, "DayToSetWhenReset": 1, "TimeZone": "Europe/Berlin"}')
PREVIEW_ARGS = ["--from", "2027-10-30 00:00", "--for", "2d", "--day-length", "0"]


def date_lines(text):
    return [line.rstrip("\r") for line in text.splitlines() if re.match(r"\d{4}-\d\d-\d\d \w\w\w  ", line)]


def windows_preview_agrees(tmp, server, linux_preview, linux_plugin):
    """Runs the zip's preview under Wine and the Linux one on the same config; returns failures."""
    failures = []
    config = server / "TolvApi" / "Plugins" / "MorrowsetVelde" / "config.json"
    config.write_text(CONFIG)
    decoy = server / "ZelApi.dll"
    decoy.write_bytes(b"MZ not the framework")  # a broken image: loading it would fail the run
    linux = tmp / "linux-server" / "TolvApi" / "Plugins" / "MorrowsetVelde"
    linux.mkdir(parents=True)
    shutil.copy(linux_plugin, linux / pathlib.Path(linux_plugin).name)
    (linux / "config.json").write_text(CONFIG)
    expected = subprocess.run([linux_preview, "--server-dir", str(tmp / "linux-server"), *PREVIEW_ARGS],
                              capture_output=True, text=True, timeout=120)
    env = dict(os.environ, WINEPREFIX=str(tmp / "wineprefix"), WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
    env.pop("DISPLAY", None)
    try:
        subprocess.run(["wineboot", "-i"], env=env, capture_output=True, timeout=240)
        run = subprocess.run(["wine", str(server / "Morrowset" / "morrowset-preview.exe"), "--server-dir", ".",
                              *PREVIEW_ARGS], cwd=server, env=env, capture_output=True, timeout=240)
        answer = subprocess.run(["wine", str(server / "Morrowset" / "morrowset-preview.exe"), "--server-dir", ".",
                                 "--json", *PREVIEW_ARGS], cwd=server, env=env, capture_output=True, timeout=240)
    finally:
        subprocess.run(["wineserver", "-k"], env=env, capture_output=True, timeout=60)
    out = run.stdout.decode("utf-8", "replace")
    # The broken framework beside TolvApi would refuse the plugin: the preview says so first, still
    # shows the days, and exits 1.
    if run.returncode != 1 or not date_lines(out) or date_lines(out) != date_lines(expected.stdout):
        failures.append(f"the zip's preview under Wine (exit {run.returncode}) printed {date_lines(out)}, "
                        f"the Linux one {date_lines(expected.stdout)}")
    if not out.startswith("framework: the server's framework will NOT load this plugin"):
        failures.append(f"the zip's preview did not open with the framework's verdict: {out[:200]!r}")
    if decoy.read_bytes() != b"MZ not the framework" or len(list(server.rglob("*.loaded"))) > 0:
        failures.append("the decoy ZelApi.dll was touched")
    # --json gives the reason as its verdict, and the framework's finding as the check does.
    document = json.loads(answer.stdout.decode("utf-8", "replace") or "{}")
    found = document.get("framework") or {}
    if answer.returncode != 1 or found.get("checked") is not True or found.get("ok") is not False or \
            document.get("verdict") != found.get("verdict") or document.get("verdict", "").startswith("framework:"):
        failures.append(f"the zip's preview --json on a refusing framework: verdict {document.get('verdict')!r}, "
                        f"framework {found!r}")
    return failures


def texts_for_notepad(server, files):
    """Every text an admin may open in Notepad (all but the binaries): CRLF, no placeholder left."""
    failures = []
    for text in sorted(f for f in files if not f.endswith((".dll", ".exe"))):
        data = (server / text).read_bytes()
        if data.count(b"\n") != data.count(b"\r\n") or b"\r\n" not in data:
            failures.append(f"{text} has line ends other than CRLF")
        if text.endswith(".txt") and re.search(rb"@[A-Z_]+@", data):
            failures.append(f"{text} has a placeholder left: {re.search(rb'@[A-Z_]+@', data).group().decode()}")
    return failures


def hardened(path, version):
    """A binary's version resource, its protections, and for a program its application manifest."""
    failures, base, data = [], path.name, path.read_bytes()
    for key in ("ProductVersion", "FileVersion"):
        if version_resource(data, key) != version:
            failures.append(f"{base}: {key} is {version_resource(data, key)!r}, not {version}")
    if not (version_resource(data, "LegalCopyright") or "").startswith("Copyright (c) "):
        failures.append(f"{base}: no LegalCopyright in its version resource")
    # Control-flow guard, ASLR with high entropy, no-execute data, a /GS cookie the loader seeds.
    headers = readobj("--file-headers", "--coff-load-config", str(path))
    for flag in ("IMAGE_DLL_CHARACTERISTICS_GUARD_CF", "IMAGE_DLL_CHARACTERISTICS_DYNAMIC_BASE",
                 "IMAGE_DLL_CHARACTERISTICS_HIGH_ENTROPY_VA", "IMAGE_DLL_CHARACTERISTICS_NX_COMPAT",
                 "CF_INSTRUMENTED", "CF_FUNCTION_TABLE_PRESENT"):
        if flag not in headers:
            failures.append(f"{base}: no {flag}")
    if not re.search(r"SecurityCookie: 0x[1-9A-F]", headers) or not re.search(r"GuardCFFunctionCount: [1-9]", headers):
        failures.append(f"{base}: no load-config directory with its cookie and guard table")
    if base == "morrowset-preview.exe" and "FlushInstructionCache" in readobj("--coff-imports", str(path)):
        failures.append(f"{base} imports FlushInstructionCache: it writes code")
    if base.endswith(".exe"):
        # The application manifest: run as the user, as a program of Windows 10 and 11, long paths.
        if "Type: MANIFEST (ID 24)" not in readobj("--coff-resources", str(path)):
            failures.append(f"{base}: no application manifest")
        for setting in (b'level="asInvoker"', b'<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>',
                        b'>true</longPathAware>'):
            if setting not in data:
                failures.append(f"{base}: its manifest lacks {setting.decode()}")
    return failures


def symbols_and_imports(path, symbols):
    """No debug information in the binary, its PDB where a debugger looks in the symbol store, and
    only allowed DLLs imported."""
    failures, base = [], path.name
    sections = re.findall(r"Name: (\S+)", readobj("--sections", str(path)))
    if any(s.startswith(".debug") for s in sections):
        failures.append(f"{base}: carries debug sections {sections}")
    debug = readobj("--coff-debug-directory", str(path))
    pdb = re.search(r"PDBFileName: (.*)", debug).group(1).strip()
    if pdb != path.with_suffix(".pdb").name:
        failures.append(f"{base}: names its PDB as {pdb!r}, not by file name alone")
    # Where a debugger looks for it in a symbol store: NAME.pdb/<GUID without dashes><age in hex>/.
    guid, age = image_guid(debug)
    symbol_file = symbols / pdb / f"{guid.replace('-', '')}{age:X}" / pdb
    if not symbol_file.exists():
        failures.append(f"{base}: no {symbol_file.relative_to(symbols)} in the symbols zip")
    elif pdb_guid(symbol_file) != (guid, age):
        failures.append(f"{base}: {symbol_file.name} in the symbols zip is of another build")
    for dll in re.findall(r"Name: (\S+\.dll)", readobj("--coff-imports", str(path)), re.IGNORECASE):
        if not ALLOWED.fullmatch(dll) and not (dll == "ZelApi.dll" and base in FRAMEWORK_USERS):
            failures.append(f"{base}: imports {dll}, which is not on the allow-list")
    return failures


def main():
    build, version = pathlib.Path(sys.argv[1]), sys.argv[2]
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        tmp = pathlib.Path(tmp)
        subprocess.run(["cpack", "-G", "ZIP", "--config", str(build / "CPackConfig.cmake"), "-B", str(tmp / "pkg")],
                       check=True, capture_output=True)
        archive = tmp / "pkg" / f"Morrowset-{version}-Windows.zip"
        symbols = tmp / f"Morrowset-{version}-Windows-symbols.zip"
        subprocess.run(["bash", str(pathlib.Path(sys.argv[3]) / "scripts" / "windows-symbols.sh"), str(build),
                        str(symbols)], check=True, capture_output=True)
        with zipfile.ZipFile(archive) as z:
            files = {n for n in z.namelist() if not n.endswith("/")}
            z.extractall(tmp / "server")
        if files != LAYOUT:
            failures.append(f"layout: extra {sorted(files - LAYOUT)}, missing {sorted(LAYOUT - files)}")
        failures += texts_for_notepad(tmp / "server", files)
        with zipfile.ZipFile(symbols) as z:
            z.extractall(tmp / "symbols")
            # A plain folder is a symbol store to a debugger only with pingme.txt in its root.
            if "pingme.txt" not in z.namelist():
                failures.append("the symbols zip has no pingme.txt in its root: a debugger would not search it")
        for name in sorted(f for f in files if f.endswith((".dll", ".exe"))):
            failures += hardened(tmp / "server" / name, version)
            failures += symbols_and_imports(tmp / "server" / name, tmp / "symbols")
        failures += windows_preview_agrees(tmp, tmp / "server", sys.argv[4], sys.argv[5])
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print(f"windows package test passed: {archive.name}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
