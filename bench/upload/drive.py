"""Runs both sides of the upload benchmark against one loopback FTP server
(tools/testsvc/ftp_server.py, started under our control) and prints the
comparison. Arguments: the source root and the build folder; the Wine
session's environment (WINEPREFIX, DISPLAY, $wine) is inherited."""
import os
import resource
import shutil
import socket
import subprocess
import sys
import tempfile
import time

COUNT = 50
SIZE = 5 * 1024 * 1024


def make_input(folder):
    os.makedirs(folder, exist_ok=True)
    for i in range(COUNT):
        path = os.path.join(folder, "file%03d.bin" % i)
        if not os.path.exists(path) or os.path.getsize(path) != SIZE:
            with open(path, "wb") as file:
                file.write(os.urandom(SIZE))


def start_ftp(root, store):
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(1)
    listener.settimeout(20)
    helper = subprocess.Popen([sys.executable, os.path.join(root, "tools/testsvc/ftp_server.py"),
                               str(listener.getsockname()[1]), store, "up", "pw"],
                              stderr=subprocess.DEVNULL)
    control, _ = listener.accept()
    listener.close()
    line = control.makefile().readline().split()
    if not line or line[0] != "READY":
        raise RuntimeError("the FTP helper did not come up: %r" % line)
    return helper, control, int(line[1])


def children_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def run_curl(folder, port):
    files = [os.path.join(folder, "file%03d.bin" % i) for i in range(COUNT)]
    cpu0, wall0 = children_cpu(), time.monotonic()
    curls = [subprocess.Popen(["curl", "-s", "-S", "--ftp-create-dirs", "-T", path,
                               "ftp://up:pw@127.0.0.1:%d/peer/" % port]) for path in files]
    failed = sum(curl.wait() != 0 for curl in curls)
    return time.monotonic() - wall0, children_cpu() - cpu0, failed


def run_ours(build, folder, port):
    windows_folder = "Z:" + folder.replace("/", "\\")
    result = subprocess.run([os.environ["wine"], os.path.join(build, "bin", "ombrelle_upload_bench.exe"),
                             "127.0.0.1:%d" % port, windows_folder, str(COUNT)],
                            capture_output=True, text=True)
    line = next((l for l in result.stdout.splitlines() if l.startswith("files=")), "")
    if not line:
        raise RuntimeError("the bench printed nothing: %s %s" % (result.stdout, result.stderr))
    fields = dict(item.split("=") for item in line.split())
    return float(fields["wall_ms"]) / 1000, float(fields["cpu_ms"]) / 1000, int(fields["failed"]), line


def main():
    root, build = sys.argv[1], sys.argv[2]
    folder = os.path.join(build, "bench-upload", "input")
    make_input(folder)
    store = tempfile.mkdtemp(prefix="upload-bench-store-")
    helper, control, port = start_ftp(root, store)
    try:
        megabytes = COUNT * SIZE / 1048576.0
        curl_wall, curl_cpu, curl_failed = run_curl(folder, port)
        ours_wall, ours_cpu, ours_failed, line = run_ours(build, folder, port)
    finally:
        control.close()
        helper.wait()
        shutil.rmtree(store, ignore_errors=True)
    print("  ours: %s" % line)
    print("files                          %d of %d MB (%d MB)" % (COUNT, SIZE // 1048576, megabytes))
    print("failed                         ours %d, curl %d" % (ours_failed, curl_failed))
    print("component: wall                %8.2f s    CPU %8.2f ms per MB" % (ours_wall, 1000 * ours_cpu / megabytes))
    print("curl -T:   wall                %8.2f s    CPU %8.2f ms per MB" % (curl_wall, 1000 * curl_cpu / megabytes))
    print("ratio wall component / curl    %8.2f" % (ours_wall / curl_wall))
    print("ratio CPU per MB comp. / curl  %8.2f" % (ours_cpu / curl_cpu if curl_cpu else float("nan")))


if __name__ == "__main__":
    main()
