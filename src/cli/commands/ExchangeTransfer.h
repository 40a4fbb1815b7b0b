#pragma once

#include <string>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/commands/TransferFormat.h"

// What an export or import in vCard or iCalendar was asked to do.
struct ExchangeRequest {
    TransferFormat format = TransferFormat::VCard;
    std::string kind;          // "persons", "tasks", "appointments" or "calendar"
    std::string documentPath;  // DOC
    std::string file;          // OUT or IN; "-" for the standard streams
    const CliArgs* args = nullptr;
};

// Checks that the kind of records fits the format and that only the options of the format
// are given; a usage failure otherwise.
Status checkExchangeRequest(const ExchangeRequest& request, bool forImport);

// Writes the records of the document as vCard (persons, all or --group NAME, --vcard 3 or 4)
// or iCalendar (appointments, tasks, or both for "calendar").
Status exportExchange(CliContext& context, const ExchangeRequest& request);

// Adds the persons of a vCard file, or the appointments and tasks of an iCalendar file, to
// the document, which is locked meanwhile and saved when anything was added, and prints
// what was added and skipped.
Status importExchange(CliContext& context, const ExchangeRequest& request);
