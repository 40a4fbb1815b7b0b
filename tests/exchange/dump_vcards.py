"""Prints what python3-vobject reads from a vCard file, one "name=value" line per value, so
that a test can compare it with the records the cards were written from."""
import json
import sys

import vobject


def values(card, name):
    return card.contents.get(name, [])


def main(path):
    with open(path, encoding="utf-8", newline="") as f:
        text = f.read()
    for card in vobject.readComponents(text):
        print("card " + card.version.value)
        name = card.n.value
        print("n=" + json.dumps([name.family, name.given], ensure_ascii=False))
        print("fn=" + json.dumps(card.fn.value, ensure_ascii=False))
        for org in values(card, "org"):
            print("org=" + json.dumps(org.value, ensure_ascii=False))
        for title in values(card, "title"):
            print("title=" + json.dumps(title.value, ensure_ascii=False))
        for adr in values(card, "adr"):
            a = adr.value
            print("adr=" + json.dumps([a.street, a.city, a.region, a.code], ensure_ascii=False))
        for tel in values(card, "tel"):
            types = ",".join(t.lower() for t in tel.params.get("TYPE", []))
            print("tel " + types + "=" + json.dumps(tel.value, ensure_ascii=False))
        for name in ("email", "url", "note"):
            for item in values(card, name):
                print(name + "=" + json.dumps(item.value, ensure_ascii=False))
        for categories in values(card, "categories"):
            print("categories=" + json.dumps(categories.value, ensure_ascii=False))


if __name__ == "__main__":
    main(sys.argv[1])
