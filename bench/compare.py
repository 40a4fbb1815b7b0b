#!/usr/bin/env python3
"""Times quillmate-cli beside the tools a user would reach for, as whole processes.

    compare.py BIN_DIR [--runs N] [--count N] [--keep DIR] [--cli PATH]

BIN_DIR holds quillmate-cli, make_document and pugixml_walk of a Release build
(bench/compare.sh builds them). For each of two documents of COUNT persons, tasks
and appointments ("uniform": every record of one shape, as the text benchmark makes them;
"varied": everyday lengths, notes of one to four lines) it times, in alternating order:

  import   quillmate-cli import persons of the document's persons exported with all 18
           columns, into a new document (which is saved, fsync included)
  csv      Python's csv module reading the same file, row by row
  info     quillmate-cli info on the document: load every record, print four counts
  pugixml  pugixml's load_file on the document and a walk over every attribute

and prints the medians of wall-clock and processor time (user + system) and the ratios
ours / theirs of both, then the peak memory of a load beside the file size: how much more
memory `info` takes at its peak than `--version`, the program alone. --cli times another
quillmate-cli (an older build, say) in place of the one in BIN_DIR.
"""

import argparse
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

PERSON_COLUMNS = ("FirstName,LastName,Address1,Address2,City,State,ZipCode,HomePhone,"
                  "WorkPhone,WorkExtension,Fax,CelPhone,Pager,E-Mail,WebPage,Company,"
                  "Position,Notes")

CSV_READER = """
import csv, sys
with open(sys.argv[1], newline="", encoding="utf-8") as f:
    for row in csv.reader(f):
        pass
"""


def timed(argv, before=None):
    """Wall-clock and processor seconds of one run of argv; `before` runs untimed first."""
    if before:
        before()
    start_usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    done = subprocess.run(argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    wall = time.perf_counter() - start
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    if done.returncode != 0:
        sys.exit("failed: %s\n%s" % (" ".join(argv), done.stderr.decode(errors="replace")))
    cpu = (usage.ru_utime - start_usage.ru_utime) + (usage.ru_stime - start_usage.ru_stime)
    return wall, cpu


def compare(name, ours, theirs, runs):
    """Runs both `runs` times in turns (each goes first in every other round)."""
    times = {"ours": [], "theirs": []}
    for run in range(runs):
        order = [("ours", ours), ("theirs", theirs)]
        if run % 2:
            order.reverse()
        for side, (argv, before) in order:
            times[side].append(timed(argv, before))
    med = {side: (statistics.median(t[0] for t in times[side]),
                  statistics.median(t[1] for t in times[side])) for side in times}
    print("  %-22s ours %6.3f s (cpu %6.3f)  theirs %6.3f s (cpu %6.3f)  "
          "ratio %.2f (cpu %.2f)" % (name, med["ours"][0], med["ours"][1], med["theirs"][0],
                                     med["theirs"][1], med["ours"][0] / med["theirs"][0],
                                     med["ours"][1] / med["theirs"][1]))
    sys.stdout.flush()


def max_rss_mb(argv):
    """The peak resident memory of one run of argv, in MB."""
    process = subprocess.Popen(argv, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit("failed: " + " ".join(argv))
    return usage.ru_maxrss / 1024.0


def peak_mb(cli, path):
    """How much more memory than the program alone `info` takes at its peak, in MB."""
    return max_rss_mb([cli, "info", path]) - max_rss_mb([cli, "--version"])


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("bin_dir")
    parser.add_argument("--runs", type=int, default=11)
    parser.add_argument("--count", type=int, default=100000)
    parser.add_argument("--keep", help="make the files in this folder and keep them")
    parser.add_argument("--cli", help="the quillmate-cli to time")
    args = parser.parse_args()
    os.environ.setdefault("TZ", "Europe/Berlin")
    os.environ.pop("LC_ALL", None)
    cli = args.cli or os.path.join(args.bin_dir, "quillmate-cli")
    make = os.path.join(args.bin_dir, "make_document")
    pugixml = os.path.join(args.bin_dir, "pugixml_walk")
    python = sys.executable

    work = args.keep or tempfile.mkdtemp(prefix="quillmate-compare-")
    os.makedirs(work, exist_ok=True)
    try:
        empty = os.path.join(work, "empty.pgr")
        target = os.path.join(work, "target.pgr")
        subprocess.run([make, empty, "0", "empty"], check=True)
        print("%d records of each kind; medians of %d runs taken in turns; TZ=%s" %
              (args.count, args.runs, os.environ["TZ"]))
        for style in ("uniform", "varied"):
            document = os.path.join(work, "%s-%d.pgr" % (style, args.count))
            persons = os.path.join(work, "%s-%d-persons.csv" % (style, args.count))
            if not os.path.exists(document):
                subprocess.run([make, document, str(args.count), style], check=True)
            if not os.path.exists(persons):
                subprocess.run([cli, "export", "persons", document, persons], check=True)
            document_mb = os.path.getsize(document) / 1e6
            persons_mb = os.path.getsize(persons) / 1e6
            print("%s: document %.1f MB, persons file %.1f MB" % (style, document_mb, persons_mb))
            compare("import vs Python csv",
                    ([cli, "import", "persons", target, persons, "--columns", PERSON_COLUMNS],
                     lambda: shutil.copyfile(empty, target)),
                    ([python, "-c", CSV_READER, persons], None), args.runs)
            compare("info vs pugixml+walk", ([cli, "info", document], None),
                    ([pugixml, document], None), args.runs)
            peak = peak_mb(cli, document)
            print("  peak while loading     %.1f MB: x%.2f of the file" % (peak, peak / document_mb))
    finally:
        if not args.keep:
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
