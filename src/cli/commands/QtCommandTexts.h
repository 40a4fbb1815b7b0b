#pragma once

#include "platform/Translate.h"

// The usage and summary of the commands that need more of Qt than its core (fonts and PDF
// writing; the network and the keyring). quillmate-cli lists them with every other command
// but hands them to quillmate-cli-qt to run, so that the rest start without those libraries.

inline constexpr const char* kReportUsage =
    "daily-plan|daily-tasks|daily-appointments|weekly|monthly|phonebook|envelopes DOC -o PDF|- "
    "[--date YYYY-MM-DD] [--group NAME] [--paper letter|a4] [--margins L,T,R,B] [--font FACE] "
    "[--size PT]";
// TRANSLATORS: "All", "White Pages" and "Yellow Pages" name groups in the document,
// which keep these English names in every language.
inline constexpr const char* kReportSummary =
    N_("draw a report of DOC into the PDF file PDF (standard output for -): the daily plan, "
       "tasks or appointments of a date (today unless --date), the weekly or monthly plan "
       "around it, or the phone book or envelopes of every person of an address-book group "
       "(\"All\" unless --group); margins in thousandths of an inch");

inline constexpr const char* kSyncUsage =
    "DOC --url URL [--user NAME] [--password-file FILE] [--addressbook NAME|URL] "
    "[--calendar NAME|URL] [--prefer here|server] [--dry-run]";
inline constexpr const char* kSyncSummary =
    N_("sync the persons of DOC with a CardDAV address book and its appointments and tasks with "
       "a CalDAV calendar, both ways: URL is the server, an account or a collection; the first "
       "address book and calendar unless named (one called \"Quillmate\" is made where there is "
       "none); the password from FILE or $QUILLMATE_PASSWORD, else the desktop's keyring entry "
       "the window keeps for URL and NAME; where both sides changed a field, --prefer says "
       "whose value is kept (the server's unless here); --dry-run tells what it would do");

// The file name of the program that runs them.
inline constexpr const char* kQtCommandsProgram = "quillmate-cli-qt";
