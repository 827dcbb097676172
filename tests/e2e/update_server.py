#!/usr/bin/env python3
"""The web site Live Update talks to in the end-to-end tests: HTTPS on port 443 of a loopback
address of its own, serving the files of one folder.

    update_server.py --root DIR --cert CERT --key KEY --ready FILE [--keys DIR] [--addresses A B ...]

The first address that can be bound is used and written to FILE once the server listens.
The test decides every answer through the folder (it writes there before each request):

    PATH            served as it is (GET), 404 when missing
    PATH.status     holds a status code: that status, with a short HTML body
    PATH.cut        the headers promise the whole file, half of it is sent, then the
                    connection closes (a body cut short)
    PATH.sign       holds a key name ("test", "other"): the file is served with one more
                    line, the base64 of `openssl dgst -sha256 -sign --keys/<name>` over it, as
                    the release signs the configuration file ("test": update-test-key.pem)
    PATH.length     holds a number: the Content-Length sent, whatever the file holds; the
                    file's bytes follow and the connection closes
    PATH.redirect   holds an address: a 302 answer with it as the Location
Every request is appended to DIR/requests.log ("GET /path").
"""
import argparse
import base64
import http.server
import os
import ssl
import subprocess
import sys

KEY_FILES = {'test': 'update-test-key.pem', 'other': 'other-test-key.pem'}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.1'
    root = '.'
    keys = '.'

    def log_message(self, fmt, *args):
        pass

    def _file(self):
        path = self.path.split('?', 1)[0]
        parts = [p for p in path.split('/') if p not in ('', '.', '..')]
        return os.path.join(self.root, *parts)

    def do_GET(self):
        with open(os.path.join(self.root, 'requests.log'), 'a') as log:
            log.write('GET %s\n' % self.path)
        f = self._file()
        if os.path.isfile(f + '.status'):
            code = int(open(f + '.status').read().strip() or '500')
            return self._send(code, b'<html><body>status %d</body></html>' % code)
        if os.path.isfile(f + '.redirect'):
            location = open(f + '.redirect').read().strip()
            self.send_response(302)
            self.send_header('Location', location)
            self.send_header('Content-Length', '0')
            self.end_headers()
            return
        if not os.path.isfile(f):
            return self._send(404, b'<html><body>Not Found</body></html>')
        data = open(f, 'rb').read()
        if os.path.isfile(f + '.sign'):
            key = os.path.join(self.keys, KEY_FILES[open(f + '.sign').read().strip()])
            der = subprocess.run(['openssl', 'dgst', '-sha256', '-sign', key], input=data,
                                 stdout=subprocess.PIPE, check=True).stdout
            data += base64.b64encode(der) + b'\r\n'
        if os.path.isfile(f + '.length'):
            self.send_response(200)
            self.send_header('Content-Type', 'application/octet-stream')
            self.send_header('Content-Length', open(f + '.length').read().strip())
            self.end_headers()
            self.wfile.write(data)
            self.wfile.flush()
            self.close_connection = True
            return
        if os.path.isfile(f + '.cut'):
            self.send_response(200)
            self.send_header('Content-Type', 'application/octet-stream')
            self.send_header('Content-Length', str(len(data)))
            self.end_headers()
            self.wfile.write(data[:len(data) // 2])
            self.wfile.flush()
            # The server closes the connection as soon as this returns.
            self.close_connection = True
            return
        self._send(200, data, 'application/octet-stream')

    def _send(self, code, body, ctype='text/html'):
        self.send_response(code)
        self.send_header('Content-Type', ctype)
        self.send_header('Content-Length', str(len(body)))
        self.send_header('Cache-Control', 'no-store')
        self.end_headers()
        self.wfile.write(body)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--root', required=True)
    ap.add_argument('--cert', required=True)
    ap.add_argument('--key', required=True)
    ap.add_argument('--ready', required=True)
    ap.add_argument('--port', type=int, default=443)
    ap.add_argument('--keys', default=os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'keys'))
    ap.add_argument('--addresses', nargs='+', default=['127.0.0.1'])
    a = ap.parse_args()
    Handler.root = a.root
    Handler.keys = a.keys
    server = None
    for addr in a.addresses:
        try:
            server = http.server.ThreadingHTTPServer((addr, a.port), Handler)
            break
        except OSError:
            continue
    if server is None:
        print('no address could be bound', file=sys.stderr)
        return 1
    ctx = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    ctx.load_cert_chain(a.cert, a.key)
    server.socket = ctx.wrap_socket(server.socket, server_side=True)
    server.daemon_threads = True
    with open(a.ready + '.tmp', 'w') as r:
        r.write(server.server_address[0] + '\n')
    os.rename(a.ready + '.tmp', a.ready)
    server.serve_forever()


if __name__ == '__main__':
    sys.exit(main() or 0)
