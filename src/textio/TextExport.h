#pragma once

#include <cstdint>
#include <string>

#include "platform/Status.h"
#include "textio/TextTransferSpec.h"

class Locale;
struct Appointment;
class PimDocument;

// What an export wrote.
struct ExportResult {
    int32_t records = 0;  // record lines written
    Status status;        // whether the file is in place
    std::string note;     // what the user should know of what was written; "" for nothing
};

// The delimited text of one collection: a header line of the chosen names when
// `spec.firstLineHasNames`, then one line per record in ascending ID, each line ended by
// a line feed. The columns are those of `spec.columnFields`, in its order.
// Non-empty values stand between enclosers, doubled inside; empty values are left out.
// An empty collection gives an empty text, header or not. `records` receives the count.
//
// A text file holds single appointments: a repeating one is written as its occurrences
// that start from a year before today up to two years after, each a line of its own in
// start order, and `note` receives a sentence naming that range ("" when no appointment
// repeats).
[[nodiscard]] std::string exportText(TransferKind kind, const PimDocument& document,
                                     const TextTransferSpec& spec, const Locale& locale,
                                     int32_t* records = nullptr, std::string* note = nullptr);

// Writes the text of exportText to `spec.fileName` in one atomic step: a failed export
// leaves whatever file was there before.
ExportResult exportFile(TransferKind kind, const PimDocument& document,
                        const TextTransferSpec& spec, const Locale& locale);

// The minutes of warning an appointment's alarm gives, as the export writes them: 0 without
// alarm or with an alarm after the start, at most 60.
[[nodiscard]] int alarmWarningMinutes(const Appointment& appointment);
