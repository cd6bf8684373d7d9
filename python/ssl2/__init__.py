"""Read, change, write and deliver SSL job tickets.

    >>> import ssl2
    >>> ticket = ssl2.read("job.ssl")
    >>> len(ticket)                      # the job entry, then one entry per file
    3
    >>> for entry in ticket.files:
    ...     entry["Copies"] = 3
    >>> ticket.write("out.ssl", dialect="5.0", hide=["Account", "UserName"])

Statements are read and set by name, with the names and member names of
"ssl2 show --json": a statement of one member is a Python int or str, a statement
of several members a dict of its members, and a list statement a list of such dicts
(a pen table lists every pen, each dict with the pen's "number").
Errors of the library raise ssl2.Error with the library's message text.
"""

import collections
import os
import tempfile

from . import _ssl2
from ._ssl2 import Error

__all__ = ["Error", "Ticket", "Entry", "Capabilities", "ParseError", "Finding",
           "Substitution", "read", "parse", "statement_names", "keywords", "DIALECTS",
           "version"]

version = _ssl2.version

#: The dialects by their version text, oldest first.
DIALECTS = {"1.5": 1, "3.0": 2, "4.0": 3, "5.0": 4}

_NUMBER_TYPES = 0x01 | 0x02  # number and selection members hold integers
_NOT_IMPLEMENTED = "GetSubStatementName() not implemented"
_PEN_MEMBERS = ("width", "color", "saturation", "page")


#: A value the plotters cannot honour: the entry (0 the job), the statement's name,
#: the value as written after that name, what the plotters offer instead, and why.
Finding = collections.namedtuple("Finding", "entry statement value offered message")

#: A replacement made by Ticket.fit_to_capabilities: entry, statement, value before
#: and after.
Substitution = collections.namedtuple("Substitution", "entry statement before after")


class ParseError(Error):
    """The reader reported errors, or the ticket ends before "EndJob".

    ``diagnostics`` holds (line, message) pairs; ``ticket`` what could be read.
    """

    def __init__(self, message, diagnostics, ticket):
        super().__init__(message)
        self.diagnostics = diagnostics
        self.ticket = ticket


def _statement_ids():
    ids = {}
    for number in range(_ssl2.statement_count):
        name = _ssl2.Statement(number).name
        if name:
            ids[name.lower()] = number
    return ids


_IDS = _statement_ids()


def statement_names():
    """The names of every statement, in identifier order."""
    return [_ssl2.Statement(number).name for number in sorted(_IDS.values())]


def _statement_id(name):
    try:
        return _IDS[name.lower()]
    except KeyError:
        raise KeyError(f"no statement called {name!r}") from None


def _statement_name(number):
    return _ssl2.Statement(number).name


def _member_names(statement):
    """The member names of "show --json": the statement's own where usable, "value"
    for a single unnamed member, "member<n>" otherwise."""
    count = statement.member_count
    names = []
    for member in range(count):
        name = statement.member_name(member)
        if not name or name == _NOT_IMPLEMENTED or name in names:
            name = "value" if count == 1 else f"member{member}"
        names.append(name)
    return names


def _value(statement, member, element):
    text = statement.get(member, element)
    kind = statement.member_type(member) or statement.value_type
    if kind & _NUMBER_TYPES:
        try:
            return int(text)
        except ValueError:
            return text
    return text


def _members(statement, names, element):
    return {name: _value(statement, m, element) for m, name in enumerate(names)}


def _dialect(dialect):
    if dialect not in DIALECTS:
        raise ValueError(f"unknown dialect {dialect!r}; one of {', '.join(DIALECTS)}")
    return DIALECTS[dialect]


def _access(hide=(), access=None):
    """The access value: every statement but those in ``hide``, or the 32 hexadecimal
    digits of ``access``."""
    value = _ssl2.Access()
    if access is not None:
        if len(access) != 32 or not value.from_string(access):
            raise ValueError(f"access {access!r} is not 32 hexadecimal digits")
    for name in hide:
        value.set(_statement_id(name), False)
    return value


class Entry:
    """One level of a ticket: the job entry (``ticket[0]``) or one file.

    A mapping from statement names to values; assigning a value changes the entry.
    """

    def __init__(self, ticket, raw):
        self._ticket = ticket  # keeps the set, and so this entry, alive
        self._raw = raw

    @property
    def is_file(self):
        return self._raw.is_file

    @property
    def ordinal(self):
        return self._raw.ordinal

    def statement(self, name):
        """The statement's details: its SSL line, whether it holds its default, its id."""
        number = _statement_id(name)
        current = self._raw.get(number)
        return {"id": number, "ssl": current.ssl, "default": current == _ssl2.Statement(number)}

    def __getitem__(self, name):
        statement = self._raw.get(_statement_id(name))
        if statement.pens is not None:
            return statement.pens
        names = _member_names(statement)
        if statement.array_count:
            return [_members(statement, names, e) for e in range(statement.array_count)]
        if names == ["value"]:
            return _value(statement, 0, 0)
        return _members(statement, names, 0)

    def __setitem__(self, name, value):
        statement = self._raw.get(_statement_id(name))
        if statement.pens is not None:
            self._set_pens(name, statement, value)
            return
        names = _member_names(statement)
        if isinstance(value, list):
            elements = list(enumerate(value))
        else:
            elements = [(0, value)]
        for element, members in elements:
            if not isinstance(members, dict):
                if names != ["value"]:
                    raise TypeError(f"{name} has members {names}: give a dict")
                members = {"value": members}
            for key, member_value in members.items():
                if key not in names:
                    raise KeyError(f"{name} has no member {key!r}; it has {names}")
                text = str(int(member_value)) if isinstance(member_value, bool) else str(member_value)
                if not statement.set(text, names.index(key), element):
                    raise ValueError(f"{name}: {key} does not take {member_value!r}")
        self._raw.put(statement)

    def _set_pens(self, name, statement, pens):
        """Sets the pens given, each a dict with its "number"; the others are kept."""
        if not isinstance(pens, list):
            raise TypeError(f'{name} takes a list of pens, each a dict with its "number"')
        for pen in pens:
            if not isinstance(pen, dict) or "number" not in pen:
                raise TypeError(f'{name}: each pen is a dict with its "number"')
            for key, pen_value in pen.items():
                if key == "number":
                    continue
                if key not in _PEN_MEMBERS:
                    raise KeyError(f"{name} has no pen member {key!r}; it has {list(_PEN_MEMBERS)}")
                if not statement.set_pen(int(pen["number"]), key, str(pen_value)):
                    raise ValueError(f"{name}: pen {pen['number']} does not take {key} {pen_value!r}")
        self._raw.put(statement)

    def keys(self):
        return statement_names()

    def __iter__(self):
        return iter(self.keys())

    def items(self):
        return [(name, self[name]) for name in self.keys()]

    def changed(self):
        """The statements that differ from their defaults, by name."""
        result = {}
        for name in self.keys():
            number = _statement_id(name)
            if self._raw.get(number) != _ssl2.Statement(number):
                result[name] = self[name]
        return result

    def __repr__(self):
        kind = "file" if self.is_file else "job"
        return f"<ssl2.Entry {kind} {self.ordinal}>"


class Ticket:
    """A job ticket: the job entry first, then one entry per file."""

    def __init__(self, raw=None, diagnostics=(), path=None):
        self._raw = raw if raw is not None else _ssl2.Set()
        self.diagnostics = list(diagnostics)
        self.path = path

    @property
    def complete(self):
        """True when the reader reached "EndJob"."""
        return self._raw.complete

    def __len__(self):
        return len(self._raw)

    def __getitem__(self, index):
        if index < 0:
            index += len(self)
        return Entry(self, self._raw.entry(index))

    def __iter__(self):
        return (self[i] for i in range(len(self)))

    @property
    def job(self):
        return self[0]

    @property
    def files(self):
        return [self[i] for i in range(1, len(self))]

    def pages(self):
        """Pages to print, set copies included."""
        return self._raw.count_pages()

    def millimeters(self):
        """Millimetres of media, set copies included."""
        return self._raw.count_millimeters()

    def preflight(self, capabilities):
        """The values the plotters of ``capabilities`` cannot honour, as Finding
        records, entry by entry; empty when the job fits.  A file whose unfit value
        it inherits from the job entry is reported once, with the job entry."""
        return [Finding(entry, _statement_name(number), value, offered, message)
                for entry, number, value, offered, message
                in self._raw.preflight(capabilities._refined)]

    def fit_to_capabilities(self, capabilities):
        """Replaces every value preflight() reports by the nearest one the plotters
        offer and returns the replacements as Substitution records.  A replaced
        "Version" names the dialect to write the ticket in."""
        return [Substitution(entry, _statement_name(number), before, after)
                for entry, number, before, after
                in self._raw.fit_to_capabilities(capabilities._refined)]

    def to_string(self, dialect="5.0", hide=(), access=None):
        """The ticket as SSL text in ``dialect``, without the statements in ``hide``."""
        return self._raw.to_string(_access(hide, access), _dialect(dialect))

    def write(self, path, dialect="5.0", hide=(), access=None):
        """Writes the ticket to ``path`` (Windows-1252, or UTF-16 where needed)."""
        self._raw.write(os.fspath(path), _access(hide, access), _dialect(dialect))

    def deliver(self, target, suffix="", dialect="5.0", overwrite=False, hide=(), access=None):
        """Copies the job into a job directory in ``target`` and writes the rewritten
        ticket beside it; returns the path of that ticket.  Raises Error when nothing
        could be delivered; ``problems`` of the error lists what failed."""
        count, written, problems = self._raw.deliver(
            os.fspath(target), _access(hide, access), suffix, _dialect(dialect), overwrite)
        if count == 0 or problems:
            error = Error(f"{target}: delivery failed" + "".join(f"\n{p}" for p in problems))
            error.problems = problems
            raise error
        return written

    def __repr__(self):
        return f"<ssl2.Ticket {self.path or '(parsed)'}: {len(self)} entries>"


def read(path, strict=True, resolution=300):
    """Reads the ticket at ``path``.

    With ``strict`` (the default) a ticket that the reader reported errors in, or that
    ends before "EndJob", raises ParseError; otherwise such a ticket is returned with
    its ``diagnostics`` and ``complete`` set.  OSError when the file cannot be opened.
    """
    path = os.fspath(path)
    raw, diagnostics = _ssl2.read_set(path, resolution)
    ticket = Ticket(raw, diagnostics, path)
    if strict and (diagnostics or not ticket.complete):
        lines = [f"{path}:{line}: {message}" for line, message in diagnostics]
        if not ticket.complete:
            lines.append(f'{path}: the ticket ends before "EndJob"')
        raise ParseError("\n".join(lines), diagnostics, ticket)
    return ticket


def parse(text, strict=True, resolution=300):
    """Reads a ticket from ``text``: a str, or the bytes of a ticket file in any of
    its encodings."""
    data = text if isinstance(text, bytes) else b"\xef\xbb\xbf" + text.encode("utf-8")
    with tempfile.TemporaryDirectory(prefix="ssl2-") as directory:
        path = os.path.join(directory, "ticket.ssl")
        with open(path, "wb") as file:
            file.write(data)
        ticket = read(path, strict, resolution)
    ticket.path = None
    return ticket


class Capabilities:
    """What plotters can do, from their capability INI files, merged
    (``plotter="auto"``) or of one plotter by name."""

    def __init__(self, ini_paths, plotter="auto"):
        capas = _ssl2.Capabilities()
        for path in ini_paths:
            with open(path, "rb") as file:
                if not capas.add_plotter(file.read()):
                    raise Error(f"{path}: not a readable capability file")
        self._refined = capas.refined(plotter)
        if not self._refined.plotters:
            raise Error(f"no plotter called {plotter!r}")

    @property
    def plotters(self):
        return self._refined.plotters

    @property
    def dialect(self):
        """The newest SSL dialect all these plotters read ("1.5" ... "5.0"), or None."""
        for text, number in DIALECTS.items():
            if number == self._refined.dialect:
                return text
        return None

    def keywords(self, statement):
        """The choices the statement offers on these plotters, as keywords() gives."""
        return keywords(statement, self._refined)


def keywords(statement, _capas=None):
    """The choices a statement offers: member name to a dict of value to display text;
    members without a keyword list are left out."""
    current = _ssl2.Statement(_statement_id(statement))
    result = {}
    for member, name in enumerate(_member_names(current) or ["value"]):
        choices = current.keywords(member, _capas)
        if choices:
            result[name] = dict(choices)
    return result
