"""Runs a loopback service under the control of a test process.

The test process listens on a loopback port and passes it as the first
argument. The helper connects back, starts its service on a free loopback
port, reports "READY <port>" (or "ERROR <reason>") and serves until the
control connection closes: when the test is done, or its process died.

A helper that takes commands passes a handler: each line the test sends
after READY (UTF-8, without its line break) goes to it, and the one line it
returns is sent back.
"""
import os
import socket
import sys
import traceback


def _answer_commands(control, handle_command):
    pending = b""
    while True:
        chunk = control.recv(4096)
        if not chunk:
            return
        pending += chunk
        while b"\n" in pending:
            line, pending = pending.split(b"\n", 1)
            try:
                answer = handle_command(line.decode("utf-8"))
            except Exception as error:  # the test sees why its command failed
                traceback.print_exc()
                answer = "ERROR %s" % error
            control.sendall(str(answer).replace("\n", " ").encode("utf-8") + b"\n")


def serve_under_control(start, handle_command=None, stop=None):
    """start(arguments) starts the service in the background and returns its port;
    handle_command(line), when given, answers each command line with one line;
    stop(), when given, runs once the control connection has closed."""
    control = socket.create_connection(("127.0.0.1", int(sys.argv[1])))
    try:
        port = start(sys.argv[2:])
    except Exception as error:  # report, so the test shows why
        control.sendall(("ERROR %s\n" % error).encode())
        traceback.print_exc()
        os._exit(1)
    control.sendall(("READY %d\n" % port).encode())
    try:
        if handle_command is None:
            while control.recv(4096):
                pass
        else:
            _answer_commands(control, handle_command)
    except OSError:
        pass
    if stop is not None:
        try:
            stop()
        except Exception:  # the helper ends all the same
            traceback.print_exc()
    os._exit(0)
