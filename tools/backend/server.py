"""Stands in for the back-end server: one servlet address that answers the
client's verbs ("?verb=NAME&...") from the fixtures beside this file, in GBK.

Usage: server.py CONTROL_PORT [--log PATH]    (a test, through tools/testsvc/control.py)
       server.py --port PORT [--log PATH]     (scripts/run: no control connection)

Any path answers; only the query counts, except a path whose last part names
a page file of pages/ (case ignored): that file is served as an HTML page in
UTF-8. Argument values are percent-encoded GBK. Every request (method word as sent, full URL, body bytes) is appended to
the log, a JSON list rewritten after each request.

Commands of a test, one line each, fields separated by tabs; each answers one
line ("OK" unless said otherwise):
  reply VERB TEXT        VERB answers TEXT (the rest of the line, blanks and
                         tabs kept) until cleared
  fault VERB KIND [ARG]  KIND: timeout (the log-in has timed out: VERB answers
                         its failure value, TimeOutStatus "0"), refuse
                         (CheckLogin "0"), http500, empty, slow SECONDS
  user NAME PASSWORD     CheckLogin accepts that user too
  clear                  drops every scripted reply and fault
  stop                   stops listening; later requests find the port closed
  count                  answers the number of requests so far
  request N              answers request N (from 0): METHOD, URL, body as hex
"""
import http.server
import json
import os
import sys
import threading
import time
import urllib.parse
import xml.etree.ElementTree as ElementTree

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "testsvc"))
from control import serve_under_control  # noqa: E402

FIXTURES = os.path.join(HERE, "fixtures")
PAGES = os.path.join(HERE, "pages")
SERVLET = "HttpRequestServlet.jsp"

# What a verb answers when the log-in has timed out: the reply the client
# judges bad for that verb.
TIMED_OUT_REPLY = {
    "GetStorageLocation": "-1;",
    "GetNewAssetID": "-1;",
    "AddAsset": "-1",
    "AssetMetaDataStruct": "",
    "EmunAllAssetType": "",
}


def read_fixture(name):
    with open(os.path.join(FIXTURES, name), encoding="utf-8") as fixture:
        return fixture.read()


def read_table(name):
    """Lines "key<TAB>value" of a fixture, without comments."""
    table = {}
    for line in read_fixture(name).splitlines():
        if line and not line.startswith("#"):
            key, value = line.split("\t", 1)
            table[key] = value
    return table


def page_file(path):
    """The page file that the URL path names, or None."""
    name = urllib.parse.unquote(urllib.parse.urlsplit(path).path.rsplit("/", 1)[-1]).lower()
    for entry in os.listdir(PAGES):
        if entry.lower() == name:
            return os.path.join(PAGES, entry)
    return None


def parses_as_xml(text):
    # The record declares GB2312; the text is decoded already, so the
    # declaration goes before the parser sees it.
    if text.lstrip().startswith("<?xml"):
        text = text[text.find("?>") + 2:]
    try:
        ElementTree.fromstring(text)
        return True
    except ElementTree.ParseError:
        return False


class Backend:
    def __init__(self, log_path):
        self.lock = threading.Lock()
        self.log_path = log_path
        self.requests = []
        self.replies = {}
        self.faults = {}
        self.users = read_table("users.txt")
        self.storage = read_table("storage_locations.txt")
        self.next_id = 1000
        self.server = None

    # -- requests ---------------------------------------------------------
    def record(self, method, url, body):
        with self.lock:
            self.requests.append({"method": method, "url": url, "body": body.hex(),
                                  "body_text": body.decode("gbk", "replace")})
            if self.log_path:
                temporary = self.log_path + ".new"
                with open(temporary, "w", encoding="utf-8") as log:
                    json.dump(self.requests, log, ensure_ascii=False, indent=1)
                os.replace(temporary, self.log_path)

    def answer(self, verb, arguments, body):
        """(HTTP status, reply text or None for an empty body, seconds to wait)."""
        with self.lock:
            fault = self.faults.get(verb)
            scripted = self.replies.get(verb)
            timed_out = any(kind == "timeout" for kind, _ in self.faults.values())
        delay = 0.0
        if fault:
            kind, argument = fault
            if kind == "http500":
                return 500, "internal error", 0
            if kind == "empty":
                return 200, None, 0
            if kind == "slow":
                delay = float(argument)
            if kind == "timeout" and verb in TIMED_OUT_REPLY:
                return 200, TIMED_OUT_REPLY[verb], 0
            if kind == "refuse" and verb == "CheckLogin":
                return 200, "0", 0
        if scripted is not None:
            return 200, scripted, delay
        if verb == "TimeOutStatus":
            return 200, "0" if timed_out else "1", delay
        return 200, self.verb_reply(verb, arguments, body), delay

    def verb_reply(self, verb, arguments, body):
        if verb == "CheckLogin":
            user, password = arguments.get("UserID", ""), arguments.get("PWD", "")
            with self.lock:
                return "1" if user in self.users and self.users[user] == password else "0"
        if verb == "EmunAllAssetType":
            return read_fixture("asset_types.xml")
        if verb == "AssetMetaDataStruct":
            return read_fixture("category_structure.xml")
        if verb == "GetStorageLocation":
            return self.storage.get(arguments.get("Cate", ""), self.storage["*"])
        if verb == "GetNewAssetID":
            count = max(int(arguments.get("GetIdNum", "1") or "1"), 1)
            with self.lock:
                first, self.next_id = self.next_id, self.next_id + count
            return "".join("%d;" % number for number in range(first, first + count))
        if verb == "AddAsset":
            return "1" if parses_as_xml(body.decode("gbk", "replace")) else "-2"
        return "-9"

    # -- commands of a test -----------------------------------------------
    def command(self, line):
        words = line.split("\t")
        name = words[0]
        with self.lock:
            if name == "reply":
                self.replies[words[1]] = "\t".join(words[2:])
            elif name == "fault":
                self.faults[words[1]] = (words[2], words[3] if len(words) > 3 else "")
            elif name == "user":
                self.users[words[1]] = words[2]
            elif name == "clear":
                self.replies.clear()
                self.faults.clear()
            elif name == "count":
                return str(len(self.requests))
            elif name == "request":
                request = self.requests[int(words[1])]
                return "\t".join((request["method"], request["url"], request["body"]))
            elif name != "stop":
                return "ERROR unknown command " + name
        if name == "stop":
            self.server.shutdown()
            self.server.server_close()
        return "OK"


def make_handler(backend):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.0"

        def log_message(self, *args):
            pass

        def serve_verb(self):
            length = int(self.headers.get("Content-Length") or 0)
            body = self.rfile.read(length) if length else b""
            url = "http://%s%s" % (self.headers.get("Host", ""), self.path)
            backend.record(self.command, url, body)
            page = page_file(self.path)
            if page:
                with open(page, "rb") as page_bytes:
                    self.send_payload(200, "text/html; charset=utf-8", page_bytes.read())
                return
            query = urllib.parse.urlsplit(self.path).query
            arguments = dict(urllib.parse.parse_qsl(query, keep_blank_values=True, encoding="gbk"))
            status, text, delay = backend.answer(arguments.get("verb", ""), arguments, body)
            if delay:
                time.sleep(delay)
            payload = b"" if text is None else text.encode("gbk")
            self.send_payload(status, "text/plain; charset=GBK", payload)

        def send_payload(self, status, content_type, payload):
            self.send_response(status)
            self.send_header("Content-Type", content_type)
            self.send_header("Content-Length", str(len(payload)))
            self.end_headers()
            self.wfile.write(payload)

        # The client sends "GET", "get" and "post" as they are.
        do_GET = do_get = do_POST = do_post = serve_verb

    return Handler


def start_server(backend, port):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), make_handler(backend))
    server.daemon_threads = True
    backend.server = server
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server.server_address[1]


def option(arguments, name):
    return arguments[arguments.index(name) + 1] if name in arguments else None


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "--port":
        backend = Backend(option(sys.argv, "--log"))
        port = start_server(backend, int(sys.argv[2]))
        print("back-end stand-in on http://127.0.0.1:%d/%s" % (port, SERVLET), flush=True)
        threading.Event().wait()
    backend = Backend(None)

    def start(arguments):
        backend.log_path = option(arguments, "--log")
        return start_server(backend, 0)

    serve_under_control(start, backend.command)


if __name__ == "__main__":
    main()
