"""A loopback HTTP server for tests: serves the files of one folder.

Usage: http_server.py CONTROL_PORT FOLDER
"""
import functools
import http.server
import threading

from control import serve_under_control


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def start(arguments):
    handler = functools.partial(QuietHandler, directory=arguments[0])
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server.server_address[1]


if __name__ == "__main__":
    serve_under_control(start)
