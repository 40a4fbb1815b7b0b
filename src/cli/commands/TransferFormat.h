#pragma once

#include <string>

#include "cli/CliArgs.h"
#include "platform/Status.h"

// The kinds of file export and import move records through.
enum class TransferFormat { DelimitedText, VCard, ICalendar };

// The format named by --format, or else the one the file's extension names (.vcf and .vcard
// are vCard, .ics and .ical iCalendar, anything else, and "-", delimited text). An unknown
// --format is a usage failure.
Status chooseTransferFormat(const CliArgs& args, const std::string& file, TransferFormat& format);
