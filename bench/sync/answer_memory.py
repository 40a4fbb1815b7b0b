#!/usr/bin/python3
"""Peak memory of quillmate-cli sync taking one large answer, beside a small one.

A server on 127.0.0.1 answers the address book's sync-collection report with MEGABYTES of
item texts (ten items the codec does not take, so the document stays as it was) and the
calendar's with nothing. Prints the sync's peak resident size for that answer and for an
answer of a few bytes, and the difference set against the answer's size.

usage: bench/sync/answer_memory.py QUILLMATE_CLI [MEGABYTES]
"""
import http.server
import os
import re
import subprocess
import sys
import tempfile
import threading


def serve(size):
    item = "x" * (size // 10)
    body = "".join(
        "<d:response><d:href>/c/i%d.vcf</d:href><d:propstat><d:prop><d:getetag>\"%d\""
        "</d:getetag><a:address-data>%s</a:address-data></d:prop><d:status>HTTP/1.1 200 OK"
        "</d:status></d:propstat></d:response>" % (i, i, item) for i in range(10) if size)
    big = ("<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" "
           "xmlns:a=\"urn:ietf:params:xml:ns:carddav\">" + body +
           "<d:sync-token>t1</d:sync-token></d:multistatus>").encode()
    small = (b"<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\">"
             b"<d:sync-token>t1</d:sync-token></d:multistatus>")

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_REPORT(self):
            self.rfile.read(int(self.headers.get("Content-Length", 0)))
            answer = big if self.path.startswith("/c/") else small
            self.send_response(207)
            self.send_header("Content-Length", str(len(answer)))
            self.end_headers()
            self.wfile.write(answer)

        def log_message(self, *args):
            pass

    server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def peak_kb(cli, megabytes):
    server = serve(megabytes << 20)
    port = server.server_address[1]
    with tempfile.TemporaryDirectory() as folder:
        doc = os.path.join(folder, "doc.pgr")
        env = dict(os.environ, XDG_STATE_HOME=os.path.join(folder, "state"))
        subprocess.run([cli, "new", doc], check=True, env=env)
        run = subprocess.run(
            ["/usr/bin/time", "-v", cli, "sync", doc, "--url", "http://127.0.0.1:%d/" % port,
             "--addressbook", "http://127.0.0.1:%d/c/" % port,
             "--calendar", "http://127.0.0.1:%d/d/" % port],
            env=env, capture_output=True, text=True)
    server.shutdown()
    return int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", run.stderr).group(1))


def main():
    cli = sys.argv[1]
    megabytes = int(sys.argv[2]) if len(sys.argv) > 2 else 60
    base = peak_kb(cli, 0)
    large = peak_kb(cli, megabytes)
    print("peak with a tiny answer: %d MB" % (base >> 10))
    print("peak with a %d MB answer: %d MB (%.1f x the answer above the tiny one)" %
          (megabytes, large >> 10, (large - base) / 1024 / megabytes))


if __name__ == "__main__":
    main()
