"""--json of morrowset-check and morrowset-preview: every kind of run gives one document that its
shipped schema accepts, with the exit code of the text run, and says what the text says."""
# usage: report_json_test.py MORROWSET-CHECK MORROWSET-PREVIEW PLUGIN SOURCE-DIR
import json
import pathlib
import shutil
import subprocess
import sys
import tempfile

import jsonschema

check, preview, plugin, source = sys.argv[1:5]
VALID = {"ForceDay": False, "DayToForce": 5, "FollowWeekCycle": True, "ResetWhenReachDay": True,
         "DayToReset": 100, "DayToSetWhenReset": 1, "TimeZone": "Europe/Berlin"}
failures = []


def validator(name):
    """A validator of one shipped schema, which finds the other schemas it refers to by their $id."""
    schemas = {path.name: json.loads(path.read_text()) for path in (pathlib.Path(source) / "packaging").glob("*.schema.json")}
    schema = schemas[name]
    jsonschema.Draft202012Validator.check_schema(schema)
    resolver = jsonschema.RefResolver.from_schema(schema, store={s["$id"]: s for s in schemas.values()})
    return jsonschema.Draft202012Validator(schema, resolver=resolver)


def run(program, args):
    text = subprocess.run([program, *args], capture_output=True, text=True)
    answer = subprocess.run([program, "--json", *args], capture_output=True, text=True)
    return text, answer


def lines_starting(text, start):
    return [line[len(start):] for line in text.splitlines() if line.startswith(start)]


def same_check(case, text, document):
    """What the check's JSON and its text must both say."""
    printed = text.stdout.splitlines()
    init = document.get("init")
    verdict_line = printed[1] if init and init["written"] else printed[0]
    expect = {
        "verdict": verdict_line,
        "warnings": lines_starting(text.stdout, "warning: "),
    }
    config = document.get("config")
    if config and config["loads"]:
        expect["policies"] = ",".join(config["policies"]) or "none"
        got_policies = lines_starting(text.stdout, "policies=")
        if got_policies != [expect["policies"]]:
            failures.append(f"{case}: policies {config['policies']} but the text says {got_policies}")
        at = printed.index("policies=" + expect["policies"]) + 1 if got_policies else 0
        if printed[at:at + len(config["policyLines"])] != config["policyLines"] or not config["policyLines"]:
            failures.append(f"{case}: policy lines {config['policyLines']} but the text says {printed[at:]}")
    if config and config["error"]:
        if config["error"]["text"] != printed[0]:
            failures.append(f"{case}: error text {config['error']['text']!r}, the text {printed[0]!r}")
        if (config["error"]["fix"] or "") != (printed[1] if len(printed) > 1 and config["error"]["fix"] else ""):
            failures.append(f"{case}: fix {config['error']['fix']!r}, the text's second line {printed[1]!r}")
    for key, value in expect.items():
        if key in ("verdict", "warnings") and document.get(key) != value:
            failures.append(f"{case}: {key} is {document.get(key)!r}, the text says {value!r}")


def check_cases(tmp):
    validate = validator("check-report.schema.json")
    server = tmp / "server"
    folder = server / "TolvApi" / "Plugins" / "MorrowsetVelde"
    folder.mkdir(parents=True)
    config = folder / "config.json"
    big = tmp / "big.json"
    big.write_text(json.dumps(VALID))
    with open(big, "r+b") as f:
        f.truncate(2 << 20)
    files = {
        "loads, with warnings": json.dumps({**VALID, "ForceDya": True}),
        "every policy fights": json.dumps({**VALID, "ForceDay": True, "FollowMonthDayNumber": True}),
        "missing member": json.dumps({k: v for k, v in VALID.items() if k != "DayToReset"}),
        "wrong type": json.dumps({**VALID, "ForceDay": "yes"}),
        "syntax": '{\n  "ForceDay": false,\n  "DayToForce": 5,,\n}',
        "unknown zone": json.dumps({**VALID, "TimeZone": "Europe/Berln"}),
        "not an object": "[1, 2]",
        "text after the value": json.dumps(VALID) + "\n}",
    }
    cases = []
    for name, text in files.items():
        path = tmp / (name.replace(" ", "-") + ".json")
        path.write_text(text)
        cases.append((name, [str(path)]))
    cases += [("no file", [str(tmp / "none.json")]),
              ("no server folder", ["--server-dir", str(tmp / "nowhere")]),
              ("over 1 MiB", [str(big)]),
              ("strict on a warning", ["--strict", str(tmp / "loads,-with-warnings.json")]),
              ("init outside a server folder", ["--init", "--server-dir", str(server)]),
              ("init with force", ["--init", "--force", "--server-dir", str(server)]),
              ("a folder that is no server folder", ["--server-dir", str(server)])]
    for case, args in cases:
        if case == "init with force" and config.exists():
            config.unlink()
        text, answer = run(check, args)
        if case == "init with force":  # the text run wrote it; the JSON run finds it there
            config.unlink()
            answer = subprocess.run([check, "--json", *args], capture_output=True, text=True)
        if text.returncode != answer.returncode:
            failures.append(f"{case}: exit {answer.returncode} with --json, {text.returncode} without")
        try:
            document = json.loads(answer.stdout)
        except json.JSONDecodeError as error:
            failures.append(f"{case}: not one JSON document ({error}): {answer.stdout[:200]!r}")
            continue
        for error in validate.iter_errors(document):
            failures.append(f"{case}: {'/'.join(map(str, error.path)) or '(root)'}: {error.message}")
        if document.get("exitCode") != answer.returncode:
            failures.append(f"{case}: exitCode {document.get('exitCode')}, exit {answer.returncode}")
        same_check(case, text, document)
    bad = subprocess.run([check, "--json", "--nonsense"], capture_output=True, text=True)
    if bad.returncode != 2 or bad.stdout or not bad.stderr.startswith("morrowset-check: "):
        failures.append("bad usage with --json is not text on standard error, exit 2")


def preview_cases(tmp):
    validate = validator("preview-report.schema.json")
    server = tmp / "preview-server"
    folder = server / "TolvApi" / "Plugins" / "MorrowsetVelde"
    folder.mkdir(parents=True)
    shutil.copy(plugin, folder / pathlib.Path(plugin).name)
    config = folder / "config.json"
    span = ["--server-dir", str(server), "--from", "2027-10-30 00:00", "--for", "2d", "--day-length", "0"]
    cases = [("a daylight-saving weekend", json.dumps(VALID), span),
             ("the day now given", json.dumps({**VALID, "ForceDay": True}), span + ["--day", "99"]),
             ("a config that does not load", json.dumps({**VALID, "ForceDay": 1}), span)]
    for case, text_of_config, args in cases:
        config.write_text(text_of_config)
        text, answer = run(preview, args)
        if text.returncode != answer.returncode:
            failures.append(f"{case}: exit {answer.returncode} with --json, {text.returncode} without")
        document = json.loads(answer.stdout)
        for error in validate.iter_errors(document):
            failures.append(f"{case}: {'/'.join(map(str, error.path)) or '(root)'}: {error.message}")
        if "dates" not in document:
            if document["verdict"] != text.stdout.splitlines()[0]:
                failures.append(f"{case}: verdict {document['verdict']!r}, the text {text.stdout.splitlines()[0]!r}")
            continue
        printed = text.stdout.splitlines()
        if [d["line"] for d in document["dates"]] != [l for l in printed if l[:4].isdigit()]:
            failures.append(f"{case}: the dates' lines differ from the text's")
        if printed[:len(document["header"])] != document["header"]:
            failures.append(f"{case}: the header differs from the text's")
        if [f"day at the end: {document['dayAtTheEnd']}"] != [l for l in printed if l.startswith("day at the end: ")]:
            failures.append(f"{case}: the day at the end differs from the text's")
        for date in document["dates"]:
            if not date["line"].endswith(f"  day={date['dayAtTheEnd']}"):
                failures.append(f"{case}: {date['date']}: dayAtTheEnd {date['dayAtTheEnd']} is not its line's")
    if document_of(preview, span + ["--timeline"]) is not None:
        failures.append("--json with --timeline is not refused")


def document_of(program, args):
    answer = subprocess.run([program, "--json", *args], capture_output=True, text=True)
    return None if answer.returncode == 2 else answer.stdout


with tempfile.TemporaryDirectory() as tmp:
    check_cases(pathlib.Path(tmp))
    preview_cases(pathlib.Path(tmp))
for failure in failures:
    print("FAIL:", failure)
if failures:
    sys.exit(1)
print("report json test passed")
