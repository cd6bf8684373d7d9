"""Read, build, change, write and deliver SSL job tickets.

    >>> import ssl2
    >>> ticket = ssl2.read("job.ssl")
    >>> len(ticket)                      # the job entry, then one entry per file
    3
    >>> for entry in ticket.files:
    ...     entry["Copies"] = 3
    >>> ticket.write("out.ssl", dialect="5.0", hide=["Account", "UserName"])

Statements are read and set by name, with the names and member names of
"ssl2 show --json": a statement of one member is an int, a float or a str, a
statement of several members a dict of its members, and a list statement a list of
such dicts.  Lengths are floats in millimetres.  A pen table lists the pens that
differ from the default pens, each dict with the pen's "number" (Entry.get_all lists
every pen).  A selection takes its number or one of its keywords; a value the
statement cannot hold raises ValueError with the library's message, a value of the
wrong type TypeError.  Errors of the library raise ssl2.Error.

What the library logs goes to the standard logging module, to the logger "ssl2" and
its children by library part ("ssl2.set", "ssl2.delivery", "ssl2.capas", ...):
severe messages as ERROR, warnings as WARNING, what was done to files as INFO, the
trace as DEBUG.  Nothing is shown until the program configures logging, e.g.
``logging.getLogger("ssl2").setLevel(logging.DEBUG)`` with a handler.
"""

from __future__ import annotations

import json
import logging
import os
import warnings
from collections.abc import Iterable, Iterator, Mapping, MutableMapping
from dataclasses import dataclass
from typing import Any, NamedTuple, Optional, Union

from . import _ssl2
from ._ssl2 import Error

__all__ = ["Error", "ParseError", "ReaderWarning", "Ticket", "Entry", "Capabilities",
           "Finding", "Substitution", "Layout", "Box", "StampBox", "read", "parse", "statement_names", "keywords",
           "DIALECTS", "version", "__version__"]

# A library's log stays silent until the program configures logging.
logging.getLogger("ssl2").addHandler(logging.NullHandler())

#: The version of the library and of this package.
__version__: str = _ssl2.version
version = __version__

#: The dialects by their version text, oldest first.
DIALECTS = {"1.5": 1, "3.0": 2, "4.0": 3, "5.0": 4}

PathLike = Union[str, bytes, "os.PathLike[str]", "os.PathLike[bytes]"]
Value = Union[int, float, str, dict, list]


class Finding(NamedTuple):
    """A value the plotters cannot honour: the entry (0 the job), the statement's name,
    the value as written after that name, what the plotters offer instead, and why."""

    entry: int
    statement: str
    value: str
    offered: str
    message: str


class Substitution(NamedTuple):
    """A replacement made by Ticket.fit_to_capabilities: entry, statement, value before
    and after."""

    entry: int
    statement: str
    before: str
    after: str


class Box(NamedTuple):
    """A rectangle in millimetres from the medium's top left corner: x across the
    medium, y along it (the feed direction)."""

    x: float
    y: float
    width: float
    height: float


class StampBox(NamedTuple):
    """A visible stamp: its estimated box before rotation, the rotation in degrees
    counter-clockwise about the box's centre, the position keyword's index, its text
    (or its bitmap's file name) and whether it prints a bitmap."""

    box: Box
    rotate: int
    position: int
    label: str
    bitmap: bool


@dataclass(frozen=True)
class Layout:
    """Where a file's print lands on the medium, in millimetres (Entry.layout).

    ``medium`` is "own size" (no capabilities: the print and its margins), "roll" (its
    width, and the length one page uses) or "sheet" (the tray's width and length);
    ``tray`` names the input tray, ``tray_given`` tells whether the ticket chose it.
    ``print_area`` is the printed area placed on the medium (turned by "Rotate", and
    by the plotter when ``turned_to_fit``); ``margins`` are top, left, bottom, right;
    ``fits`` is False when the print and its margins overrun the medium.
    ``media_length`` is the media one set uses: ``pages`` times the length per page.
    """

    entry: int
    name: str
    medium: str
    tray: str
    tray_given: bool
    medium_width: float
    medium_length: float
    print_area: Box
    size_known: bool
    rotate: int
    turned_to_fit: bool
    margins: tuple
    media_position: int
    fits: bool
    stamps: list
    fold: str
    copies: int
    set_copies: int
    pages: int
    media_length: float
    findings: list


class ParseError(Error):
    """The reader reported errors, or the ticket ends before "EndJob".

    ``diagnostics`` holds (line, message) pairs; ``ticket`` what could be read.
    """

    def __init__(self, message: str, diagnostics: list, ticket: "Ticket"):
        super().__init__(message)
        self.diagnostics = diagnostics
        self.ticket = ticket


class ReaderWarning(UserWarning):
    """What a reader reported about a ticket read with ``strict=False`` or about a
    capability file: "file:line: message"."""


def _statement_ids() -> dict:
    ids = {}
    for number in range(_ssl2.statement_count):
        name = _ssl2.Statement(number).name
        if name:
            ids[name.lower()] = number
    return ids


_IDS = _statement_ids()
_NAMES = {number: _ssl2.Statement(number).name for number in _IDS.values()}
_ORDERED_NAMES = [_NAMES[number] for number in sorted(_NAMES)]
# The names of statements and members as the values' dicts hold them, made once.
_VALUE_NAMES = _ssl2.ValueNames()


def statement_names() -> list:
    """The names of every statement, in identifier order."""
    return list(_ORDERED_NAMES)


def _statement_id(name: str) -> int:
    try:
        return _IDS[name.lower()]
    except (KeyError, AttributeError):
        raise KeyError(f"no statement called {name!r}") from None


def _dialect(dialect: str) -> int:
    if dialect not in DIALECTS:
        raise ValueError(f"unknown dialect {dialect!r}; one of {', '.join(DIALECTS)}")
    return DIALECTS[dialect]


def _path(path: PathLike) -> bytes:
    """The bytes of a path; ValueError for a NUL, which no file name can hold."""
    encoded = os.fsencode(path)
    if b"\0" in encoded:
        raise ValueError(f"the path {path!r} holds a NUL character")
    return encoded


def _access(hide: Iterable = (), access: Optional[str] = None) -> "_ssl2.Access":
    """The access value: every statement but those in ``hide``, or the 32 hexadecimal
    digits of ``access``."""
    value = _ssl2.Access()
    if access is not None:
        if len(access) != 32 or not value.from_string(access):
            raise ValueError(f"access {access!r} is not 32 hexadecimal digits")
    for name in hide:
        value.set(_statement_id(name), False)
    return value


def _warn(source: str, diagnostics: Iterable) -> None:
    for line, message in diagnostics:
        warnings.warn(f"{source}:{line}: {message}", ReaderWarning, stacklevel=3)


class Entry(MutableMapping):
    """One level of a ticket: the job entry (``ticket[0]``) or one file.

    A mutable mapping from statement names to values; assigning a value changes the
    entry, deleting a statement sets it back to its default.  Two entries are equal
    when they are of the same kind and every statement is equal, but for what records
    how the entry came to be: "Ordinal", "Version" (the dialect it was read in) and
    the reader's error notes.
    """

    def __init__(self, ticket: "Ticket", index: int):
        self._ticket = ticket  # keeps the set, and so this entry, alive
        self._index: Optional[int] = index

    @property
    def _raw(self) -> "_ssl2.Entry":
        if self._index is None:
            raise LookupError("this entry was removed from its ticket")
        return self._ticket._raw.entry(self._index)

    @property
    def is_file(self) -> bool:
        """True for a file entry, False for the job entry."""
        return self._raw.is_file

    @property
    def ordinal(self) -> int:
        """The order in which the entry was added to its ticket."""
        return self._raw.ordinal

    def statement(self, name: str) -> dict:
        """The statement's details: its SSL line, whether it holds its default, its id."""
        number = _statement_id(name)
        raw = self._raw
        return {"id": number, "ssl": raw.get(number).ssl, "default": raw.is_default(number)}

    def __getitem__(self, name: str) -> Value:
        return self._raw.value(_statement_id(name), False, _VALUE_NAMES)

    def get_all(self, name: str) -> Value:
        """As ``entry[name]``, but a pen table lists every pen."""
        return self._raw.value(_statement_id(name), True, _VALUE_NAMES)

    def __setitem__(self, name: str, value: Value) -> None:
        raw = self._raw
        statement = raw.get(_statement_id(name))
        if statement.pen_numbers is not None:
            _set_pens(name, statement, value)
        else:
            _set_members(name, statement, value)
        raw.put(statement)

    def __delitem__(self, name: str) -> None:
        number = _statement_id(name)
        self._raw.put(_ssl2.Statement(number))

    def __iter__(self) -> Iterator[str]:
        return iter(_ORDERED_NAMES)

    def __len__(self) -> int:
        return len(_ORDERED_NAMES)

    def __contains__(self, name: object) -> bool:
        return isinstance(name, str) and name.lower() in _IDS

    def changed(self) -> dict:
        """The statements that differ from their defaults, by name."""
        return self._raw.changed(_VALUE_NAMES)

    def layout(self, capabilities: Optional["Capabilities"] = None) -> Layout:
        """The sheet layout of this file: on the input tray the plotters of
        ``capabilities`` would use, or on the print's own size without them."""
        raw = self._ticket._raw.layout(self._file_index(), _refined(capabilities))
        raw["print_area"] = Box(*raw["print_area"])
        raw["stamps"] = [StampBox(Box(*box), *rest) for box, *rest in raw["stamps"]]
        raw["findings"] = [Finding(entry, _NAMES[number], *texts)
                           for entry, number, *texts in raw["findings"]]
        return Layout(**raw)

    def svg(self, capabilities: Optional["Capabilities"] = None) -> str:
        """The drawing of layout() as an SVG document whose user unit is the
        millimetre."""
        return self._ticket._raw.svg(self._file_index(), _refined(capabilities))

    def _repr_svg_(self) -> Optional[str]:
        return self.svg() if self.is_file else None

    def _file_index(self) -> int:
        self._raw  # raises LookupError for a removed entry
        if not self.is_file:
            raise ValueError("the job entry has no layout; its files have")
        return self._index

    def __eq__(self, other: object) -> bool:
        if not isinstance(other, Entry):
            return NotImplemented
        return self._raw.same(other._raw)

    __hash__ = None  # type: ignore[assignment]

    def __repr__(self) -> str:
        if self._index is None:
            return "<ssl2.Entry removed>"
        kind = "file" if self.is_file else "job"
        return f"<ssl2.Entry {kind} {self.ordinal}>"


def _set_members(name: str, statement: "_ssl2.Statement", value: Value) -> None:
    """Sets the members given; the statement's other members keep their values."""
    names = statement.member_names()
    is_list = bool(statement.value_type & 0x80 or statement.array_count)
    if is_list != isinstance(value, list):
        raise TypeError(f"{name} takes " + ("a list of dicts" if is_list else
                                            "a dict of its members" if names != ["value"]
                                            else "a single value") +
                        f", not {type(value).__name__}")
    elements = list(enumerate(value)) if is_list else [(0, value)]
    for element, members in elements:
        if not isinstance(members, Mapping):
            if names != ["value"]:
                raise TypeError(f"{name} has members {names}: give a dict")
            members = {"value": members}
        for key, member_value in members.items():
            if key not in names:
                raise KeyError(f"{name} has no member {key!r}; it has {names}")
            statement.set(names.index(key), element, member_value)


def _set_pens(name: str, statement: "_ssl2.Statement", pens: Value) -> None:
    """Sets the pens given, each a dict with its "number", and switches the table on
    (as the JSON reader does); the other pens are kept."""
    if not isinstance(pens, list):
        raise TypeError(f'{name} takes a list of pens, each a dict with its "number"')
    members = _ssl2.pen_members()
    first, end = statement.pen_numbers
    for pen in pens:
        if not isinstance(pen, Mapping) or "number" not in pen:
            raise TypeError(f'{name}: each pen is a dict with its "number"')
        number = pen["number"]
        if not isinstance(number, int) or isinstance(number, bool) or number < 0:
            raise TypeError(f"{name}: a pen number is an int of 0 or more, not {number!r}")
        if not first <= number < end:
            raise ValueError(f"{name} pen {number}: no pen numbered {number} "
                             f"(the table has {first} to {end - 1})")
        for key, pen_value in pen.items():
            if key == "number":
                continue
            if key not in members:
                raise KeyError(f"{name} has no pen member {key!r}; it has {members}")
            statement.set_pen(number, key, pen_value)
    statement.switch_pens_on()


class Ticket:
    """A job ticket: the job entry first, then one entry per file.

    ``Ticket.new()`` starts one from scratch, ``read``/``parse``/``Ticket.from_json``
    read one.  Tickets compare equal when their entries do.
    """

    def __init__(self, raw: Optional["_ssl2.Set"] = None, diagnostics: Iterable = (),
                 path: Optional[str] = None):
        self._raw = raw if raw is not None else _ssl2.Set()
        self._views: list = [None] * len(self._raw)
        self.diagnostics = list(diagnostics)
        self.path = path

    @classmethod
    def new(cls, job_name: Optional[str] = None, **statements: Value) -> "Ticket":
        """A ticket of a job entry alone, with ``JobName`` and the other statements
        given set; add files with append_file."""
        ticket = cls()
        ticket._raw.add_job()
        ticket._views.append(None)
        if job_name is not None:
            statements["JobName"] = job_name
        ticket.job.update(statements)
        return ticket

    def append_file(self, name: Optional[str] = None, directory: Optional[str] = None,
                    **statements: Value) -> Entry:
        """Adds a file entry at the end; see insert."""
        return self.insert(len(self), name, directory, **statements)

    def insert(self, index: int, name: Optional[str] = None, directory: Optional[str] = None,
               **statements: Value) -> Entry:
        """Adds a file entry before ``index`` (1 or more) and returns it.  It starts
        as the reader starts a file: with the file-level statements of the job entry;
        then ``Name``, ``Directory`` and the other statements given are set.  A value
        refused leaves the ticket as it was."""
        if index < 0:
            index += len(self)
        position = self._raw.insert_file(min(index, len(self)))
        self._views.insert(position, None)
        for view in self._views[position + 1:]:
            if view is not None:
                view._index += 1
        if name is not None:
            statements["Name"] = name
        if directory is not None:
            statements["Directory"] = directory
        entry = self[position]
        try:
            entry.update(statements)
        except Exception:
            del self[position]
            raise
        return entry

    def __delitem__(self, index: int) -> None:
        """Removes an entry; the job entry only when it is the last one left."""
        if index < 0:
            index += len(self)
        if index == 0 and len(self) > 1:
            raise ValueError("the job entry stays while the ticket has file entries")
        if not self._raw.remove(index):
            raise IndexError(f"no entry {index}")
        removed = self._views.pop(index)
        if removed is not None:
            removed._index = None
        for view in self._views[index:]:
            if view is not None:
                view._index -= 1

    @classmethod
    def from_json(cls, document: Union[str, bytes, Mapping]) -> "Ticket":
        """The ticket of a JSON document in the form "ssl2 show --json" writes and
        "ssl2 convert --from-json" reads (the text or its parsed form).  ValueError
        names the place in the document that cannot be read."""
        text = document if isinstance(document, (str, bytes)) else json.dumps(document)
        if isinstance(text, bytes):
            text = text.decode("utf-8")
        return cls(_ssl2.set_from_json(text))

    def to_json(self, all: bool = False) -> dict:
        """The ticket in the JSON form of "ssl2 show --json" (``all``: of
        "show --json --all", every statement of every entry)."""
        return json.loads(self._raw.to_json(all, self.path or ""))

    @property
    def complete(self) -> bool:
        """True when the reader reached "EndJob" (always for a ticket built here)."""
        return self._raw.complete

    def __len__(self) -> int:
        return len(self._raw)

    def __getitem__(self, index: int) -> Entry:
        if index < 0:
            index += len(self)
        if not 0 <= index < len(self):
            raise IndexError(f"no entry {index}")
        view = self._views[index]
        if view is None:
            view = self._views[index] = Entry(self, index)
        return view

    def __iter__(self) -> Iterator[Entry]:
        return (self[i] for i in range(len(self)))

    def __eq__(self, other: object) -> bool:
        if not isinstance(other, Ticket):
            return NotImplemented
        return len(self) == len(other) and all(a == b for a, b in zip(self, other))

    __hash__ = None  # type: ignore[assignment]

    @property
    def job(self) -> Entry:
        """The job entry."""
        return self[0]

    @property
    def files(self) -> list:
        """The file entries, in order."""
        return [self[i] for i in range(1, len(self))]

    def pages(self) -> int:
        """Pages to print, set copies included."""
        return self._raw.count_pages()

    def millimeters(self) -> int:
        """Millimetres of media, set copies included."""
        return self._raw.count_millimeters()

    def preflight(self, capabilities: "Capabilities") -> list:
        """The values the plotters of ``capabilities`` cannot honour, as Finding
        records, entry by entry; empty when the job fits.  A file whose unfit value
        it inherits from the job entry is reported once, with the job entry."""
        return [Finding(entry, _NAMES[number], value, offered, message)
                for entry, number, value, offered, message
                in self._raw.preflight(capabilities._refined)]

    def html(self, capabilities: Optional["Capabilities"] = None, title: str = "") -> str:
        """The preview page, as "ssl2 preview" writes it: self-contained HTML with the
        job's summary, a roll overview and one drawing per printed file."""
        return self._raw.html(_refined(capabilities), title)

    def _repr_html_(self) -> str:
        return self.html()

    def fit_to_capabilities(self, capabilities: "Capabilities") -> list:
        """Replaces every value preflight() reports by the nearest one the plotters
        offer and returns the replacements as Substitution records.  A replaced
        "Version" names the dialect to write the ticket in."""
        return [Substitution(entry, _NAMES[number], before, after)
                for entry, number, before, after
                in self._raw.fit_to_capabilities(capabilities._refined)]

    def to_string(self, dialect: str = "5.0", hide: Iterable = (),
                  access: Optional[str] = None) -> str:
        """The ticket as SSL text in ``dialect``, without the statements in ``hide``.
        ValueError for a ticket without a job entry."""
        return self._raw.to_string(_access(hide, access), _dialect(dialect))

    def write(self, path: PathLike, dialect: str = "5.0", hide: Iterable = (),
              access: Optional[str] = None) -> None:
        """Writes the ticket to ``path`` (Windows-1252, or UTF-16 where needed),
        replacing the file whole.  ValueError for a ticket without a job entry."""
        self._raw.write(_path(path), _access(hide, access), _dialect(dialect))

    def deliver(self, target: PathLike, suffix: str = "", dialect: str = "5.0",
                overwrite: bool = False, hide: Iterable = (),
                access: Optional[str] = None) -> str:
        """Copies the job into a job directory in ``target`` and writes the rewritten
        ticket beside it; returns the path of that ticket.  Raises Error when nothing
        could be delivered; ``problems`` of the error lists what failed."""
        count, written, problems = self._raw.deliver(
            _path(target), _access(hide, access), suffix, _dialect(dialect), overwrite)
        if count == 0 or problems:
            error = Error(f"{os.fsdecode(target)}: delivery failed" +
                          "".join(f"\n{p}" for p in problems))
            error.problems = problems
            raise error
        return written

    def __repr__(self) -> str:
        return f"<ssl2.Ticket {self.path or '(in memory)'}: {len(self)} entries>"


def _checked(ticket: Ticket, source: str, strict: bool) -> Ticket:
    if strict and (ticket.diagnostics or not ticket.complete):
        lines = [f"{source}:{line}: {message}" for line, message in ticket.diagnostics]
        if not ticket.complete:
            lines.append(f'{source}: the ticket ends before "EndJob"')
        raise ParseError("\n".join(lines), ticket.diagnostics, ticket)
    _warn(source, ticket.diagnostics)
    return ticket


def read(path: PathLike, strict: bool = True, resolution: int = 300) -> Ticket:
    """Reads the ticket at ``path``.

    With ``strict`` (the default) a ticket that the reader reported errors in, or that
    ends before "EndJob", raises ParseError; otherwise such a ticket is returned with
    its ``diagnostics`` and ``complete`` set, and each diagnostic is issued as a
    ReaderWarning.  OSError when the file cannot be opened.
    """
    source = os.fsdecode(path)
    raw, diagnostics = _ssl2.read_set(_path(path), resolution)
    return _checked(Ticket(raw, diagnostics, source), source, strict)


def parse(text: Union[str, bytes], strict: bool = True, resolution: int = 300) -> Ticket:
    """Reads a ticket from ``text``: a str, or the bytes of a ticket file in any of
    its encodings.  Diagnostics name the source "<string>"; otherwise as read()."""
    raw, diagnostics = _ssl2.parse_set(text, resolution)
    return _checked(Ticket(raw, diagnostics), "<string>", strict)


def _refined(capabilities: Optional["Capabilities"]) -> Optional["_ssl2.RefinedCapabilities"]:
    return None if capabilities is None else capabilities._refined


class Capabilities:
    """What plotters can do, from their capability INI files, merged
    (``plotter="auto"``) or of one plotter by name.  What the INI reader reports about
    a file is issued as a ReaderWarning."""

    def __init__(self, ini_paths: Iterable[PathLike], plotter: str = "auto"):
        capas = _ssl2.Capabilities()
        for path in ini_paths:
            source = os.fsdecode(path)
            with open(path, "rb"):
                pass  # OSError, as open() raises it, for a file that cannot be read
            read_any, diagnostics = capas.add_plotter_file(_path(path))
            _warn(source, [(line, f'unrecognised text "{message}"' if stray else message)
                           for line, message, stray in diagnostics])
            if not read_any:
                raise Error(f"{source}: not a readable capability file")
        self._refined = capas.refined(plotter)
        if not self._refined.plotters:
            raise Error(f"no plotter called {plotter!r}")

    @property
    def plotters(self) -> list:
        """The names of the plotters described."""
        return self._refined.plotters

    @property
    def dialect(self) -> Optional[str]:
        """The newest SSL dialect all these plotters read ("1.5" ... "5.0"), or None."""
        for text, number in DIALECTS.items():
            if number == self._refined.dialect:
                return text
        return None

    def keywords(self, statement: str) -> dict:
        """The choices the statement offers on these plotters, as keywords() gives."""
        return keywords(statement, self._refined)


def keywords(statement: str, _capas: Any = None) -> dict:
    """The choices a statement offers: member name to a dict of value to display text;
    members without a keyword list are left out."""
    current = _ssl2.Statement(_statement_id(statement))
    result = {}
    for member, name in enumerate(current.member_names() or ["value"]):
        choices = current.keywords(member, _capas)
        if choices:
            result[name] = dict(choices)
    return result
