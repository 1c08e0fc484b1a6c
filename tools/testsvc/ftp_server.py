"""A loopback FTP server for tests, with one account that may write.

Usage: ftp_server.py CONTROL_PORT FOLDER USER PASSWORD
"""
import logging
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

from control import serve_under_control


def start(arguments):
    folder, user, password = arguments
    logging.getLogger("pyftpdlib").setLevel(logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, folder, perm="elradfmwMT")
    FTPHandler.auth_failed_timeout = 0.1  # refuse a wrong password at once
    handler = type("Handler", (FTPHandler,), {"authorizer": authorizer})
    server = FTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server.address[1]


if __name__ == "__main__":
    serve_under_control(start)
