#!/usr/bin/env python3
"""Fails naming FILE:LINE for every text in src/ that reads as words shown to a user but is
not marked for translation with _(), N_(), C_() or P_().

A literal counts as shown text when it holds words with a space between them, or is one
capitalised word ("Cancel", "&Delete"); identifiers, keys, tokens and command-line syntax
("Files/OpenLastFile", "FirstName", "BEGIN:VCARD", "wp.left", "DOC [--group NAME]") do not. Format tokens that read like words are listed in the
allowlist beside this script, by file or by file and text."""
import pathlib
import re
import sys

MARKERS = ("_", "N_", "P_", "C_", "NC_", "NP_")
# Calls whose text argument is never shown: keys, names of objects, log lines for developers.
UNSHOWN_CALLS = ("setObjectName", "Q_ARG", "SIGNAL", "SLOT",
                 "property", "setProperty", "getenv", "qputenv", "qgetenv", "static_assert",
                 "qDebug", "qWarning", "fopen", "#include", "extern", "Q_DECLARE",
                 "QRegularExpression", "inherits", "findChild", "findChildren",
                 "QSettings", "value", "setValue")
WORD = re.compile(r"[A-Za-z]{2,}")
PROSE = re.compile(r"[A-Za-z]{2,}[,.:;!?']?\s+[A-Za-z(\"%]|^[A-Z][a-z]+\b|[a-z]{2,}[.!?:]$")
# One capitalised word, perhaps with a mnemonic or dots: "Cancel", "&Delete", "Open...".
WORD_SHOWN = re.compile(r"^&?[A-Z]&?[a-z]+(&[a-z]+)*[a-z]*(\.\.\.|:)?$")
TOKEN = re.compile(r"^[A-Za-z0-9_.\-/:+@#=%*\[\]$]*$")  # one word with no space: a key or token


def literals(text):
    """(line, column of the opening quote, value) for each string literal, comments skipped."""
    i, line, n = 0, 1, len(text)
    while i < n:
        c = text[i]
        if c == "\n":
            line += 1
        elif text.startswith("//", i):
            i = text.find("\n", i)
            if i < 0:
                return
            continue
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            line += text.count("\n", i, end)
            i = end + 2
            continue
        elif c == "'":
            m = re.match(r"'(\\.|[^\\'])*'", text[i:])
            if m:
                i += m.end()
                continue
        elif c == '"':
            raw = re.match(r'R"([^(]*)\(', text[max(0, i - 1):i + 20]) if i and text[i - 1] == "R" else None
            if raw:
                close = ")" + raw.group(1) + '"'
                end = text.find(close, i)
                yield line, i, text[i + 1 + len(raw.group(1)) + 1:end]
                line += text.count("\n", i, end)
                i = end + len(close)
                continue
            j = i + 1
            while j < n and text[j] != '"':
                j += 2 if text[j] == "\\" else 1
            yield line, i, text[i + 1:j]
            i = j + 1
            continue
        i += 1


def masked(text):
    """The text with the insides of string literals blanked, so that their brackets do not count."""
    chars = list(text)
    for _line, pos, value in literals(text):
        for k in range(pos + 1, min(pos + 1 + len(value), len(chars))):
            if chars[k] != "\n":
                chars[k] = "x"
    return "".join(chars)


def call_before(text, pos):
    """The name of the call or directive whose argument list holds the literal at pos."""
    depth, j = 0, pos - 1
    while j >= 0:
        c = text[j]
        if c == ")":
            depth += 1
        elif c == "(":
            if depth == 0:
                m = re.search(r"([A-Za-z_][A-Za-z0-9_:]*)\s*$", text[max(0, j - 80):j])
                return m.group(1).split("::")[-1] if m else ""
            depth -= 1
        elif c in ";{}" and depth == 0:
            return ""
        elif c == "\n" and text[j + 1:pos].lstrip().startswith("#"):
            return text[j + 1:pos].lstrip().split()[0]
        j -= 1
    return text[:pos].lstrip().split()[0] if text[:pos].lstrip().startswith("#") else ""


def synopsis(value):
    """Command-line syntax: option names, choices (a|b) and PLACEHOLDERS, no prose."""
    if not re.search(r"[-|\[]", value):
        return False
    words = re.split(r"[\s\[\]\"]+", value)
    return not any(re.search(r"[a-z]{2,}", w) for w in words if not w.startswith("-") and "|" not in w)


def shown(value):
    value = value.replace("\\n", " ").replace("\\t", " ").replace('\\"', '"')
    if WORD_SHOWN.match(value):
        return True
    if re.search(r"<[?/!a-zA-Z]|\{ ", value):  # markup, a request or a style sheet
        return False
    if not WORD.search(value) or TOKEN.match(value) or synopsis(value):
        return False
    return bool(PROSE.search(value.strip()))


def load_allowlist(path):
    files, word_files, texts = set(), set(), set()
    for raw in path.read_text(encoding="utf-8").splitlines():
        entry = raw.split("  #", 1)[0]
        if not entry.strip() or entry.startswith("#"):
            continue
        if "\t" in entry:  # the text is taken as it stands, spaces and all
            where, value = entry.split("\t", 1)
            texts.add((where.strip(), value))
        elif entry.endswith(" words"):
            word_files.add(entry[:-len(" words")].strip())
        else:
            files.add(entry.strip())
    return files, word_files, texts


def main():
    root = pathlib.Path(sys.argv[1])
    allow_files, word_files, allow_texts = load_allowlist(pathlib.Path(__file__).with_name("unmarked_allowlist.txt"))
    faults = []
    for path in sorted(root.joinpath("src").rglob("*")):
        if path.suffix not in (".cpp", ".h"):
            continue
        rel = path.relative_to(root).as_posix()
        if any(rel == f or (f.endswith("/") and rel.startswith(f)) for f in allow_files):
            continue
        text = path.read_text(encoding="utf-8")
        blanked = masked(text)
        for line, pos, value in literals(text):
            if not shown(value) or (rel, value) in allow_texts or ("*", value) in allow_texts:
                continue
            if rel in word_files and " " not in value:
                continue
            call = call_before(blanked, pos)
            if call in MARKERS or call in UNSHOWN_CALLS:
                continue
            faults.append(f"{rel}:{line}: text not marked for translation: \"{value}\"")
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} unmarked texts", file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
