#!/usr/bin/env python3
"""Turns the Live Update public key (a PEM file holding an ECDSA P-256 public key) into a C
header with the key's X and Y coordinates, 32 bytes each, as the program checks signatures
with them.

    update_key_header.py PUBLIC_KEY.pem OUT.h
"""
import base64
import sys

# SubjectPublicKeyInfo of a P-256 key, up to the uncompressed point's 0x04.
P256_PREFIX = bytes.fromhex('3059301306072a8648ce3d020106082a8648ce3d030107034200' '04')


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    src, out = sys.argv[1], sys.argv[2]
    text = open(src, 'r', encoding='ascii', errors='replace').read()
    begin, end = '-----BEGIN PUBLIC KEY-----', '-----END PUBLIC KEY-----'
    if begin not in text or end not in text:
        print('%s: no "%s" block (give the public key, e.g. openssl ec -pubout)' % (src, begin), file=sys.stderr)
        return 1
    body = text.split(begin, 1)[1].split(end, 1)[0]
    der = base64.b64decode(''.join(body.split()))
    if len(der) != len(P256_PREFIX) + 64 or not der.startswith(P256_PREFIX):
        print('%s: not an uncompressed ECDSA P-256 public key' % src, file=sys.stderr)
        return 1
    xy = der[len(P256_PREFIX):]
    rows = [', '.join('0x%02x' % b for b in xy[i:i + 16]) for i in range(0, 64, 16)]
    header = ('// Generated from %s by tools/update_key_header.py: the public key Live Update checks\n'
              '// the configuration file\'s signature with (ECDSA P-256, X then Y, big-endian).\n'
              '#pragma once\n\n'
              '#define PAGEWICK_UPDATE_PUBLIC_KEY_XY { \\\n    %s }\n') % (
                  src.replace('\\', '/').split('/')[-1], ', \\\n    '.join(rows))
    try:
        if open(out).read() == header:
            return 0
    except OSError:
        pass
    with open(out, 'w') as f:
        f.write(header)
    return 0


if __name__ == '__main__':
    sys.exit(main())
