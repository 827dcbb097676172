#!/usr/bin/env python3
"""Turns a word list (one word a line, UTF-8) into the compact list pagewick.exe carries.

Words that the Windows-1252 code page cannot spell are dropped; the rest are sorted by their
bytes, front-coded (one byte: how many leading bytes the word shares with the one before, then
the rest of the word and a line feed) and compressed with zlib.

With a SCOWL folder (Debian's scowl package: lists named like "english-words.35", where the
number is the size level, a word in a smaller list being a commoner one), the two high bits of
the shared-length byte carry how common the word is: 0 for level 10, 1 for 20, 2 for 35 and
40, 3 for the rest. A possessive ("cat's") takes the level of its word. Without the folder
every word gets 0 (no word commoner than another).

Layout: "PWL2", word count (uint32 LE), front-coded size (uint32 LE), zlib stream.
"""
import os
import re
import struct
import sys
import zlib


def levels(folder):
    out = {}
    for name in os.listdir(folder):
        m = re.fullmatch(r"(english|american)-[a-z-]+\.(\d+)", name)
        if not m:
            continue
        level = int(m.group(2))
        with open(os.path.join(folder, name), encoding="utf-8", errors="replace") as f:
            for line in f:
                w = line.strip()
                if w and out.get(w, 1000) > level:
                    out[w] = level
    return out


def rank(word, known):
    level = known.get(word)
    if level is None and word.endswith("'s"):
        level = known.get(word[:-2])
    if level is None or level > 40:
        return 3
    return 0 if level <= 10 else 1 if level <= 20 else 2


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit("usage: make_wordlist.py WORDS OUT [SCOWL_FOLDER]")
    src, out = sys.argv[1], sys.argv[2]
    known = levels(sys.argv[3]) if len(sys.argv) == 4 else None
    words = {}
    with open(src, encoding="utf-8") as f:
        for line in f:
            w = line.strip()
            if not w or len(w) > 60:
                continue
            try:
                b = w.encode("cp1252")
            except UnicodeEncodeError:
                continue
            if any(c < 0x20 for c in b):
                continue
            words[b] = rank(w, known) if known is not None else 0
    body = bytearray()
    prev = b""
    for w in sorted(words):
        n = 0
        limit = min(len(prev), len(w), 63)
        while n < limit and prev[n] == w[n]:
            n += 1
        body.append(n | words[w] << 6)
        body += w[n:]
        body.append(0x0A)
        prev = w
    packed = zlib.compress(bytes(body), 9)
    with open(out, "wb") as f:
        f.write(b"PWL2" + struct.pack("<II", len(words), len(body)) + packed)


if __name__ == "__main__":
    main()
