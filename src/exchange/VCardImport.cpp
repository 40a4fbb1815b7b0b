#include "exchange/VCardImport.h"
#include "platform/Translate.h"

#include <new>
#include <optional>

#include "exchange/KnownPersons.h"
#include "exchange/VCardLine.h"
#include "exchange/VCardLineReader.h"
#include "exchange/VCardPersonBuilder.h"
#include "fileio/AtomicFile.h"
#include "fileio/FileBytes.h"
#include "fileio/TextEncoding.h"
#include "records/PimDocument.h"
#include "records/Trimmed.h"
#include "textio/GroupFiling.h"
#include "textio/PersonImport.h"

namespace {

// `knownUtf8` when the bytes are known to be UTF-8 without a zero byte.
VCardImportResult importCards(PimDocument& document, std::string_view bytes, bool knownUtf8) {
    VCardImportResult result;
    std::string converted;
    const bool unicode = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    if (unicode) converted = utf16ToUtf8(bytes.substr(2), bytes[0] == '\xFE');
    const std::string_view text = unicode ? std::string_view(converted) : withoutUtf8Bom(bytes);
    // One look at the whole text spares one at each of its values.
    const VCardPersonBuilder::TextFacts facts{unicode, !unicode && (knownUtf8 || isValidUtf8(text)),
                                              holdsStrayControls(text)};

    const KnownPersons known(document.persons());
    GroupFiling filing(document);
    NewRecords<Person> persons(document.persons());
    VCardPersonBuilder builder;
    VCardLineReader reader(text);
    VCardLine line;
    std::string_view content;
    int depth = 0;
    size_t cardLine = 0;
    bool sawCard = false;
    while (reader.next(content)) {
        if (!parseVCardLine(content, reader.lineNumber(), line)) continue;
        if (isCardBoundary(line, "BEGIN")) {
            if (depth++ == 0) {
                builder.reset(VCardEscaping::Backslash);
                cardLine = line.lineNumber;
                sawCard = true;
            }
            continue;
        }
        if (depth == 0) continue;
        if (isCardBoundary(line, "END")) {
            if (--depth > 0) continue;
            Person person;
            if (!completeImportedPerson(person, builder.takeTexts().views())) {
                result.skipped.push_back({cardLine, _("no name or company")});
                continue;
            }
            person.uid = builder.uid();
            person.Birthday = builder.birthday();
            person.Anniversary = builder.anniversary();
            // Only what the document held before counts: two equal cards of the file are two
            // persons of the address book they came from.
            if (known.holds(person)) {
                result.skipped.push_back({cardLine, _("already in the document")});
                ++result.alreadyThere;
                continue;
            }
            person.PhGroups = filing.groupsOf(builder.categories());
            if (!persons.add(std::move(person))) {
                result.skipped.push_back({cardLine, _("no identifier left")});
                continue;
            }
            ++result.added;
            result.valuesLeftOut += builder.valuesLeftOut();
        } else if (depth == 1) {
            // Cards inside a card (an agent's) are not persons of the address book.
            if (line.name == "VERSION")
                builder.setEscaping(trimmed(line.value, " \t").starts_with("2.")
                                        ? VCardEscaping::Version21
                                        : VCardEscaping::Backslash);
            else
                builder.take(line, facts);
        }
    }
    if (depth > 0) result.skipped.push_back({cardLine, _("the card has no END:VCARD line")});
    if (!sawCard && text.find_first_not_of(" \t\r\n") != std::string_view::npos) {
        result.status = Status::failure(FailureKind::Content, "",
                                        _("no vCard in the file (no BEGIN:VCARD line)"));
        return result;
    }
    result.groupsAdded = static_cast<int32_t>(filing.added.size());
    document.addTogether(std::move(filing.added), std::move(persons));
    return result;
}

// importVCardText, with what is known of the bytes' encoding.
VCardImportResult importDecoded(PimDocument& document, std::string_view bytes, bool knownUtf8) {
    try {
        return importCards(document, bytes, knownUtf8);
    } catch (const std::bad_alloc&) {
        // Everything goes into the document at the end, so a failure before adds nothing.
        VCardImportResult result;
        result.status = Status::failure(FailureKind::Read, "", _("not enough memory to import it"));
        return result;
    }
}

}  // namespace

VCardImportResult importVCardText(PimDocument& document, std::string_view bytes) {
    return importDecoded(document, bytes, false);
}

VCardImportResult importVCardFile(PimDocument& document, const std::string& path) {
    // Read into memory of its own: a copy into a string would clear and fill as much again.
    FileBytes bytes;
    if (Status read = readWholeFile(path, bytes); !read) {
        VCardImportResult result;
        result.status = std::move(read);
        return result;
    }
    // The reading looked at the encoding already.
    const std::optional<Utf8Scan>& scan = bytes.utf8Scan();
    const bool knownUtf8 = scan && scan->valid && scan->length == bytes.size();
    VCardImportResult result = importDecoded(document, bytes.view(), knownUtf8);
    result.status = result.status.inFile(path);
    return result;
}

ImportTally vcardTally(const VCardImportResult& result, const std::string& file) {
    ImportTally tally = delimitedTally(TransferKind::Persons, result, file);
    tally.skippedCount = NP_("%d card", "%d cards");
    tally.sayNoneSkipped = true;
    if (result.groupsAdded > 0)
        tally.alsoAdded.push_back(
            countText(NP_("%d group", "%d groups"), size_t(result.groupsAdded)));
    if (const auto there = static_cast<unsigned long>(result.alreadyThere); there > 0)
        tally.note = fillIn(P_("%s of them was already in the document",
                               "%s of them were already in the document", there),
                            {std::to_string(there)});
    if (result.valuesLeftOut > 0) {
        tally.leftOut.push_back(countText(
            NP_("%d value with no field of its own", "%d values with no field of their own"),
            size_t(result.valuesLeftOut)));
    }
    return tally;
}
