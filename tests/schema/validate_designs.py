#!/usr/bin/env python3
"""Validates every stored design (*.form.json) under the given folders
against the design schema, and checks that the schema refuses designs the
reader refuses, so that a schema that accepts everything fails too.

Usage: validate_designs.py SCHEMA FOLDER...
"""
import copy
import json
import pathlib
import sys

from jsonschema import Draft202012Validator


def designs(folders):
    for folder in folders:
        yield from sorted(pathlib.Path(folder).rglob("*.form.json"))


def refused_variants(design):
    """Designs the reader refuses, made from a valid one."""
    unknown_key = copy.deepcopy(design)
    unknown_key["colour"] = 1
    yield "unknown key", unknown_key
    unknown_class = copy.deepcopy(design)
    unknown_class["class"] = "TWindow"
    yield "unknown class", unknown_class
    bad_property = copy.deepcopy(design)
    bad_property.setdefault("properties", {})["Colour"] = "clRed"
    yield "unknown property", bad_property
    bad_colour = copy.deepcopy(design)
    bad_colour.setdefault("properties", {})["Color"] = "#FF00"
    yield "HTML colour of four digits", bad_colour
    bad_member = copy.deepcopy(design)
    bad_member["children"] = [{"class": "TQuillLabel", "name": "L",
                               "properties": {"CellFormat": {"AlignH": "haMiddle"}}}]
    yield "unknown member", bad_member
    nested_generator = copy.deepcopy(design)
    nested_generator["children"] = [{"class": "TPanel", "name": "P",
                                     "children": [{"class": "TQuillHtmlGenerator", "name": "G"}]}]
    yield "non-visual component in a panel", nested_generator


def main(schema_path, folders):
    schema = json.loads(pathlib.Path(schema_path).read_text(encoding="utf-8"))
    Draft202012Validator.check_schema(schema)
    validator = Draft202012Validator(schema)
    failures = []
    checked = []
    for path in designs(folders):
        design = json.loads(path.read_text(encoding="utf-8"))
        checked.append(design)
        for error in validator.iter_errors(design):
            failures.append(f"{path}: {'/'.join(map(str, error.absolute_path))}: {error.message[:300]}")
    if len(checked) < 4:
        failures.append(f"only {len(checked)} designs found under {', '.join(folders)}")
    for what, variant in refused_variants(checked[0] if checked else {}):
        if validator.is_valid(variant):
            failures.append(f"the schema accepts a design with an {what}")
    for failure in failures:
        print(failure)
    print(f"{len(checked)} designs checked, {len(failures)} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2:]))
