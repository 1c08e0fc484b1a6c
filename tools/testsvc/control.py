"""Runs a loopback service under the control of a test process.

The test process listens on a loopback port and passes it as the first
argument. The helper connects back, starts its service on a free loopback
port, reports "READY <port>" (or "ERROR <reason>") and serves until the
control connection closes: when the test is done, or its process died.
"""
import os
import socket
import sys
import traceback


def serve_under_control(start):
    """start(arguments) starts the service in the background and returns its port."""
    control = socket.create_connection(("127.0.0.1", int(sys.argv[1])))
    try:
        port = start(sys.argv[2:])
    except Exception as error:  # report, so the test shows why
        control.sendall(("ERROR %s\n" % error).encode())
        traceback.print_exc()
        os._exit(1)
    control.sendall(("READY %d\n" % port).encode())
    try:
        while control.recv(4096):
            pass
    except OSError:
        pass
    os._exit(0)
