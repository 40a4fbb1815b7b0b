#!/usr/bin/env python3
"""Times quillmate-cli beside the tools a user would reach for, as whole processes.

    compare.py BIN_DIR [--runs N] [--count N] [--keep DIR] [--cli PATH] [--styles S,S]
               [--gen PATH] [--without abook,calcurse]

BIN_DIR holds quillmate-cli, make_document and pugixml_walk of a Release build
(bench/compare.sh builds them). For each of three documents of COUNT persons, tasks
and appointments (two of our own writer's: "uniform", every record of one shape, as the
text benchmark makes them; "varied", everyday lengths, notes of one to four lines; and
"generated", written by another program, gen_pim.py: CR LF line endings, tabs, many
references) it times, in alternating order:

  import   quillmate-cli import persons of the document's persons exported with all 18
           columns, into a new document (which is saved, fsync included); for "generated",
           of the 18-column persons file gen_pim.py --csv writes
  csv      Python's csv module reading the same file, row by row
  floor    dd copying the document the import wrote, fsync included: what writing the
           result alone takes, under any import
  info     quillmate-cli info on the document: load every record, print four counts
  pugixml  pugixml's load_file on the document and a walk over every attribute
  vcard    quillmate-cli import persons of the document's persons exported as vCard 3.0,
           into a new document (saved, fsync included)
  abook    abook --convert reading the same vCards into its own file
  ical     quillmate-cli export calendar of the document's appointments and tasks
  calcurse calcurse --export of the same records (imported into its folder first), with
           TZ unset and with TZ set

and prints the medians and the worst of wall-clock time, the median of processor time
(user + system) and the ratios ours / theirs, then the peak memory of a load beside the
file size: how much more memory `info` takes at its peak than `--version`, the program
alone. The document's bytes are also read as Windows-1252 (its persons' names carry a
byte that is not UTF-8) for the peak. --cli times another quillmate-cli (an older build,
say) in place of the one in BIN_DIR; abook and calcurse are left out where they are not
installed, and "generated" where gen_pim.py is not found (--gen, or the environment's
QUILLMATE_GEN_PIM, or ../shared/bench/gen_pim.py beside the repository).
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

# The columns of gen_pim.py --csv: its RName has no column of ours.
GENERATED_COLUMNS = ("FirstName,LastName,,Company,Position,Address1,Address2,City,State,"
                     "ZipCode,Notes,HomePhone,WorkPhone,WorkExtension,Fax,CelPhone,E-Mail,"
                     "WebPage")

CSV_READER = """
import csv, sys
with open(sys.argv[1], newline="", encoding="utf-8") as f:
    for row in csv.reader(f):
        pass
"""


def timed(argv, before=None, env=None):
    """Wall-clock and processor seconds of one run of argv; `before` runs untimed first."""
    if before:
        before()
    start_usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    done = subprocess.run(argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=env)
    wall = time.perf_counter() - start
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    if done.returncode != 0:
        sys.exit("failed: %s\n%s" % (" ".join(argv), done.stderr.decode(errors="replace")))
    cpu = (usage.ru_utime - start_usage.ru_utime) + (usage.ru_stime - start_usage.ru_stime)
    return wall, cpu


def compare(name, ours, theirs, runs, env=None):
    """Runs both `runs` times in turns (each goes first in every other round); returns the
    median and worst wall-clock seconds of ours."""
    times = {"ours": [], "theirs": []}
    for run in range(runs):
        order = [("ours", ours), ("theirs", theirs)]
        if run % 2:
            order.reverse()
        for side, (argv, before) in order:
            times[side].append(timed(argv, before, env))
    med = {side: (statistics.median(t[0] for t in times[side]),
                  statistics.median(t[1] for t in times[side])) for side in times}
    worst = {side: max(t[0] for t in times[side]) for side in times}
    print("  %-24s ours %6.3f s (worst %6.3f, cpu %6.3f)  theirs %6.3f s (worst %6.3f, "
          "cpu %6.3f)  ratio %.2f (worst %.2f, cpu %.2f)" %
          (name, med["ours"][0], worst["ours"], med["ours"][1], med["theirs"][0],
           worst["theirs"], med["theirs"][1], med["ours"][0] / med["theirs"][0],
           worst["ours"] / worst["theirs"], med["ours"][1] / med["theirs"][1]))
    sys.stdout.flush()
    return med["ours"][0], worst["ours"]


def max_rss_mb(argv):
    """The peak resident memory of one run of argv, in MB of 10^6 bytes, as the file sizes."""
    process = subprocess.Popen(argv, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit("failed: " + " ".join(argv))
    return usage.ru_maxrss * 1024 / 1e6  # ru_maxrss counts KiB


def peak_mb(cli, path):
    """How much more memory than the program alone `info` takes at its peak, in MB."""
    return max_rss_mb([cli, "info", path]) - max_rss_mb([cli, "--version"])


def export_from_copy(cli, document, kind, out, *options):
    """Exports `kind` of the document into `out` from a copy of it: an export gives the
    records it writes their UIDs and saves them, which would change the document timed."""
    scratch = document[:-4] + "-scratch.pgr"
    shutil.copyfile(document, scratch)
    try:
        subprocess.run([cli, "export", kind, scratch, out] + list(options), check=True)
    finally:
        os.remove(scratch)


def with_uids(cli, document):
    """A copy of the document whose appointments and tasks have their UIDs. The first export
    of a document without them gives them and saves it: a timed export is of this copy, so
    that every run does the same work and the document itself keeps its bytes."""
    copy = document[:-4] + "-uids.pgr"
    if not os.path.exists(copy):
        shutil.copyfile(document, copy)
        calendar = document[:-4] + "-uids.ics"
        subprocess.run([cli, "export", "calendar", copy, calendar], check=True)
        os.remove(calendar)
    return copy


def calcurse_folder(work, style, count, cli, document, calcurse):
    """A calcurse data folder holding the document's appointments and tasks."""
    folder = os.path.join(work, "calcurse-%s-%d" % (style, count))
    if not os.path.exists(os.path.join(folder, "apts")):
        calendar = os.path.join(work, "%s-%d.ics" % (style, count))
        export_from_copy(cli, document, "calendar", calendar)
        # calcurse ends with 1 when it leaves out items it cannot take (and says so): the
        # rest is imported all the same. Its folder is made aside and put in place whole, so
        # that an import cut short is not taken for a finished one by the next run.
        making = folder + ".making"
        shutil.rmtree(making, ignore_errors=True)
        os.makedirs(making)
        done = subprocess.run([calcurse, "-D", making, "-q", "-i", calendar],
                              stdout=subprocess.DEVNULL)
        if done.returncode not in (0, 1) or not os.path.exists(os.path.join(making, "apts")):
            sys.exit("failed: calcurse -i %s (status %d)" % (calendar, done.returncode))
        shutil.rmtree(folder, ignore_errors=True)
        os.rename(making, folder)
    return folder


WINDOWS1252_COPY = """
import sys
with open(sys.argv[1], "rb") as f:
    data = f.read()
with open(sys.argv[2], "wb") as f:
    f.write(data.replace(b' FName="', b' FName="\\xe9'))
"""


def windows1252_copy(work, document):
    """The document with a byte that is not UTF-8 (an e acute in Windows-1252) in place of
    the first letter of every "FName" value, as a file written on Windows holds it. Made by
    another process: a child started from this one would count this one's peak as its own."""
    legacy = document[:-4] + "-1252.pgr"
    if not os.path.exists(legacy):
        subprocess.run([sys.executable, "-c", WINDOWS1252_COPY, document, legacy], check=True)
    return legacy


def default_generator():
    """Where gen_pim.py is unless the command line says otherwise."""
    repository = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    return os.environ.get("QUILLMATE_GEN_PIM") or os.path.join(
        repository, "..", "shared", "bench", "gen_pim.py")


def make_files(style, count, work, make, cli, generator):
    """The document, its persons as delimited text and that file's columns."""
    document = os.path.join(work, "%s-%d.pgr" % (style, count))
    persons = os.path.join(work, "%s-%d-persons.csv" % (style, count))
    columns = PERSON_COLUMNS
    if style == "generated":
        columns = GENERATED_COLUMNS
        if not os.path.exists(document):
            subprocess.run([sys.executable, generator, str(count), document], check=True)
        if not os.path.exists(persons):
            subprocess.run([sys.executable, generator, "--csv", str(count), persons], check=True)
        return document, persons, columns
    if not os.path.exists(document):
        subprocess.run([make, document, str(count), style], check=True)
    if not os.path.exists(persons):
        export_from_copy(cli, document, "persons", persons)
    return document, persons, columns


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("bin_dir")
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--count", type=int, default=100000)
    parser.add_argument("--keep", help="make the files in this folder and keep them")
    parser.add_argument("--cli", help="the quillmate-cli to time")
    parser.add_argument("--styles", default="uniform,varied,generated",
                        help="which documents to time, of uniform, varied and generated")
    parser.add_argument("--gen", default=default_generator(),
                        help="gen_pim.py, which writes the generated document")
    parser.add_argument("--without", default="",
                        help="yardsticks to leave out, of abook and calcurse (its import of "
                             "a large calendar takes many minutes)")
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
        left_out = args.without.split(",")
        abook = "abook" not in left_out and shutil.which("abook")
        calcurse = "calcurse" not in left_out and shutil.which("calcurse")
        print("%d records of each kind; medians and worst of %d runs taken in turns; TZ=%s" %
              (args.count, args.runs, os.environ["TZ"]))
        for style in args.styles.split(","):
            if style == "generated" and not os.path.isfile(args.gen):
                print("generated: skipped, %s not found (--gen or QUILLMATE_GEN_PIM)" % args.gen)
                continue
            document, persons, columns = make_files(style, args.count, work, make, cli,
                                                    args.gen)
            document_mb = os.path.getsize(document) / 1e6
            persons_mb = os.path.getsize(persons) / 1e6
            print("%s: document %.1f MB, persons file %.1f MB" % (style, document_mb, persons_mb))
            imports = compare("import vs Python csv",
                    ([cli, "import", "persons", target, persons, "--columns", columns],
                     lambda: shutil.copyfile(empty, target)),
                    ([python, "-c", CSV_READER, persons], None), args.runs)
            imported = os.path.join(work, "imported.pgr")
            shutil.copyfile(target, imported)
            floor = compare("floor: dd of its output",
                    (["dd", "if=" + imported, "of=" + os.path.join(work, "copy.pgr"), "bs=1M",
                      "conv=fsync", "status=none"], None),
                    ([python, "-c", CSV_READER, persons], None), args.runs)
            print("  import / floor           ratio %.2f (worst %.2f)" %
                  (imports[0] / floor[0], imports[1] / floor[1]))
            compare("info vs pugixml+walk", ([cli, "info", document], None),
                    ([pugixml, document], None), args.runs)
            if abook:
                cards = os.path.join(work, "%s-%d-persons.vcf" % (style, args.count))
                if not os.path.exists(cards):
                    export_from_copy(cli, document, "persons", cards)
                book = os.path.join(work, "abook-out")
                compare("vcard import vs abook",
                        ([cli, "import", "persons", target, cards],
                         lambda: shutil.copyfile(empty, target)),
                        ([abook, "--convert", "--informat", "vcard", "--infile", cards,
                          "--outformat", "abook", "--outfile", book],
                         lambda: os.path.exists(book) and os.remove(book)), args.runs)
            if calcurse:
                folder = calcurse_folder(work, style, args.count, cli, document, calcurse)
                export = [cli, "export", "calendar", with_uids(cli, document), "-", "--format",
                          "ical"]
                theirs = [calcurse, "-D", folder, "--read-only", "-x"]
                unset = {k: v for k, v in os.environ.items() if k != "TZ"}
                compare("ical vs calcurse, no TZ", (export, None), (theirs, None), args.runs,
                        unset)
                compare("ical vs calcurse, TZ", (export, None), (theirs, None), args.runs)
            peak = peak_mb(cli, document)
            print("  peak while loading     %.1f MB: x%.2f of the file" % (peak, peak / document_mb))
            legacy = windows1252_copy(work, document)
            peak = peak_mb(cli, legacy)
            print("  peak, Windows-1252     %.1f MB: x%.2f of the file" %
                  (peak, peak / (os.path.getsize(legacy) / 1e6)))
    finally:
        if not args.keep:
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
