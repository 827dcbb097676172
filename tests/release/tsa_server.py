#!/usr/bin/env python3
"""A test RFC 3161 timestamp server on a loopback port: each POSTed time-stamp request is
answered by `openssl ts -reply`, signed with a timestamp certificate of the run's test CA.

    tsa_server.py --cert tsa.pem --key tsa.key --chain ca.pem --ready FILE

Listens on 127.0.0.1 at a port the system picks, then writes http://127.0.0.1:PORT/ into FILE.
Requests are logged to stdout. Ends on SIGTERM.
"""
import argparse
import http.server
import os
import shutil
import signal
import subprocess
import sys
import tempfile

CONFIG = """[tsa]
default_tsa = test_tsa
[test_tsa]
serial = {serial}
crypto_device = builtin
signer_digest = sha256
default_policy = 1.3.6.1.4.1.4146.2.3
digests = sha1, sha256, sha384, sha512
accuracy = secs:1
ordering = no
tsa_name = yes
ess_cert_id_chain = no
ess_cert_id_alg = sha256
"""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--cert', required=True)
    parser.add_argument('--key', required=True)
    parser.add_argument('--chain', required=True)
    parser.add_argument('--ready', required=True)
    args = parser.parse_args()
    work = tempfile.mkdtemp(prefix='pagewick-tsa-')
    serial = os.path.join(work, 'serial')
    with open(serial, 'w') as f:
        f.write('01\n')
    config = os.path.join(work, 'tsa.cnf')
    with open(config, 'w') as f:
        f.write(CONFIG.format(serial=serial))

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_POST(self):
            length = int(self.headers.get('Content-Length') or 0)
            if length <= 0 or length > 65536:
                self.send_error(400, 'a time-stamp request of 1 to 65536 bytes')
                return
            query = self.rfile.read(length)
            with tempfile.TemporaryDirectory(dir=work) as d:
                q, r = os.path.join(d, 'query.tsq'), os.path.join(d, 'reply.tsr')
                with open(q, 'wb') as f:
                    f.write(query)
                done = subprocess.run(['openssl', 'ts', '-reply', '-config', config, '-queryfile', q,
                                       '-signer', args.cert, '-inkey', args.key, '-chain', args.chain, '-out', r],
                                      capture_output=True)
                if done.returncode != 0:
                    sys.stdout.write(done.stderr.decode(errors='replace'))
                    self.send_error(500, 'openssl ts -reply failed')
                    return
                with open(r, 'rb') as f:
                    reply = f.read()
            self.send_response(200)
            self.send_header('Content-Type', 'application/timestamp-reply')
            self.send_header('Content-Length', str(len(reply)))
            self.end_headers()
            self.wfile.write(reply)

        def log_message(self, fmt, *a):
            sys.stdout.write('%s %s\n' % (self.address_string(), fmt % a))
            sys.stdout.flush()

    def end(*_):
        shutil.rmtree(work, ignore_errors=True)
        os._exit(0)
    signal.signal(signal.SIGTERM, end)
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), Handler)
    with open(args.ready + '.part', 'w') as f:
        f.write('http://127.0.0.1:%d/\n' % server.server_address[1])
    os.rename(args.ready + '.part', args.ready)
    server.serve_forever()


if __name__ == '__main__':
    main()
