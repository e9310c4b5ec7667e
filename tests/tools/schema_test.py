"""The shipped JSON Schema of config.json: current, and right about files under a real validator."""
# usage: schema_test.py MORROWSET-CHECK SOURCE-DIR
import copy
import json
import subprocess
import sys

import jsonschema

check, source = sys.argv[1], sys.argv[2]
printed = subprocess.run([check, "--schema"], check=True, capture_output=True, text=True).stdout
with open(f"{source}/config/config.schema.json") as f:
    shipped = f.read()
if printed != shipped:
    sys.exit("FAIL: config/config.schema.json differs from `morrowset-check --schema`: "
             "regenerate it with morrowset-check --schema > config/config.schema.json")

schema = json.loads(shipped)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
with open(f"{source}/config/config.json") as f:
    default = json.load(f)


def errors(config):
    return [f"{'/'.join(map(str, e.path)) or '(root)'}: {e.message}"
            for e in validator.iter_errors(config)]


failures = []
if errors(default):
    failures.append(f"the default config is refused: {errors(default)}")
wrong_type = dict(default, ForceDay="yes")
if not any(e.startswith("ForceDay:") for e in errors(wrong_type)):
    failures.append(f'"ForceDay": "yes" is accepted: {errors(wrong_type)}')
missing = copy.deepcopy(default)
del missing["DayToReset"]
if not any("'DayToReset' is a required property" in e for e in errors(missing)):
    failures.append(f'a config without "DayToReset" is accepted: {errors(missing)}')
# "TimeZone" takes the database's names, exactly as spelt.
if errors(dict(default, TimeZone="Europe/Berlin")):
    failures.append(f'"TimeZone": "Europe/Berlin" is refused: {errors(dict(default, TimeZone="Europe/Berlin"))}')
if not any(e.startswith("TimeZone:") for e in errors(dict(default, TimeZone="europe/berlin"))):
    failures.append('"TimeZone": "europe/berlin" is accepted')
# Members of other tools are no error: the plugin ignores them too.
if errors(dict(default, SomeOtherTool=1)):
    failures.append("an unknown member is refused")
if failures:
    sys.exit("FAIL: " + "\n".join(failures))
print("schema test passed")
