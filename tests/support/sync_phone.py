#!/usr/bin/python3
"""A second client of the test server, standing in for a phone: plain WebDAV for
address books, python3-caldav for calendars. Only ever talks to 127.0.0.1.

usage: sync_phone.py URL COMMAND ARGS...
  mkaddressbook PATH NAME     make an address book
  put PATH FILE               store a resource (a .vcf) from a file
  get PATH                    print a resource
  delete PATH                 delete a resource
  list PATH                   print the hrefs of a collection, one a line
  mkcalendar NAME             make a calendar, print its URL
  save CALURL FILE            store an event or to-do (an .ics file) through caldav
  events CALURL               print every calendar object's text, separated by a line "--"
"""
import os
import sys
import urllib.parse
from xml.etree import ElementTree

import requests

USER = "alice"
PASSWORD = os.environ.get("SYNC_PHONE_PASSWORD", "x")


def main():
    base, command, args = sys.argv[1], sys.argv[2], sys.argv[3:]
    assert urllib.parse.urlparse(base).hostname == "127.0.0.1"
    auth = (USER, PASSWORD)
    url = lambda path: urllib.parse.urljoin(base, path)
    if command == "mkaddressbook":
        body = ('<?xml version="1.0"?><d:mkcol xmlns:d="DAV:" '
                'xmlns:a="urn:ietf:params:xml:ns:carddav"><d:set><d:prop><d:resourcetype>'
                '<d:collection/><a:addressbook/></d:resourcetype><d:displayname>%s'
                '</d:displayname></d:prop></d:set></d:mkcol>' % args[1])
        r = requests.request("MKCOL", url(args[0]), data=body, auth=auth)
    elif command == "put":
        with open(args[1], "rb") as f:
            r = requests.put(url(args[0]), data=f.read(), auth=auth,
                             headers={"Content-Type": "text/vcard"})
    elif command == "get":
        r = requests.get(url(args[0]), auth=auth)
        sys.stdout.write(r.text)
    elif command == "delete":
        r = requests.delete(url(args[0]), auth=auth)
    elif command == "list":
        body = '<propfind xmlns="DAV:"><prop><getetag/></prop></propfind>'
        r = requests.request("PROPFIND", url(args[0]), data=body, auth=auth,
                             headers={"Depth": "1"})
        for response in ElementTree.fromstring(r.content).findall("{DAV:}response"):
            href = response.findtext("{DAV:}href")
            if href.rstrip("/") != args[0].rstrip("/"):
                print(href)
    else:
        import caldav
        client = caldav.DAVClient(url=base, username=USER, password=PASSWORD)
        if command == "mkcalendar":
            print(client.principal().make_calendar(name=args[0]).url)
        elif command == "save":
            with open(args[1]) as f:
                text = f.read()
                calendar = client.calendar(url=args[0])
                if "BEGIN:VTODO" in text:
                    calendar.save_todo(text)
                else:
                    calendar.save_event(text)
        elif command == "events":
            calendar = client.calendar(url=args[0])
            for item in calendar.events() + calendar.todos(include_completed=True):
                print(item.data)
                print("--")
        return
    if r.status_code >= 300:
        sys.exit("%s %s: %d" % (command, args[0], r.status_code))


main()
