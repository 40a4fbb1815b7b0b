#!/usr/bin/python3
"""Times quillmate-cli sync beside Debian's vdirsyncer against one local Radicale.

The server holds 2,000 persons and 2,000 events (written straight into its storage
folder). Timed, in the same run: our first sync into an empty document, our sync with no
change on either side, and vdirsyncer's download of the same collections into folders (its
own first sync). Prints the seconds, the ratio of ours to vdirsyncer's, and the requests
each made (counted from the server's log).

usage: bench/sync/sync_bench.py QUILLMATE_CLI [--count N] [--series S]
Only 127.0.0.1 is ever contacted.
"""
import argparse
import datetime
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import urllib.request


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def seed(store, count, series):
    root = os.path.join(store, "collection-root", "alice")
    cards = os.path.join(root, "contacts")
    dates = os.path.join(root, "calendar")
    for folder, tag in ((cards, "VADDRESSBOOK"), (dates, "VCALENDAR")):
        os.makedirs(folder)
        with open(os.path.join(folder, ".Radicale.props"), "w") as f:
            json.dump({"tag": tag, "D:displayname": tag.lower()}, f)
    for i in range(count):
        with open(os.path.join(cards, "p%d.vcf" % i), "w", newline="") as f:
            f.write("BEGIN:VCARD\r\nVERSION:3.0\r\nUID:p%d\r\nN:Person %d;Bench;;;\r\n"
                    "FN:Bench Person %d\r\nTEL;TYPE=WORK:555-%04d\r\n"
                    "EMAIL:p%d@example.org\r\nEND:VCARD\r\n" % (i, i, i, i, i))
        day = 1 + i % 28
        month = 1 + (i // 28) % 12
        hour = 8 + i % 10
        # The first `series` events repeat weekly: the first occurrence moved an hour on, the
        # second taken out.
        repeats = ""
        if i < series:
            first = datetime.datetime(2027, month, day, hour)
            stamp = lambda t: t.strftime("%Y%m%dT%H%M%SZ")
            repeats = ("RRULE:FREQ=WEEKLY;COUNT=20\r\nEXDATE:%s\r\nEND:VEVENT\r\n"
                       "BEGIN:VEVENT\r\nUID:e%d\r\nDTSTAMP:20261201T100000Z\r\n"
                       "RECURRENCE-ID:%s\r\nDTSTART:%s\r\nDTEND:%s\r\nSUMMARY:Event %d moved\r\n"
                       % (stamp(first + datetime.timedelta(weeks=1)), i, stamp(first),
                          stamp(first + datetime.timedelta(hours=1)),
                          stamp(first + datetime.timedelta(hours=1, minutes=30)), i))
        with open(os.path.join(dates, "e%d.ics" % i), "w", newline="") as f:
            f.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\n"
                    "BEGIN:VEVENT\r\nUID:e%d\r\nDTSTAMP:20261201T100000Z\r\n"
                    "DTSTART:2027%02d%02dT%02d0000Z\r\nDTEND:2027%02d%02dT%02d3000Z\r\n"
                    "SUMMARY:Event %d\r\n%sEND:VEVENT\r\nEND:VCALENDAR\r\n"
                    % (i, month, day, hour, month, day, hour, i, repeats))


def requests_in(log, since):
    with open(log) as f:
        f.seek(since)
        text = f.read()
    return sum(1 for line in text.splitlines() if " request for " in line), os.path.getsize(log)


def warm(url):
    """The server reads and caches every item the first time it is asked for it, and works
    out the state behind its sync tokens the first time one is asked for (on Radicale,
    tens of seconds for 2,000 items each): both are done before any client is timed."""
    import requests
    for path, ns, data, query, scope in (
            ("alice/contacts/", "urn:ietf:params:xml:ns:carddav", "address-data",
             "addressbook-query", ""),
            ("alice/calendar/", "urn:ietf:params:xml:ns:caldav", "calendar-data",
             "calendar-query", '<c:filter><c:comp-filter name="VCALENDAR"/></c:filter>')):
        prop = '<d:prop><d:getetag/><c:%s/></d:prop>' % data
        for body in ('<c:%s xmlns:d="DAV:" xmlns:c="%s">%s%s</c:%s>'
                     % (query, ns, prop, scope, query),
                     '<d:sync-collection xmlns:d="DAV:" xmlns:c="%s"><d:sync-token/>'
                     '<d:sync-level>1</d:sync-level>%s</d:sync-collection>' % (ns, prop)):
            requests.request("REPORT", url + path, data=body, auth=("alice", "x"),
                             headers={"Depth": "1"}).raise_for_status()


def timed(command, env=None):
    before = os.times()
    start = time.perf_counter()
    done = subprocess.run(command, env=env, capture_output=True, text=True)
    seconds = time.perf_counter() - start
    after = os.times()
    cpu = (after.children_user - before.children_user) + (after.children_system - before.children_system)
    print("  %s %s: %.2f s, %.2f s of it on the client's CPU" % (command[0].split("/")[-1], command[1], seconds, cpu))
    if done.returncode != 0:
        sys.exit("%s failed:\n%s%s" % (command[0], done.stdout, done.stderr))
    return seconds, done.stdout


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--count", type=int, default=2000)
    parser.add_argument("--series", type=int, default=None,
                        help="how many of the events repeat (a tenth unless given)")
    args = parser.parse_args()
    work = tempfile.mkdtemp(prefix="quillmate-sync-bench-")
    port = free_port()
    url = "http://127.0.0.1:%d/" % port
    store = os.path.join(work, "store")
    log = os.path.join(work, "radicale.log")
    series = args.count // 10 if args.series is None else args.series
    seed(store, args.count, series)
    with open(log, "w") as out:
        server = subprocess.Popen(
            ["/usr/bin/python3", "-m", "radicale", "--server-hosts", "127.0.0.1:%d" % port,
             "--storage-filesystem-folder", store, "--auth-type", "none",
             "--logging-level", "info"], stderr=out, stdout=out)
    try:
        for _ in range(200):
            try:
                urllib.request.urlopen(url, timeout=1)
            except urllib.error.HTTPError:
                break
            except OSError:
                time.sleep(0.05)
        env = dict(os.environ, XDG_STATE_HOME=os.path.join(work, "state"))
        doc = os.path.join(work, "bench.pgr")
        subprocess.run([args.cli, "new", doc], check=True, capture_output=True)
        sync = [args.cli, "sync", doc, "--url", url, "--user", "alice"]
        mark = os.path.getsize(log)
        warm(url)
        mark = os.path.getsize(log)
        first, out = timed(sync, env)
        first_requests, mark = requests_in(log, mark)
        again, _ = timed(sync, env)
        again_requests, mark = requests_in(log, mark)

        config = os.path.join(work, "vdirsyncer.conf")
        with open(config, "w") as f:
            f.write("[general]\nstatus_path = \"%s/vstatus/\"\n" % work)
            for name, kind, ext in (("cards", "carddav", ".vcf"), ("dates", "caldav", ".ics")):
                f.write('[pair %s]\na = "%s_remote"\nb = "%s_local"\ncollections = ["from a"]\n'
                        '[storage %s_remote]\ntype = "%s"\nurl = "%s"\nusername = "alice"\n'
                        'password = "x"\n[storage %s_local]\ntype = "filesystem"\n'
                        'path = "%s/v%s/"\nfileext = "%s"\n'
                        % (name, name, name, name, kind, url, name, work, name, ext))
        venv = dict(os.environ, VDIRSYNCER_CONFIG=config)
        subprocess.run(["vdirsyncer", "discover"], env=venv, input="y\ny\n", text=True,
                       capture_output=True, check=True)
        _, mark = requests_in(log, mark)
        theirs, _ = timed(["vdirsyncer", "sync"], venv)
        their_requests, mark = requests_in(log, mark)

        print("server: %d persons and %d events, %d of them series"
              % (args.count, args.count, series))
        print(out.strip())
        print("quillmate first sync:      %7.2f s  %5d requests" % (first, first_requests))
        print("quillmate no-change sync:  %7.2f s  %5d requests" % (again, again_requests))
        print("vdirsyncer first download: %7.2f s  %5d requests" % (theirs, their_requests))
        print("ratio first sync / vdirsyncer: %.2f" % (first / theirs))
    finally:
        server.terminate()
        server.wait()
        shutil.rmtree(work, ignore_errors=True)


main()
