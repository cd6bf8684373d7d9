"""Validates JSON files against JSON Schemas: validate_json.py SCHEMA FILE... [SCHEMA FILE...]

An argument ending in ".schema.json" is the schema of the files after it. Prints each
fault as "FILE: path: message" and exits 1 when there is any.
"""
import json
import sys

import jsonschema


def load(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)


def main(arguments):
    validator = None
    faults = 0
    for path in arguments:
        if path.endswith(".schema.json"):
            schema = load(path)
            jsonschema.Draft7Validator.check_schema(schema)
            validator = jsonschema.Draft7Validator(schema)
            continue
        for error in validator.iter_errors(load(path)):
            where = "/".join(str(p) for p in error.absolute_path)
            print(f"{path}: {where}: {error.message}")
            faults += 1
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
