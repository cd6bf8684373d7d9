#!/usr/bin/env python3
"""ssl2 preview in a real browser: every SVG parses as XML with its parts named and its
viewBox equal to the medium; headless Chromium draws a file's print area where its
geometry says (within 2 px at 96 px per inch) and marks a preflight finding in red on
the page, without console errors.

Usage: preview_browser_test.py SSL2_TOOL.  Exit 77 (skipped) with the reason printed
when Chromium is missing or cannot start."""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zlib

SKIP = 77
SVG = "{http://www.w3.org/2000/svg}"
PX_PER_MM = 96 / 25.4

# A 100 x 50 mm print with margins of 10 mm (top, bottom) and 20 mm (left, right):
# on its own size the medium is 140 x 70 mm and the print starts at (20, 10).
TICKET = """BeginJob "noname" Version "3.0.001"
JobName "Browser check"
BeginOutput
Name "known.plt"
OutputSize Window 100 50
Margin top 10.0
\t+ left 20.0
\t+ bottom 10.0
\t+ right 20.0
EndOutput
BeginOutput
Name "film.plt"
OutputSize a4
MediaType film
EndOutput
EndJob
"""
PLOTTER = """[default]
name=Paper only
[trayinfo]
traycount=1
traywidth1=914
traylength1=50000
mediamain1=paper
traytype1=roll
trayname1=Roll
"""


def read_png(path):
    """(width, height, rows of (r, g, b)) of an 8-bit RGB or RGBA PNG."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour in (2, 6), (depth, colour)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    step = 3 if colour == 2 else 4
    raw, stride, rows, previous = zlib.decompress(idat), width * step, [], bytearray(width * step)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - step] if i >= step else 0
            b, c = previous[i], previous[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x * step:x * step + 3]) for x in range(width)])
        previous = line
    return width, height, rows


def close(pixel, rgb, tolerance=24):
    return all(abs(p - q) <= tolerance for p, q in zip(pixel, rgb))


def screenshot(browser, url, png, size):
    """Renders `url`; returns the browser's console error lines."""
    result = subprocess.run(
        [browser, "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
         "--enable-logging=stderr", "--v=0", "--force-device-scale-factor=1",
         "--window-size=%d,%d" % size, "--screenshot=" + png, url],
        capture_output=True, text=True, timeout=120)
    if result.returncode != 0 or not os.path.exists(png):
        print("skipped: Chromium cannot start here:", result.stderr[-400:])
        sys.exit(SKIP)
    return [line for line in result.stderr.splitlines() if "CONSOLE" in line and "ERROR" in line]


def check_svgs(directory):
    names = sorted(os.listdir(directory))
    assert names == ["1-known.plt.svg", "2-film.plt.svg"], names
    for name in names:
        root = ET.parse(os.path.join(directory, name)).getroot()
        classes = {e.get("class") for e in root.iter()}
        assert {"layout", "medium", "print", "dimension"} <= classes, (name, classes)
        medium = next(e for e in root.iter(SVG + "rect") if e.get("class") == "medium")
        w, h = medium.get("width"), medium.get("height")
        assert root.get("viewBox") == "0 0 %s %s" % (w, h), (name, root.get("viewBox"))
        assert (root.get("width"), root.get("height")) == (w + "mm", h + "mm"), name


def check_print_area(browser, svg, directory):
    png = os.path.join(directory, "known.png")
    errors = screenshot(browser, "file://" + svg, png, (600, 300))
    assert not errors, errors
    _, _, rows = read_png(png)
    print_fill, margin_fill = (0xcf, 0xe0, 0xf5), (0xee, 0xf3, 0xf8)
    left, top = 20 * PX_PER_MM, 10 * PX_PER_MM
    right, bottom = 120 * PX_PER_MM, 60 * PX_PER_MM
    middle_x, middle_y = int((left + right) / 2), int(bottom - 12)
    # 2 px inside each edge the print's colour, 2 px outside the margin's: the edge
    # lies within 2 px of where the geometry puts it (the stroke and its antialiasing
    # stay within a pixel of the edge).
    for name, inside, outside in [
            ("left", (int(left + 2), middle_y), (int(left - 2), middle_y)),
            ("right", (int(right - 2), middle_y), (int(right + 2), middle_y)),
            ("top", (middle_x + 40, int(top + 2)), (middle_x + 40, int(top - 2))),
            ("bottom", (middle_x, int(bottom - 2)), (middle_x, int(bottom + 2)))]:
        got_in, got_out = rows[inside[1]][inside[0]], rows[outside[1]][outside[0]]
        assert close(got_in, print_fill), (name, "inside", inside, got_in)
        assert close(got_out, margin_fill), (name, "outside", outside, got_out)


def check_page(browser, page, directory):
    png = os.path.join(directory, "page.png")
    errors = screenshot(browser, "file://" + page, png, (480, 2000))
    assert not errors, errors
    _, _, rows = read_png(png)
    red = sum(1 for row in rows for pixel in row if close(pixel, (0xc6, 0x28, 0x28), 30))
    assert red > 200, "the finding is not marked: %d red pixels" % red
    dark = sum(1 for row in rows[:120] for pixel in row if max(pixel) < 80)
    assert dark > 100, "the summary is not drawn"


def main():
    tool = sys.argv[1]
    browser = shutil.which("chromium") or shutil.which("chromium-browser")
    if browser is None:
        print("skipped: Chromium is not installed (scripts/deps.sh tests installs it)")
        return SKIP
    with tempfile.TemporaryDirectory() as directory:
        ticket, capas = os.path.join(directory, "t.ssl"), os.path.join(directory, "p.ini")
        with open(ticket, "w") as f:
            f.write(TICKET)
        with open(capas, "w") as f:
            f.write(PLOTTER)
        svgs, page = os.path.join(directory, "svg"), os.path.join(directory, "page.html")
        subprocess.run([tool, "preview", ticket, "-o", os.path.join(directory, "own.html"),
                        "--svg", svgs], check=True)
        check_svgs(svgs)
        check_print_area(browser, os.path.join(svgs, "1-known.plt.svg"), directory)
        subprocess.run([tool, "preview", ticket, "--capas", capas, "-o", page], check=True)
        check_page(browser, page, directory)
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
