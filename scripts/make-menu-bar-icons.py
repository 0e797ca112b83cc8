#!/usr/bin/env python3
"""Writes Source/MenuBarIcons.h: the menu bar's two icons as paths in JUCE's serialised path format
(Path::loadPathFromData). Run it again after changing a shape here; the output is committed."""
import pathlib
import struct


class PathWriter:
    def __init__(self):
        self.data = bytearray(b"n")  # non-zero winding

    def _op(self, code, *values):
        self.data += code.encode() + b"".join(struct.pack("<f", v) for v in values)

    def move(self, x, y): self._op("m", x, y)
    def line(self, x, y): self._op("l", x, y)
    def quad(self, cx, cy, x, y): self._op("q", cx, cy, x, y)
    def close(self): self._op("c")

    def rounded_rect(self, x, y, w, h, r):
        self.move(x + r, y)
        self.line(x + w - r, y)
        self.quad(x + w, y, x + w, y + r)
        self.line(x + w, y + h - r)
        self.quad(x + w, y + h, x + w - r, y + h)
        self.line(x + r, y + h)
        self.quad(x, y + h, x, y + h - r)
        self.line(x, y + r)
        self.quad(x, y, x + r, y)
        self.close()

    def finish(self):
        return bytes(self.data + b"e")


def menu_icon():
    """Three bars, 100 x 88: about square."""
    p = PathWriter()
    for top in (6, 42, 78):
        p.rounded_rect(0, top, 100, 16, 8)
    return p.finish()


def usb_icon():
    """A USB plug seen from the side, cable at the left: one outline, 225 x 100."""
    p = PathWriter()
    p.move(0, 42)
    p.line(40, 42)
    p.line(70, 30)    # strain relief, widening towards the body
    p.line(70, 8)
    p.quad(70, 0, 78, 0)
    p.line(142, 0)
    p.quad(150, 0, 150, 8)
    p.line(150, 22)   # the metal shell
    p.line(225, 22)
    p.line(225, 78)
    p.line(150, 78)
    p.line(150, 92)
    p.quad(150, 100, 142, 100)
    p.line(78, 100)
    p.quad(70, 100, 70, 92)
    p.line(70, 70)
    p.line(40, 58)
    p.line(0, 58)
    p.close()
    return p.finish()


def as_array(name, data):
    rows = [", ".join(str(b) for b in data[i:i + 24]) for i in range(0, len(data), 24)]
    body = ",\n    ".join(rows)
    return f"inline constexpr unsigned char {name}[] = {{\n    {body}\n}};\n"


header = (
    "#pragma once\n\n"
    "// Written by scripts/make-menu-bar-icons.py: paths for juce::Path::loadPathFromData.\n"
    "namespace MenuBarIcons\n{\n"
    + as_array("menu", menu_icon()) + "\n"
    + as_array("usb", usb_icon())
    + "} // namespace MenuBarIcons\n"
)
target = pathlib.Path(__file__).resolve().parent.parent / "Source" / "MenuBarIcons.h"
target.write_text(header)
