#!/usr/bin/env python3
"""Turns a word list (one word a line, UTF-8) into the compact list pagewick.exe carries.

Words that the Windows-1252 code page cannot spell are dropped; the rest are sorted by their
bytes, front-coded (one byte: how many leading bytes the word shares with the one before, then
the rest of the word and a line feed) and compressed with zlib.

Layout: "PWL1", word count (uint32 LE), front-coded size (uint32 LE), zlib stream.
"""
import struct
import sys
import zlib


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_wordlist.py WORDS OUT")
    src, out = sys.argv[1], sys.argv[2]
    words = set()
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
            words.add(b)
    body = bytearray()
    prev = b""
    for w in sorted(words):
        n = 0
        limit = min(len(prev), len(w), 255)
        while n < limit and prev[n] == w[n]:
            n += 1
        body.append(n)
        body += w[n:]
        body.append(0x0A)
        prev = w
    packed = zlib.compress(bytes(body), 9)
    with open(out, "wb") as f:
        f.write(b"PWL1" + struct.pack("<II", len(words), len(body)) + packed)


if __name__ == "__main__":
    main()
