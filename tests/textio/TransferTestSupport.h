#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "textio/TextTransferSpec.h"

// A fresh directory under the system's temporary directory, removed with its contents.
class TempDir {
public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qm-textio-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] std::string file(const std::string& name) const {
        return (path_ / name).string();
    }

private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Sunday 6 December 2026, 10:00, the moment every transfer test runs at.
inline LocalTime testNow() {
    return LocalTime{2026, 12, 6, 10, 0, 0, 0};
}

// A spec of `kind` reading or writing the named columns with the given characters.
inline TextTransferSpec transferSpec(bool forImport, TransferKind kind,
                                     std::vector<std::string> columns, bool header = true,
                                     std::string separator = ",", std::string encloser = "\"") {
    TextTransferSpec spec = forImport ? makeImportSpec(kind) : makeExportSpec(kind);
    spec.columnFields = std::move(columns);
    spec.columnCount = forImport ? static_cast<int32_t>(spec.columnFields.size()) : 0;
    spec.firstLineHasNames = header;
    spec.separator = std::move(separator);
    spec.encloser = std::move(encloser);
    return spec;
}

inline Appointment appointmentAt(const std::string& text, DateTime start, DateTime end) {
    Appointment a = Appointment::createdAt(start);
    a.Description = text;
    a.DueDate = start.date();
    a.StartTime = start;
    a.EndTime = end;
    a.AlarmTime = start;
    return a;
}

inline Person personNamed(const std::string& first, const std::string& last) {
    Person p;
    p.FName = first;
    p.LName = last;
    return p;
}
