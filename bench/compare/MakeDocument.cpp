// Writes a document for the comparison of bench/compare.sh to load and import into.
//   make_document FILE COUNT uniform   COUNT persons, tasks and appointments of one shape
//                                      each, as the text benchmark exports them
//   make_document FILE COUNT varied    the same counts from the document benchmark's
//                                      generator: everyday lengths, notes of 1 to 4 lines
//   make_document FILE 0 empty         a new document (the groups only)
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "DocumentGenerator.h"
#include "TransferRecords.h"
#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"

int main(int argc, char** argv) {
    const std::string_view style = argc == 4 ? argv[3] : "";
    if (style != "uniform" && style != "varied" && style != "empty") {
        std::fputs("usage: make_document FILE COUNT uniform|varied|empty\n", stderr);
        return 2;
    }
    const auto count = std::strtoul(argv[2], nullptr, 10);
    SystemClock clock;
    PimDocument document(clock);
    if (style == "varied") {
        generateDocument(document, count);
    } else {
        PimContents contents;
        contents.seedDefaultGroups();
        for (const TransferKind kind :
             {TransferKind::Persons, TransferKind::Tasks, TransferKind::Appointments})
            addTransferRecords(contents, kind, style == "empty" ? 0 : static_cast<int>(count));
        document.adoptContents(std::move(contents));
    }
    if (const Status saved = saveDocument(document, argv[1]); !saved) {
        std::fprintf(stderr, "make_document: %s\n", saved.message().c_str());
        return 1;
    }
    return 0;
}
