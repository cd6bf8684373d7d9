"""Validates JSON files against a JSON Schema: validate_json.py SCHEMA FILE...

Prints each fault as "FILE: path: message" and exits 1 when there is any.
"""
import json
import sys

import jsonschema


def main(schema_path, paths):
    with open(schema_path, encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft7Validator.check_schema(schema)
    validator = jsonschema.Draft7Validator(schema)
    faults = 0
    for path in paths:
        with open(path, encoding="utf-8") as f:
            document = json.load(f)
        for error in validator.iter_errors(document):
            where = "/".join(str(p) for p in error.absolute_path)
            print(f"{path}: {where}: {error.message}")
            faults += 1
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2:]))
