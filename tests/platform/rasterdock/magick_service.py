"""Runs ImageMagick's convert and identify for a test under Wine, which
cannot start host programs and wait for them itself.

Usage: magick_service.py CONTROL_PORT
Each connection sends one line: the program ("convert" or "identify") and
its arguments, separated by tabs, host paths only. The reply is the exit
code on one line, then what the program printed; then the connection closes.
"""
import os
import socket
import subprocess
import sys
import threading

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools", "testsvc"))
from control import serve_under_control  # noqa: E402

PROGRAMS = {"convert": "/usr/bin/convert", "identify": "/usr/bin/identify"}


def handle(connection):
    with connection:
        request = b""
        while not request.endswith(b"\n"):
            chunk = connection.recv(65536)
            if not chunk:
                return
            request += chunk
        words = request.decode("utf-8").rstrip("\n").split("\t")
        if words[0] not in PROGRAMS:
            connection.sendall(b"127\nunknown program\n")
            return
        done = subprocess.run([PROGRAMS[words[0]]] + words[1:], stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT, timeout=100)
        connection.sendall(b"%d\n" % done.returncode + done.stdout)


def start(arguments):
    server = socket.socket()
    server.bind(("127.0.0.1", 0))
    server.listen(16)

    def serve():
        while True:
            connection, _ = server.accept()
            threading.Thread(target=handle, args=(connection,), daemon=True).start()

    threading.Thread(target=serve, daemon=True).start()
    return server.getsockname()[1]


if __name__ == "__main__":
    serve_under_control(start)
