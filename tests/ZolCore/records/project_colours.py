#!/usr/bin/env python3
"""Generates the golden rows of tst_project's colour table.

Written apart from the C++ code on purpose, so that the table checks the
colour rule rather than repeating the implementation:

  key        = client, or the fallback (the number) when there is no client,
               in lower case
  h          = 64-bit FNV-1a over the key's UTF-8 bytes
  hue        = ((h * 0x9e3779b97f4a7c15 mod 2^64) >> 40) / 2^24
  step       = (h >> 12) & 3
  saturation = 0.52 + 0.07 * step
  brightness = 0.82 - 0.05 * step

Run it and paste its output into tst_project.cpp. Keep the names free of
letters whose lower case differs between Python and Qt (dotted capital I,
a word-final capital sigma).
"""

MASK = (1 << 64) - 1

ROWS = [
    # (row name, client, fallback)
    ("plain client", "Acme", "2301"),
    ("client with spaces", "Studio Noord", "2302"),
    ("accented client", "Café Noir", "2303"),
    ("umlaut client", "Zürich Übersetzungen", "2304"),
    ("scandinavian client", "Ørsted Ångström", "2305"),
    ("greek client", "Δέλτα", "2306"),
    ("japanese client", "東京デザイン", "2307"),
    ("full-width client", "ＡＣＭＥ", "2308"),
    ("emoji client", "Bloem 🌷", "2309"),
    ("no client: the number", "", "2310"),
    ("no client: a local key", "", "LOCAL:6F9619FF-8B86-D011-B42D-00C04FC964FF"),
    ("no client, no number", "", ""),
]


def colour(client, fallback):
    key = (client if client else fallback).lower().encode("utf-8")
    h = 0xCBF29CE484222325
    for byte in key:
        h = ((h ^ byte) * 0x100000001B3) & MASK
    hue = (((h * 0x9E3779B97F4A7C15) & MASK) >> 40) / float(1 << 24)
    step = (h >> 12) & 3
    return hue, 0.52 + 0.07 * step, 0.82 - 0.05 * step


def cpp_string(text):
    out = []
    for ch in text:
        if ord(ch) < 0x80:
            out.append(ch)
        elif ord(ch) <= 0xFFFF:
            out.append("\\u%04X" % ord(ch))
        else:
            out.append("\\U%08X" % ord(ch))
    return 'u"%s"_s' % "".join(out)


for name, client, fallback in ROWS:
    hue, saturation, brightness = colour(client, fallback)
    print('    QTest::newRow("%s") << %s << %s << %r << %r << %r;'
          % (name, cpp_string(client), cpp_string(fallback), hue, saturation, brightness))
