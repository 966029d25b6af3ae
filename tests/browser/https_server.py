#!/usr/bin/python3
"""A stand-in for the download server, on loopback only.

Serves HTTPS with the certificate and key it is given, answers every request
with 200 and a tiny text body, and logs each request as one line
"METHOD<TAB>HOST<TAB>PATH" to the log file. Once it listens it writes its
port to the port file. It stops by itself after the given number of seconds.

usage: https_server.py CERT KEY PORT LOG PORTFILE LIFETIME_SECONDS
(PORT 0 lets the system choose one.)
"""

import http.server
import os
import socketserver
import ssl
import sys
import threading

BODY = b"ok\n"


class Handler(http.server.BaseHTTPRequestHandler):
    # A browser that opens a connection and sends nothing must not hold a
    # thread for longer than this.
    timeout = 5

    def log_request_line(self):
        line = "%s\t%s\t%s\n" % (self.command, self.headers.get("Host", ""), self.path)
        with self.server.log_lock:
            with open(self.server.log_path, "a", encoding="utf-8") as log:
                log.write(line)

    def answer(self, with_body):
        self.log_request_line()
        self.send_response(200)
        # Plain text, not sniffed, so that the browser shows it rather than
        # starting a download.
        self.send_header("Content-Type", "text/plain")
        self.send_header("X-Content-Type-Options", "nosniff")
        self.send_header("Content-Length", str(len(BODY)))
        self.send_header("Connection", "close")
        self.end_headers()
        if with_body:
            self.wfile.write(BODY)

    def do_GET(self):
        self.answer(True)

    def do_HEAD(self):
        self.answer(False)

    def log_message(self, format, *args):  # keep stderr quiet
        pass


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True

    def __init__(self, address, context, log_path):
        self.context = context
        self.log_path = log_path
        self.log_lock = threading.Lock()
        super().__init__(address, Handler)

    def finish_request(self, request, client_address):
        # The TLS handshake happens here, on the connection's own thread, so
        # that a slow or silent client cannot stall the accepting loop.
        request.settimeout(Handler.timeout)
        try:
            tls = self.context.wrap_socket(request, server_side=True)
        except (ssl.SSLError, OSError):
            return
        try:
            self.RequestHandlerClass(tls, client_address, self)
        finally:
            try:
                tls.close()
            except OSError:
                pass

    def handle_error(self, request, client_address):
        pass


def main(argv):
    if len(argv) != 7:
        sys.stderr.write(__doc__)
        return 2
    cert, key, port, log_path, port_file, lifetime = argv[1:]
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    server = Server(("127.0.0.1", int(port)), context, log_path)
    open(log_path, "a").close()
    stopper = threading.Timer(float(lifetime), server.shutdown)
    stopper.daemon = True
    stopper.start()
    # Written last and renamed into place, so a reader never sees half a port.
    with open(port_file + ".tmp", "w") as out:
        out.write("%d\n" % server.server_address[1])
    os.replace(port_file + ".tmp", port_file)
    server.serve_forever(poll_interval=0.2)
    server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
