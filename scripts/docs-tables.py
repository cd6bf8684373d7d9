#!/usr/bin/env python3
"""Writes the reference documentation of the members and classes that the public
headers make from tables (.def files and X-lists): one comment block per member,
made from the table rows themselves (statement names, keywords, limits), so that
the comments cannot drift from the code.  scripts/docs.sh passes the output file
to doxygen with the headers.

    scripts/docs-tables.py OUTPUT.dox
"""
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent


def rows(path, macro):
    """The argument lists of every call of `macro` in the table `path`, split at
    the commas outside parentheses and quotes."""
    text = "\n".join(
        line
        for line in (ROOT / path).read_text().splitlines()
        if not re.match(r"\s*(//|#)", line)
    )
    return calls(text, macro)


def calls(text, macro):
    """The argument lists of every call of `macro` in `text`."""
    result = []
    for match in re.finditer(r"\b%s\(" % macro, text):
        depth, start, args, quoted = 1, match.end(), [], False
        for pos in range(match.end(), len(text)):
            char = text[pos]
            if char == '"':
                quoted = not quoted
            elif quoted:
                continue
            elif char == "(":
                depth += 1
            elif char == ")":
                depth -= 1
                if depth == 0:
                    args.append(text[start:pos].strip())
                    break
            elif char == "," and depth == 1:
                args.append(text[start:pos].strip())
                start = pos + 1
        result.append([" ".join(arg.split()) for arg in args])
    return result


def x_list(path, name):
    """The rows X(...) of the X-list macro `name` in the header `path`."""
    text = (ROOT / path).read_text()
    body = re.search(r"#define %s\(X\)((?:.*\\\n)*.*)" % name, text).group(1)
    return [[a.strip() for a in args.split(",")] for args in re.findall(r"X\(([^)]*)\)", body)]


# Statement class -> (statement name as written, value family).
STATEMENTS = {
    cls: (name.strip('"').strip(), family)
    for _, cls, name, family, _, _ in rows("ssl2/SSLStatements/SslStatementTable.def", "SSL2_STATEMENT")
}
# How the text classes made from X-lists describe their value.
FAMILY_TEXT = {"STRING": "a text", "COMPOUND": "a compound text (settings string)"}


def statement(cls):
    name, _ = STATEMENTS[cls]
    return f'statement "{name}" ({cls})' if name else f"statement {cls}"


def block(command, *lines):
    return "/** " + command + "\n" + "".join(f"    {line}\n" for line in lines) + "*/\n"


def entry_accessors():
    out = []
    for name, cls in rows("ssl2/entry/RCSslEntryAccessors.def", "SSL2_ENTRY_TEXT"):
        out.append(block(
            f"\\fn unsigned int RCSslEntry::Set{name}(const TString &value)",
            f"Sets the text of {statement(cls)} as {cls}::Set does; returns its result",
            "(0: refused, the entry is unchanged)."))
        out.append(block(
            f"\\fn TString RCSslEntry::Get{name}() const",
            f"The text of {statement(cls)}; the class default when never set."))
    for name, cls in rows("ssl2/entry/RCSslEntryAccessors.def", "SSL2_ENTRY_VALUE"):
        what = "number" if STATEMENTS[cls][1] == "NUMBER" else "selection index"
        out.append(block(
            f"\\fn unsigned int RCSslEntry::Set{name}(std::uint32_t value)",
            f"Sets the {what} of {statement(cls)} as {cls}::Set does; returns its result",
            "(0: out of range or not allowed, the entry is unchanged)."))
        out.append(block(
            f"\\fn std::uint32_t RCSslEntry::Get{name}() const",
            f"The {what} of {statement(cls)}; the class default when never set."))
    return out


def entry_plotter():
    out = []
    table = "ssl2/entry/RCSslEntryPlotter.def"
    for prefix, cls, part, kind in rows(table, "SSL2_ENTRY_SETTING"):
        out.append(block(
            f"\\fn unsigned int RCSslEntry::Set{prefix}{part}({kind} value)",
            f"Sets {part} of {statement(cls)} through {cls}::Set{part};",
            "returns its result (0: refused, the entry is unchanged)."))
        out.append(block(f"\\fn {kind} RCSslEntry::Get{prefix}{part}() const",
                         f"{part} of {statement(cls)} ({cls}::Get{part})."))
    for prefix, cls, part, kind in rows(table, "SSL2_ENTRY_PEN"):
        setter = f"RCSslEntry::Set{prefix}Pens{part}"
        out.append(block(
            f"\\fn unsigned int {setter}({kind} value, std::uint32_t firstPen, std::uint32_t lastPen)",
            f"Sets {part} of the pens `firstPen` to `lastPen` of {statement(cls)}",
            f"through {cls}::Set{part}; returns its result (0: refused, unchanged)."))
        out.append(block(
            f"\\fn unsigned int {setter}({kind} value, std::uint32_t pen)",
            f"Sets {part} of one pen of {statement(cls)}; as the pen range form."))
        out.append(block(f"\\fn {kind} RCSslEntry::Get{prefix}Pens{part}(std::uint32_t pen) const",
                         f"{part} of pen `pen` of {statement(cls)} ({cls}::Get{part})."))
    for prefix, cls, part in rows(table, "SSL2_ENTRY_COLOR"):
        out.append(block(
            f"\\fn unsigned int RCSslEntry::Set{prefix}ColorEmulation{part}(std::uint32_t value, std::uint32_t color)",
            f"Sets {part} of colour `color` of {statement(cls)} through",
            f"{cls}::Set{part}; returns its result (0: refused, the entry is unchanged)."))
        out.append(block(
            f"\\fn std::uint32_t RCSslEntry::Get{prefix}ColorEmulation{part}(std::uint32_t color) const",
            f"{part} of colour `color` of {statement(cls)} ({cls}::Get{part})."))
    return out


def access_pairs():
    out = []
    for name, cls in rows("ssl2/access/RCAccessSslTable.def", "SSL2_ACCESS_PAIR"):
        out.append(block(f"\\fn unsigned int RCAccessSsl::Get{name}Access() const",
                         f"1 when the flag of {statement(cls)} is set, else 0."))
        out.append(block(f"\\fn void RCAccessSsl::Set{name}Access(unsigned int on)",
                         f"Sets (`on` non-zero) or clears the flag of {statement(cls)}."))
    return out


def text_classes():
    out = []
    header = "ssl2/SSLStatements/SslStringStatements.h"
    for lst in ("SSL2_PLAIN_STRING_STATEMENTS", "SSL2_COMPOUND_STRING_STATEMENTS"):
        for (cls,) in x_list(header, lst):
            out.append(block(f"\\class {cls}",
                             f"The {statement(cls)}: {FAMILY_TEXT[STATEMENTS[cls][1]]}."))
    return out


def number_classes():
    out = []
    for cls, largest, default in x_list("ssl2/SSLStatements/SslNumberStatements.h",
                                        "SSL2_PLAIN_NUMBER_STATEMENTS"):
        out.append(block(f"\\class {cls}",
                         f"The {statement(cls)}: a number from 0 to {largest}, default {default.rstrip('u')}."))
    return out


def keyword_text(form):
    if form == "SSL2_SEL_OFFON":
        return '"off" (0), "on" (1)'
    if form == "SSL2_SEL_POSITIONS":
        return "the positions of SslSelectionStatement::m_asPositions"
    words = re.findall(r'"([^"]*)"', form)
    return ", ".join(f'"{word}" ({index})' for index, word in enumerate(words))


def selection_members(cls, keywords, allowed, cfg):
    """The members that the column forms of a selection class make."""
    out = [
        block(f"\\var {cls}::m_asUserInterfaceKeywords",
              "The choices a user interface offers: value and display text",
              '(from the message table "SslStatementStrings").')
    ]
    if keywords:
        out.append(block(f"\\fn const TString* {cls}::KeywordTable()",
                         "The SSL keywords, indexed by selection value."))
    if keywords.startswith("SSL2_SEL_KEYWORDS"):
        out.append(block(f"\\var {cls}::m_asKeywords", f"The SSL keywords: {keyword_text(keywords)}."))
    if allowed.startswith("SSL2_SEL_ALLOWED"):
        values = allowed[allowed.index("(") + 1 : -1]
        out.append(block(f"\\var {cls}::m_anAllowedValues", f"The only values Set accepts: {values}."))
    if cfg.startswith("SSL2_SEL_CFG"):
        key = re.search(r'"([^"]*)"', cfg).group(1)
        value = '"on" for a non-zero index, else "off"' if "ONOFF" in cfg else "the SSL keyword of the index"
        out.append(block(f"\\var {cls}::m_sCfgName", f'The plot configuration key "{key}".'))
        out.append(block(f"\\fn TString {cls}::ToCfg() const",
                         f'The plot configuration line "{key} = value" and CR LF; the value is',
                         f"{value}."))
    return out


def column_form(body, *names):
    """The first of the column forms `names` that a class body uses, as written."""
    for name in names:
        args = calls(body, name)
        if args:
            return f"{name}({', '.join(args[0])})"
        if re.search(rf"\b{name}\b(?!\()", body):
            return name
    return ""


def selection_classes():
    out = []
    table = "ssl2/SSLStatements/SslSelectionStatements.def"
    for cls, largest, default, keywords, _, allowed, cfg in rows(table, "SSL2_SELECTION"):
        out.append(block(f"\\class {cls}",
                         f"The {statement(cls)}: a keyword selection of {keyword_text(keywords)};",
                         f"largest index {largest}, default {default}."))
        out += selection_members(cls, keywords, allowed, cfg)
    for cls, largest, default in rows(table, "SSL2_SELECTION_OPTION"):
        out.append(block(f"\\class {cls}",
                         f'The {statement(cls)}: "off" (0) or "on" (1), default {default},',
                         f"with options up to {largest}."))
        out += selection_members(cls, "SSL2_SEL_OFFON", "", "")
    # Selection classes with code of their own use the same column forms in their body.
    for header in sorted((ROOT / "ssl2/SSLStatements").glob("*.h")):
        text = header.read_text()
        for match in re.finditer(r"class (\w+) final\s*: public TSslSelection<(?:.|\n)*?\n};", text):
            body, cls = match.group(0), match.group(1)
            out += selection_members(
                cls,
                column_form(body, "SSL2_SEL_KEYWORDS", "SSL2_SEL_OFFON", "SSL2_SEL_POSITIONS"),
                column_form(body, "SSL2_SEL_ALLOWED"),
                column_form(body, "SSL2_SEL_CFG_ONOFF", "SSL2_SEL_CFG_KEYWORD"))
    return out


def address_fields():
    out = []
    for accessor, _, key, member in rows("ssl2/SSLStatements/SslAddressFields.def", "SSL2_ADDRESS_FIELD"):
        key = key.strip('"').strip()
        line = f'the continuation line "{key}"' if key else "the quoted text after the statement name"
        out.append(block(f"\\fn unsigned int SslAddress::Set{accessor}(const TString &value)",
                         f"Sets the field {member} ({line}); returns 1."))
        out.append(block(f"\\fn TString SslAddress::Get{accessor}() const", f"The field {member}."))
        out.append(block(f"\\var SslAddress::m_sKey{accessor}",
                         f'The SSL key "{key} " of the field {member}.' if key
                         else f"The SSL key of the field {member}: empty, the name follows the statement name."))
    return out


def main():
    blocks = (entry_accessors() + entry_plotter() + access_pairs() + text_classes()
              + number_classes() + selection_classes() + address_fields())
    Path(sys.argv[1]).write_text("\n".join(blocks))


if __name__ == "__main__":
    main()
