#!/usr/bin/python3
"""Real FTP and HTTP servers on free ports of 127.0.0.1 for the tests of the internet library.

Started detached by a test program, which then holds one control connection for its whole
life: the servers stop when that connection closes, however the program ended. Serves
  http   python3's http.server over <root>/http ("/slow/<name>" serves <name> slowly)
  ftp    pyftpdlib: anonymous read-only on <root>/ftp, user "writer"/"secret" with write
         rights on <root>/upload, proxy account "proxy"/"proxypass"; it records every command
         and plays FTP proxy ("USER u@h", "SITE h", "OPEN h", then serves as the remote site)
  proxy  tinyproxy with its own configuration and log
The ports go to the state file as "name=port" lines once everything listens. Commands on the
control connection, one a line, each answered by "<length>\\n<bytes>":
  down <http|ftp>, up <http|ftp>, ftplog, httplog, httpheaders (path|user agent|authorization
  of each request), proxylog, clear.
"""
import argparse
import http.server
import os
import socket
import subprocess
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import ThreadedFTPServer

lock = threading.Lock()
ftp_commands = []
http_requests = []
http_headers = []
PROXY_LOGON_COMMANDS = ("OPEN",)
SITE_COMMANDS = ("CHMOD", "HELP", "MFMT")


class RecordingFtpHandler(FTPHandler):
    auth_failed_timeout = 0

    def pre_process_command(self, line, cmd, arg):
        with lock:
            ftp_commands.append(line)
        # The proxy's own commands name the remote site, which is this very server.
        is_site_host = cmd == "SITE" and arg and arg.split(" ")[0].upper() not in SITE_COMMANDS
        if cmd in PROXY_LOGON_COMMANDS or is_site_host:
            self.respond("220 Connected to %s." % arg)
            return
        if cmd == "USER" and arg and "@" in arg:
            arg = arg.split("@", 1)[0]
            line = "USER " + arg
        super().pre_process_command(line, cmd, arg)


class RecordingHttpHandler(http.server.SimpleHTTPRequestHandler):
    SLOW = "/slow/"
    SLOW_PARTS = 8

    def do_GET(self):
        # "/slow/<name>" serves <name> in parts a fifth of a second apart: a transfer that
        # lasts while a test acts.
        if not self.path.startswith(self.SLOW):
            return super().do_GET()
        try:
            with open(os.path.join(self.directory, self.path[len(self.SLOW):]), "rb") as f:
                body = f.read()
        except OSError:
            return self.send_error(404)
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        part = len(body) // self.SLOW_PARTS + 1
        for at in range(0, len(body), part):
            self.wfile.write(body[at:at + part])
            self.wfile.flush()
            threading.Event().wait(0.2)

    def log_message(self, format, *args):
        with lock:
            http_requests.append(self.requestline)
            http_headers.append("%s|%s|%s" % (self.path, self.headers.get("User-Agent", ""),
                                              self.headers.get("Authorization", "")))


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Switchable:
    """A server that can go down (its port refuses connections) and come back on that port."""

    def __init__(self, make):
        self.make = make
        self.server = None
        self.thread = None

    def up(self):
        if self.server:
            return
        self.server = self.make()
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def down(self):
        if not self.server:
            return
        if isinstance(self.server, ThreadedFTPServer):
            self.server.close_all()
        else:
            self.server.shutdown()
            self.server.server_close()
        self.thread.join(10)
        self.server = None


def make_ftp(root, port):
    authorizer = DummyAuthorizer()
    authorizer.add_anonymous(os.path.join(root, "ftp"))
    authorizer.add_user("writer", "secret", os.path.join(root, "upload"), perm="elradfmwMT")
    authorizer.add_user("proxy", "proxypass", os.path.join(root, "ftp"))
    handler = type("Handler", (RecordingFtpHandler,), {})
    handler.authorizer = authorizer
    handler.passive_ports = None
    handler.permit_foreign_addresses = True

    def make():
        server = ThreadedFTPServer(("127.0.0.1", port), handler)
        return server
    return Switchable(make)


def make_http(root, port):
    directory = os.path.join(root, "http")

    def make():
        http.server.ThreadingHTTPServer.allow_reuse_address = True
        return http.server.ThreadingHTTPServer(
            ("127.0.0.1", port),
            lambda *a, **k: RecordingHttpHandler(*a, directory=directory, **k))
    return Switchable(make)


def start_tinyproxy(logdir, port):
    config = os.path.join(logdir, "tinyproxy.conf")
    log = os.path.join(logdir, "tinyproxy.log")
    with open(config, "w") as f:
        f.write("Port %d\nListen 127.0.0.1\nTimeout 60\nLogFile \"%s\"\nLogLevel Info\n"
                "MaxClients 20\nAllow 127.0.0.1\n" % (port, log))
    open(log, "w").close()
    process = subprocess.Popen(["tinyproxy", "-d", "-c", config], stdin=subprocess.DEVNULL,
                               stdout=open(os.path.join(logdir, "tinyproxy.out"), "w"),
                               stderr=subprocess.STDOUT)
    return process, log


def wait_listening(port):
    for _ in range(200):
        try:
            socket.create_connection(("127.0.0.1", port), 0.1).close()
            return
        except OSError:
            threading.Event().wait(0.05)


def answer(connection, text):
    data = text.encode("cp1252", "replace")
    connection.sendall(b"%d\n" % len(data) + data)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--state", required=True)
    args = parser.parse_args()
    for sub in ("http", "ftp", "upload", "logs"):
        os.makedirs(os.path.join(args.root, sub), exist_ok=True)
    logdir = os.path.join(args.root, "logs")

    servers = {"http": make_http(args.root, free_port()), "ftp": make_ftp(args.root, free_port())}
    for server in servers.values():
        server.up()
    proxy_port = free_port()
    proxy, proxy_log = start_tinyproxy(logdir, proxy_port)
    wait_listening(proxy_port)

    control = socket.socket()
    control.bind(("127.0.0.1", 0))
    control.listen(1)
    ports = {"control": control.getsockname()[1], "proxy": proxy_port,
             "http": servers["http"].server.server_address[1],
             "ftp": servers["ftp"].server.address[1]}
    temporary = args.state + ".new"
    with open(temporary, "w") as f:
        f.write("".join("%s=%d\n" % item for item in ports.items()))
    os.replace(temporary, args.state)

    control.settimeout(60)
    try:
        connection, _ = control.accept()
    except OSError:
        connection = None
    try:
        reader = connection.makefile("r") if connection else []
        for line in reader:
            words = line.split()
            if not words:
                continue
            if words[0] in ("down", "up") and len(words) == 2 and words[1] in servers:
                getattr(servers[words[1]], words[0])()
                answer(connection, "ok")
            elif words[0] == "ftplog":
                with lock:
                    answer(connection, "\n".join(ftp_commands))
            elif words[0] == "httplog":
                with lock:
                    answer(connection, "\n".join(http_requests))
            elif words[0] == "httpheaders":
                with lock:
                    answer(connection, "\n".join(http_headers))
            elif words[0] == "proxylog":
                with open(proxy_log, errors="replace") as f:
                    answer(connection, f.read())
            elif words[0] == "clear":
                with lock:
                    ftp_commands.clear()
                    http_requests.clear()
                    http_headers.clear()
                answer(connection, "ok")
            else:
                answer(connection, "unknown")
    finally:
        proxy.terminate()
        proxy.wait(10)
        for server in servers.values():
            server.down()


if __name__ == "__main__":
    sys.exit(main())
