#!/usr/bin/env python3
"""Prints the golden rows of tst_project's colour table.

Written apart from the C++ code, so that the table checks the colour rule
rather than repeating the implementation:

  key        = the client in lower case, or the number when there is no client
  h          = 64-bit FNV-1a over the key's UTF-8 bytes
  hue        = ((h * 0x9e3779b97f4a7c15 mod 2^64) >> 40) / 2^24
  step       = (h >> 12) & 3
  saturation = 0.52 + 0.07 * step,  brightness = 0.82 - 0.05 * step

Keep the names free of letters whose lower case differs between Python and
Qt (dotted capital I, a word-final capital sigma).
"""

MASK = (1 << 64) - 1
ROWS = [
    ("plain client", "Acme", "2301"),
    ("accented client", "Café Noir", "2303"),
    ("full-width client", "ＡＣＭＥ", "2308"),
    ("emoji client", "Bloem 🌷", "2309"),
    ("no client: the number", "", "2310"),
]

for name, client, fallback in ROWS:
    h = 0xCBF29CE484222325
    for byte in (client or fallback).lower().encode("utf-8"):
        h = ((h ^ byte) * 0x100000001B3) & MASK
    hue = (((h * 0x9E3779B97F4A7C15) & MASK) >> 40) / float(1 << 24)
    step = (h >> 12) & 3
    quoted = ['u"%s"_s' % "".join(c if ord(c) < 0x80 else
                                  ("\\u%04X" if ord(c) <= 0xFFFF else "\\U%08X") % ord(c)
                                  for c in text) for text in (client, fallback)]
    print('    QTest::newRow("%s") << %s << %s << %r << %r << %r;'
          % (name, quoted[0], quoted[1], hue, 0.52 + 0.07 * step, 0.82 - 0.05 * step))
