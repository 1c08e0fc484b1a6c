"""A loopback FTP server for tests, with one account that may write.

Usage: ftp_server.py CONTROL_PORT FOLDER USER PASSWORD [OPTION...]   (a test)
       ftp_server.py --port PORT FOLDER USER PASSWORD [OPTION...]   (scripts/run)

Options, for tests of failing transfers:
  drop-data-after=BYTES   every upload's data connection is cut once the
                          server has received that many bytes of the file;
                          what arrived stays on the server, short.
  throttle=BYTES          uploads arrive at no more than that many bytes a
                          second, so that a transfer is still running while
                          a test does something else.
"""
import logging
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer

from control import serve_under_control


def throttled_data_handler(bytes_per_second):
    return type("ThrottledHandler", (ThrottledDTPHandler,), {"read_limit": bytes_per_second})


def dropping_data_handler(limit):
    class DroppingDTPHandler(DTPHandler):
        def handle_read(self):
            DTPHandler.handle_read(self)
            if self.receive and self.tot_bytes_received >= limit and not self._closed:
                # Cut before the client is done: it sees its data connection
                # reset and the transfer refused.
                self._resp = ("426 Connection closed; transfer aborted.", logging.debug)
                self.close()

        handle_read_event = handle_read  # the loop calls this name
    return DroppingDTPHandler


def start(arguments, port=0):
    if len(arguments) < 3:
        raise ValueError("expected FOLDER USER PASSWORD [OPTION...], got %r" % (arguments,))
    folder, user, password = arguments[:3]
    attributes = {}
    for option in arguments[3:]:
        name, _, value = option.partition("=")
        if name == "drop-data-after":
            attributes["dtp_handler"] = dropping_data_handler(int(value))
        elif name == "throttle":
            attributes["dtp_handler"] = throttled_data_handler(int(value))
        else:
            raise ValueError("unknown option %r" % option)
    logging.getLogger("pyftpdlib").setLevel(logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, folder, perm="elradfmwMT")
    FTPHandler.auth_failed_timeout = 0.1  # refuse a wrong password at once
    attributes["authorizer"] = authorizer
    handler = type("Handler", (FTPHandler,), attributes)
    server = FTPServer(("127.0.0.1", port), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server.address[1]


if __name__ == "__main__":
    if len(sys.argv) > 2 and sys.argv[1] == "--port":
        start(sys.argv[3:], int(sys.argv[2]))
        threading.Event().wait()
    else:
        serve_under_control(start)
