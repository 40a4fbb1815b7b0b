#pragma once

#include <QApplication>

#include "workspace/DocumentStorage.h"

// Shows the wait cursor while another storage reads or writes a document.
class WaitCursorStorage : public DocumentStorage {
public:
    explicit WaitCursorStorage(DocumentStorage& inner) : inner_(inner) {}

    Status load(PimDocument& document, const std::string& path) override {
        const Busy busy;
        return inner_.load(document, path);
    }
    Status save(const PimDocument& document, const std::string& path, SaveMode mode) override {
        const Busy busy;
        return inner_.save(document, path, mode);
    }
    std::optional<FileStamp> knownStamp(const std::string& path) const override {
        return inner_.knownStamp(path);
    }
    std::string takeNotice() override { return inner_.takeNotice(); }

private:
    struct Busy {
        Busy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
        ~Busy() { QApplication::restoreOverrideCursor(); }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;
    };

    DocumentStorage& inner_;
};
