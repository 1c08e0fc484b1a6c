"""A private PostgreSQL server for tests, with the rights store's database.

Usage: postgres_server.py CONTROL_PORT SCRIPT.sql...

Makes a fresh cluster in a temporary folder (as the postgres user when run
as root, else as the current user), starts it on a free loopback port and
reports that port. The database MARRENTOLBECK belongs to the role MintaRolk
(password MintaRolk), which runs the given scripts in their order. The
server is stopped and its folder removed when the control connection
closes.

Command, answered "OK" or "ERROR <reason>":
  sql STATEMENT   runs the statement in MARRENTOLBECK as the superuser
                  (for instance to take a right from MintaRolk).
"""
import glob
import os
import shutil
import socket
import subprocess
import tempfile

from control import serve_under_control

DATABASE = "MARRENTOLBECK"
ROLE = "MintaRolk"
SUPERUSER = "postgres"


class Cluster:
    def __init__(self):
        self.folder = None
        self.data = None
        self.port = None
        self.running = False
        self.bin = self._server_programs()
        self.user = SUPERUSER if os.geteuid() == 0 else None

    @staticmethod
    def _server_programs():
        # Debian keeps the server's programs per major version, off the path.
        found = sorted(glob.glob("/usr/lib/postgresql/*/bin/initdb"),
                       key=lambda path: int(path.split("/")[4]))
        if not found:
            raise RuntimeError("PostgreSQL is not installed (no /usr/lib/postgresql/*/bin/initdb)")
        return os.path.dirname(found[-1])

    def _run(self, program, *arguments):
        result = subprocess.run([os.path.join(self.bin, program)] + list(arguments), user=self.user,
                                cwd=self.folder, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT, env=self._environment())
        if result.returncode != 0:
            raise RuntimeError("%s failed: %s" % (program, result.stdout.decode("utf-8", "replace").strip()))
        return result

    def _environment(self):
        environment = {"PATH": "/usr/bin:/bin", "LC_ALL": "C.UTF-8", "PGCLIENTENCODING": "UTF8"}
        if self.user:
            environment["HOME"] = self.folder
        return environment

    def create(self):
        self.folder = tempfile.mkdtemp(prefix="ombrelle-pg-")
        if self.user:
            shutil.chown(self.folder, self.user, self.user)
        self.data = os.path.join(self.folder, "data")
        self._run("initdb", "--pgdata", self.data, "--username", SUPERUSER, "--encoding", "UTF8",
                  "--no-locale", "--no-sync", "--auth-local", "trust", "--auth-host", "scram-sha-256")
        with open(os.path.join(self.data, "postgresql.conf"), "a") as conf:
            conf.write("listen_addresses = '127.0.0.1'\n"
                       "unix_socket_directories = '%s'\n"
                       "fsync = off\nsynchronous_commit = off\nfull_page_writes = off\n" % self.folder)

    def start(self):
        # A port found free may be taken by another run before the server
        # binds it: then the start fails and another port is tried.
        last_error = None
        for _ in range(10):
            self.port = free_port()
            log = os.path.join(self.folder, "server.log")
            try:
                self._run("pg_ctl", "--pgdata", self.data, "--log", log, "--wait", "--timeout", "120",
                          "-o", "-p %d" % self.port, "start")
                self.running = True
                return
            except RuntimeError as error:
                last_error = error
                with open(log, errors="replace") as text:
                    if "could not bind" not in text.read():
                        raise
        raise last_error

    def psql(self, user, database, *arguments):
        return self._run("psql", "-X", "-q", "-v", "ON_ERROR_STOP=1", "-h", self.folder, "-p", str(self.port),
                         "-U", user, "-d", database, *arguments)

    def load(self, scripts):
        self.psql(SUPERUSER, "postgres", "-c", "CREATE ROLE \"%s\" LOGIN PASSWORD '%s'" % (ROLE, ROLE))
        self.psql(SUPERUSER, "postgres", "-c", "CREATE DATABASE \"%s\" OWNER \"%s\"" % (DATABASE, ROLE))
        for script in scripts:
            self.psql(ROLE, DATABASE, "-f", os.path.abspath(script))

    def stop(self):
        if self.running:
            self.running = False
            try:
                self._run("pg_ctl", "--pgdata", self.data, "--mode", "immediate", "--wait", "stop")
            except RuntimeError:
                pass
        if self.folder:
            shutil.rmtree(self.folder, ignore_errors=True)
            self.folder = None


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


cluster = Cluster()


def start(arguments):
    scripts = [os.path.abspath(script) for script in arguments]
    try:
        cluster.create()
        # The scripts must be readable by the server's user.
        for index, script in enumerate(scripts):
            copy = os.path.join(cluster.folder, "script%d.sql" % index)
            shutil.copyfile(script, copy)
            os.chmod(copy, 0o644)
            scripts[index] = copy
        cluster.start()
        cluster.load(scripts)
    except BaseException:
        cluster.stop()
        raise
    return cluster.port


def handle_command(line):
    verb, _, statement = line.partition(" ")
    if verb != "sql":
        return "ERROR unknown command %r" % verb
    try:
        cluster.psql(SUPERUSER, DATABASE, "-c", statement)
    except RuntimeError as error:
        return "ERROR %s" % error
    return "OK"


if __name__ == "__main__":
    serve_under_control(start, handle_command, cluster.stop)
