#!/usr/bin/python3
"""A small FTP server for the tests: serves FOLDER on 127.0.0.1 (PORT, or a free port) to user and password "wkqz",
read only, and prints the port on the first line of its output. Ends when its standard input closes."""
import logging
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    folder = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 0
    logging.basicConfig(level=logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_user("wkqz", "wkqz", folder, perm="elr")
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.banner = "tervo test FTP server"
    server = FTPServer(("127.0.0.1", port), handler)
    print(server.address[1], flush=True)

    def close_with_stdin():
        sys.stdin.read()
        server.close_all()

    threading.Thread(target=close_with_stdin, daemon=True).start()
    server.serve_forever(timeout=0.2, handle_exit=False)


if __name__ == "__main__":
    main()
