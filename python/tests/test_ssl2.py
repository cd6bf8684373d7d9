"""Tests of the Python module: run by CTest (python.pytest) with PYTHONPATH at the built
package; SSL2_TOOL and SSL2_RETARGET name the tool and the C++ example when built."""

import collections.abc
import glob
import json
import logging
import os
import random
import re
import subprocess
import warnings
import xml.etree.ElementTree as ET

import pytest

import ssl2

SOURCE = os.environ.get("SSL2_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
TICKETS = sorted(glob.glob(os.path.join(SOURCE, "examples", "tickets", "*.ssl")))
CAPAS = sorted(glob.glob(os.path.join(SOURCE, "examples", "capas", "*.ini")))


def ticket_path(name):
    return os.path.join(SOURCE, "examples", "tickets", name)


def contents(ticket):
    """Every statement of every entry, for comparing what two tickets mean; "Version"
    records the dialect a ticket was read in, so it is left out."""
    return [{k: v for k, v in entry.items() if k != "Version"} for entry in ticket]


@pytest.mark.parametrize("path", TICKETS, ids=os.path.basename)
def test_every_example_reads_back_as_written(path, tmp_path):
    dialect = "5.0"
    ticket = ssl2.read(path, strict=False)
    assert len(ticket) >= 2 and not ticket[0].is_file and ticket[1].is_file
    again = ssl2.parse(ticket.to_string(dialect))
    assert contents(again) == contents(ticket)
    # Written to a file (UTF-16 where Windows-1252 lacks a character) and read back.
    ticket.write(tmp_path / "out.ssl", dialect=dialect)
    assert contents(ssl2.read(tmp_path / "out.ssl")) == contents(ticket)


def typed(value):
    """A JSON value as Python gives it: numbers as numbers, whatever form JSON uses."""
    if isinstance(value, dict):
        return {k: typed(v) for k, v in value.items()}
    if isinstance(value, list):
        return [typed(v) for v in value]
    try:
        return float(value)
    except (TypeError, ValueError):
        return value


@pytest.mark.skipif("SSL2_TOOL" not in os.environ, reason="the tool is not built")
@pytest.mark.parametrize("name", ["simple.ssl", "twenty_files.ssl", "unicode_utf16.ssl"])
def test_names_and_values_are_those_of_show_json(name):
    path = ticket_path(name)
    shown = json.loads(subprocess.run([os.environ["SSL2_TOOL"], "show", "--json", path],
                                      check=True, capture_output=True, text=True).stdout)
    ticket = ssl2.read(path)
    assert ticket.to_json() == shown
    assert len(ticket) == len(shown["entries"])
    for entry, expected in zip(ticket, shown["entries"]):
        assert entry.is_file == expected["isEntry"]
        for statement, fields in expected["statements"].items():
            form = fields.get("elements", fields.get("members"))
            if entry[statement] == [] and "members" in fields:
                continue  # an empty list statement, written with one empty element
            if list(form) == ["value"]:
                form = form["value"]
            assert typed(entry[statement]) == typed(form), statement


def test_statements_are_typed_and_set_by_name():
    ticket = ssl2.read(ticket_path("simple.ssl"))
    job, file = ticket.job, ticket[1]
    assert (job["JobName"], job["Account"], file["Copies"]) == ("Ground floor plans", "4711", 2)
    size = file["OutputSize"]
    assert size["width"] == 594.0 and isinstance(size["format"], int)

    file["Copies"] = 5
    file["OutputSize"] = {"width": 420, "height": "594"}
    job["JobName"] = "Façade Ω"
    text = ticket.to_string()
    assert "Copies 5" in text
    again = ssl2.parse(text)
    assert again[1]["Copies"] == 5
    assert (again[1]["OutputSize"]["width"], again[0]["JobName"]) == (420.0, "Façade Ω")
    assert file.statement("Copies") == {"id": file.statement("Copies")["id"],
                                        "ssl": "Copies 5", "default": False}
    assert file.changed()["Copies"] == 5


def test_pen_tables_are_lists_of_pens_by_number():
    ticket = ssl2.read(ticket_path("simple.ssl"))
    file = ticket[1]
    assert file["CalcompPens"] == [] and file["HpglPens"] == []  # the default pens
    pens = file.get_all("CalcompPens")
    assert [pen["number"] for pen in pens] == list(range(1, 17))
    file["HpglPens"] = [{"number": 3, "width": 0.35, "color": 2, "page": 1}]
    again = ssl2.parse(ticket.to_string("4.0"))[1]
    assert again["HpglPens"] == [{"number": 3, "width": 0.35, "color": 2, "saturation": 100,
                                  "page": 1}]
    everything = again.get_all("HpglPens")
    assert everything[4] == file.get_all("HpglPens")[4] != everything[3]
    with pytest.raises(TypeError, match="number"):
        file["HpglPens"] = [{"width": "0.35"}]
    with pytest.raises(ValueError, match="300"):
        file["HpglPens"] = [{"number": 3, "color": 4}, {"number": 300}]
    assert file["HpglPens"] == again["HpglPens"]  # a refused pen changes nothing


# An assignment the statement cannot hold: (statement, value, error, message part).
REFUSED = [
    ("Copeis", 2, KeyError, "Copeis"),
    ("OutputSize", {"depth": 3}, KeyError, "no member 'depth'"),
    ("OutputSize", 3, TypeError, "dict"),
    ("JobPriority", "urgent", ValueError, "wait, low, normal, high, immediate"),
    ("MediaType", "flim", ValueError, "film"),
    ("JobPriority", 9, ValueError, "out of range"),
    ("Copies", "7abc", ValueError, "7abc"),
    ("Copies", 2.9, ValueError, "whole"),
    ("Copies", 2 ** 32 + 1, ValueError, "range"),
    ("Copies", 2 ** 70, ValueError, "range"),
    ("Copies", [7, 9], TypeError, "single value"),
    ("Copies", None, TypeError, "NoneType"),
    ("JobName", 7, ValueError, "text"),
    ("JobName", "a\0b", ValueError, "NUL"),
    ("JobName", "\ud800", ValueError, "surrogate"),
    ("Margin", {"top": "1e400"}, ValueError, "1e400"),
]


@pytest.mark.parametrize("name, value, error, message", REFUSED,
                         ids=[f"{row[0]}={row[1]!r}" for row in REFUSED])
def test_a_refused_value_raises_and_changes_nothing(name, value, error, message):
    ticket = ssl2.read(ticket_path("simple.ssl"))
    before = ticket.to_string()
    with pytest.raises(error, match=re.escape(message)):
        ticket[1][name] = value
    assert ticket.to_string() == before


def test_keywords_and_numbers_set_selections():
    file = ssl2.read(ticket_path("simple.ssl"))[1]
    for name, value, expected in [("JobPriority", "HIGH", 3), ("MediaType", "film", 4),
                                  ("MediaType", 4, 4), ("Copies", "12", 12),
                                  ("Copies", 3.0, 3), ("Margin", {"top": 2.5}, 2.5)]:
        file[name] = value
        got = file[name]["top"] if name == "Margin" else file[name]
        assert got == expected, (name, value)


def test_mistakes_raise_with_their_reason(tmp_path):
    ticket = ssl2.read(ticket_path("simple.ssl"))
    with pytest.raises(ValueError, match="dialect"):
        ticket.to_string("2.0")
    with pytest.raises(ValueError, match="hexadecimal"):
        ticket.to_string(access="xyz")
    with pytest.raises(IndexError):
        ticket[len(ticket)]
    with pytest.raises(FileNotFoundError):
        ssl2.read(tmp_path / "missing.ssl")
    with pytest.raises(IsADirectoryError):
        ssl2.read(tmp_path)
    # The library's own message text, for a file that cannot be created.
    with pytest.raises(ssl2.Error) as raised:
        ticket.write(tmp_path / "no" / "such" / "dir.ssl")
    assert str(raised.value)

    with pytest.raises(ssl2.ParseError) as raised:
        ssl2.read(ticket_path("syntax_errors.ssl"))
    assert "syntax_errors.ssl:3: " in str(raised.value)
    assert raised.value.diagnostics and raised.value.ticket[0]["JobName"] == "Broken ticket"
    lenient = ssl2.read(ticket_path("syntax_errors.ssl"), strict=False)
    assert lenient.diagnostics == raised.value.diagnostics and not lenient.complete


def test_parse_takes_text_and_legacy_bytes():
    body = 'JobName "{}"\nBeginOutput\nName "a.plt"\nEndOutput\nEndJob\n'
    from_text = ssl2.parse('BeginJob noname\n' + body.format("Größe"))
    legacy = ('BeginJob noname\n' + body.format("Größe")).encode("cp1252")
    assert ssl2.parse(legacy)[0]["JobName"] == from_text[0]["JobName"] == "Größe"
    assert from_text.path is None and len(from_text) == 2


@pytest.mark.skipif("SSL2_RETARGET" not in os.environ, reason="the C++ example is not built")
def test_the_python_retarget_writes_what_the_cpp_example_writes(tmp_path):
    source = ticket_path("twenty_files.ssl")
    subprocess.run([os.environ["SSL2_RETARGET"], source, tmp_path / "cpp.ssl"], check=True)

    ticket = ssl2.read(source)
    for file in ticket.files:
        file["Copies"] = 3
        file["MediaType"] = 4  # film
    ticket.write(tmp_path / "py.ssl", dialect="5.0", hide=["Account", "UserName"])

    assert (tmp_path / "py.ssl").read_bytes() == (tmp_path / "cpp.ssl").read_bytes()
    written = ssl2.read(tmp_path / "py.ssl")
    assert {(f["Copies"], f["MediaType"]) for f in written.files} == {(3, 4)}
    assert written.job["Account"] == "" and ticket.job["Account"] != ""


def test_deliver_copies_the_job(tmp_path):
    (tmp_path / "in").mkdir()
    (tmp_path / "in" / "plan.plt").write_bytes(b"IN;PU0,0;")
    ticket = ssl2.read(ticket_path("simple.ssl"))
    ticket[1]["Directory"] = str(tmp_path / "in")
    ticket[1]["Name"] = "plan.plt"
    written = ticket.deliver(tmp_path / "out")
    delivered = ssl2.read(written)
    copied = os.path.join(delivered[1]["Directory"], delivered[1]["Name"])
    assert open(copied, "rb").read() == b"IN;PU0,0;"
    assert os.path.commonpath([copied, str(tmp_path / "out")]) == str(tmp_path / "out")


def test_library_messages_reach_python_logging(tmp_path, caplog):
    caplog.set_level(logging.DEBUG, logger="ssl2")
    ticket = ssl2.read(ticket_path("simple.ssl"))
    ssl2.Capabilities(CAPAS[:1])
    ticket[1]["Directory"], ticket[1]["Name"] = str(tmp_path), "plan.plt"
    (tmp_path / "plan.plt").write_bytes(b"IN;")
    ticket.deliver(tmp_path / "out")
    ticket[1]["Name"] = "missing.plt"
    with pytest.raises(ssl2.Error) as raised:
        ticket.deliver(tmp_path / "out")
    records = [(r.name, r.levelname, r.getMessage()) for r in caplog.records]
    assert ("ssl2.set", "DEBUG", "SslParseFunction Begin") in records
    assert any(name == "ssl2.capas" and level == "DEBUG" for name, level, _ in records)
    assert any(name == "ssl2.delivery" and level == "WARNING" for name, level, _ in records)
    # The severe messages are the problems the failed delivery reports, and no others.
    errors = [(name, text) for name, level, text in records if level == "ERROR"]
    assert errors and errors == [("ssl2.delivery", p) for p in raised.value.problems]


def test_capabilities_narrow_the_keyword_lists():
    merged = ssl2.Capabilities(CAPAS)
    assert merged.plotters == ["Classic 3000", "RollJet 4200", "SheetPro A3"]
    assert merged.dialect == "3.0"
    assert merged.keywords("OutputTray") == {"value": {2: "Face down", 3: "Face up"}}
    assert len(ssl2.keywords("OutputTray")["value"]) > 2
    with pytest.raises(ssl2.Error, match="no plotter"):
        ssl2.Capabilities(CAPAS, plotter="Nonesuch")
    assert "Copies" in ssl2.statement_names()


def test_preflight_against_the_example_plotters(tmp_path):
    ticket = ssl2.read(ticket_path("twenty_files.ssl"))
    # Every fourth file folds with program 3, which the roll plotter does not offer.
    roll = ssl2.Capabilities(CAPAS, plotter="RollJet 4200")
    findings = ticket.preflight(roll)
    assert [(f.entry, f.statement, f.value) for f in findings] == \
        [(n, "Fold", "Prg 3 Tray 1 Option 0") for n in range(4, 21, 4)]
    assert 'Prg 1 "Packet 210"' in findings[0].offered

    # The A3 sheet plotter reads dialect 4.0 and takes nothing above A3.
    sheet = ssl2.Capabilities(CAPAS, plotter="SheetPro A3")
    findings = ticket.preflight(sheet)
    assert findings[0] == ssl2.Finding(0, "Version", "5.0", "4.0 and older",
                                       "the plotters read an older dialect")
    assert ssl2.Finding(1, "OutputSize", "DIN A1 (594 x 841 mm)",
                        'the input trays "Drawer A3", 297 x 420 mm, "Drawer A4", 210 x 297 mm, '
                        '"Bypass", 297 x 420 mm',
                        "the print is larger than every input tray") in findings
    substitutions = ticket.fit_to_capabilities(sheet)
    assert [(s.entry, s.statement) for s in substitutions] == \
        [(f.entry, f.statement) for f in findings]
    assert ssl2.Substitution(1, "OutputSize", "DIN A1 (594 x 841 mm)", "DIN A3") in substitutions
    assert ticket.preflight(sheet) == []
    # Written in the plotters' dialect, the fitted ticket still fits when read back.
    ticket.write(tmp_path / "fitted.ssl", dialect=sheet.dialect)
    again = ssl2.read(tmp_path / "fitted.ssl")
    assert again.preflight(sheet) == []
    assert (again[1]["OutputSize"]["width"], again[1]["OutputSize"]["height"]) == (297.0, 420.0)


def test_layout_drawings_and_page_for_notebooks():
    ticket = ssl2.read(ticket_path("simple.ssl"))
    file = ticket[1]
    # A1 turned by "Rotate 90", on its own size without capabilities.
    layout = file.layout()
    assert (layout.medium, layout.print_area) == ("own size", ssl2.Box(0, 0, 841, 594))
    assert (layout.pages, layout.media_length, layout.rotate) == (2, 1188, 90)
    # On the roll plotter: the 914 mm roll, the print centred across it.
    roll = file.layout(ssl2.Capabilities(CAPAS, plotter="RollJet 4200"))
    assert (roll.medium, roll.tray, roll.medium_width, roll.print_area.x) == \
        ("roll", "Roll 1 (36 in)", 914, 36.5)
    svg = ET.fromstring(file._repr_svg_())
    medium = next(e for e in svg.iter() if e.get("class") == "medium")
    assert svg.get("viewBox") == f"0 0 {medium.get('width')} {medium.get('height')}" == "0 0 841 594"
    assert ticket.job._repr_svg_() is None
    with pytest.raises(ValueError, match="job entry"):
        ticket.job.layout()
    page = ticket._repr_html_()
    assert page.startswith("<!DOCTYPE html>") and "ground-floor.plt</h2>" in page


def test_a_ticket_built_from_scratch_reads_back_equal(tmp_path):
    with pytest.raises(ValueError, match="job entry"):
        ssl2.Ticket().to_string()
    ticket = ssl2.Ticket.new(job_name="Plans", Account="4711", Margin={"top": 5.0})
    second = ticket.append_file(name="b.plt", directory="/srv/in", Copies=2)
    first = ticket.insert(1, name="a.plt", MediaType="film")
    third = ticket.append_file(name="c.plt")
    assert [f["Name"] for f in ticket.files] == ["a.plt", "b.plt", "c.plt"]
    # A file starts from the job's file-level settings, as the reader starts one.
    assert third["Margin"]["top"] == 5.0 and "Account" not in third.changed()
    del ticket[2]
    with pytest.raises(LookupError):
        second["Copies"]
    assert (first["Name"], third["Name"]) == ("a.plt", "c.plt")  # views follow the shift
    with pytest.raises(ValueError, match="job entry"):
        del ticket[0]
    with pytest.raises(ValueError, match="film"):
        ticket.append_file(name="d.plt", MediaType="flim")
    assert len(ticket) == 3  # the refused file was not added

    ticket.write(tmp_path / "new.ssl")
    again = ssl2.read(tmp_path / "new.ssl")
    assert again == ticket and again[1]["MediaType"] == 4
    again[2]["Copies"] = 9
    assert again != ticket and again[2] != ticket[2] and again[1] == ticket[1]


@pytest.mark.parametrize("path", TICKETS[:6], ids=os.path.basename)
def test_json_forms_read_back_equal(path):
    ticket = ssl2.read(path, strict=False)
    for everything in (False, True):
        assert ssl2.Ticket.from_json(ticket.to_json(all=everything)) == ticket
    with pytest.raises(ValueError, match="entries"):
        ssl2.Ticket.from_json({"entries": 3})


def test_entries_are_mutable_mappings():
    file = ssl2.read(ticket_path("simple.ssl"))[1]
    assert isinstance(file, collections.abc.MutableMapping) and len(file) == len(list(file))
    assert "Copies" in file and "Copeis" not in file
    assert file["Copies"] == 2
    del file["Copies"]
    assert file["Copies"] == 1 and "Copies" not in file.changed()


def test_diagnostics_name_their_source_and_never_reach_stdout(tmp_path, capfd):
    broken = "BeginJob noname\nCopeis 2\nEndJob\n"
    with pytest.raises(ssl2.ParseError, match="^<string>:2: "):
        ssl2.parse(broken)
    with pytest.warns(ssl2.ReaderWarning, match="<string>:2: "):
        assert len(ssl2.parse(broken, strict=False)) == 1
    hostile = tmp_path / "hostile.ini"
    hostile.write_bytes(open(CAPAS[0], "rb").read() + b"\n[\x1b[2J\n")
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        ssl2.Capabilities([hostile])
    assert caught and all(str(w.message).startswith(str(hostile)) for w in caught)
    assert capfd.readouterr().out == ""


def random_value(rng, name, statement):
    """A value the statement may accept, or None where no general rule gives one."""
    choices = ssl2.keywords(name).get("value")
    if isinstance(statement, int) and choices:
        return rng.choice(sorted(choices))
    if isinstance(statement, str) and name not in ("Version", "UserHash", "PageRange"):
        return "".join(rng.choice("abc XYZ-_.äΩ€'") for _ in range(rng.randrange(1, 12)))
    return None


def test_random_values_survive_write_and_read(tmp_path):
    rng = random.Random(25)
    levels = {name: ssl2._ssl2.Statement(ssl2._IDS[name.lower()]).type
              for name in ssl2.statement_names()
              if name not in ("Units", "Version")}
    levels = {name: level for name, level in levels.items() if not level & 0x08}  # read-only
    for run in range(20):
        ticket = ssl2.Ticket.new(job_name=f"run {run}")
        for entry in [ticket.job] + [None] * 3:
            entry = entry or ticket.append_file(name=f"f{len(ticket)}.plt")
            level = 0x02 if entry.is_file else 0x01  # the statements written at this level
            for name in rng.sample([n for n, t in levels.items() if t & level], 12):
                try:
                    entry[name] = random_value(rng, name, entry[name])
                except (TypeError, ValueError):
                    pass  # refused as a whole: the entry keeps what it had
            if entry.is_file:
                entry["OutputSize"] = {"width": rng.randrange(1, 100000) / 100}
                entry["HpglPens"] = [{"number": rng.randrange(256), "color": rng.randrange(15),
                                      "width": rng.randrange(2000) / 1000}]
        ticket.write(tmp_path / "random.ssl")
        assert contents(ssl2.read(tmp_path / "random.ssl")) == contents(ticket), run
