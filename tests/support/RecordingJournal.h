#pragma once

#include <optional>
#include <utility>

#include "records/DocumentEdit.h"

// Keeps the last reversal a document hands out, and counts them.
struct RecordingJournal : EditJournal {
    bool recorded(DocumentEdit reversal) override {
        last = std::move(reversal);
        ++count;
        return false;
    }
    void saved() override {}
    void contentsReplaced() override { ++replaced; }

    std::optional<DocumentEdit> last;
    int count = 0;
    int replaced = 0;
};
