#include "sync/SyncState.h"
#include "platform/Translate.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <span>
#include <system_error>

#include "fileio/AtomicFile.h"
#include "fileio/FileLock.h"
#include "fileio/PosixFile.h"
#include "fileio/UserFolders.h"
#include "sync/SyncFields.h"

namespace {

// The first form lists a record's fields by position; the second names each.
constexpr std::string_view kFirstHeader = "quillmate-sync-state 1";
constexpr const char* kHeader = "quillmate-sync-state 2";

// The fields of the first form, in its order.
constexpr std::string_view kFirstPersonFields[] = {
    "FName",    "LName", "Company", "Position", "Addr1",  "Addr2",    "City",
    "State",    "Zip",   "HmPhone", "WkPhone",  "WkExt",  "Fax",      "Pager",
    "CelPhone", "EMail", "WebPage", "Notes",    "Groups", "Birthday", "Anniversary"};
constexpr std::string_view kFirstAppointmentFields[] = {"Description", "StartTime", "EndTime",
                                                        "Alarm", "Schedule"};
constexpr std::string_view kFirstTaskFields[] = {"Description", "Priority", "DueDate", "DoneDate"};

std::span<const std::string_view> firstFormFields(RecordKind kind) {
    switch (kind) {
        case RecordKind::Person:
            return kFirstPersonFields;
        case RecordKind::Appointment:
            return kFirstAppointmentFields;
        case RecordKind::Task:
            return kFirstTaskFields;
    }
    return {};
}

// The record the values name, each set in the order of the kind's fields (an alarm reads
// against the start); a field the state does not name is empty.
SyncRecord recordOf(RecordKind kind, const std::map<std::string_view, std::string>& values) {
    SyncRecord record = SyncRecord::blank(kind);
    for (const SyncField& field : syncFields(kind)) {
        const auto it = values.find(field.key);
        field.setText(record, it != values.end() ? it->second : std::string());
    }
    return record;
}

// The fields of a record line of the first form, by position; false when they do not fit.
bool readFirstForm(RecordKind kind, const std::vector<std::string>& c, SyncRecord& base) {
    std::vector<std::string> values(c.begin() + 3, c.end());
    const size_t all = firstFormFields(kind).size();
    // A state written before persons had a birthday and anniversary had neither; one
    // written before appointments held their schedule held none.
    if (kind == RecordKind::Person && values.size() + 2 == all) values.resize(all);
    if (kind == RecordKind::Appointment && values.size() + 1 == all) values.resize(all);
    if (values.size() != all) return false;
    std::map<std::string_view, std::string> named;
    for (size_t i = 0; i < all; ++i)
        named[firstFormFields(kind)[i]] = std::move(values[i]);
    base = recordOf(kind, named);
    return true;
}

// The fields of a record line of the second form: "key=value" each, the empty ones left out.
bool readNamed(RecordKind kind, const std::vector<std::string>& c, SyncRecord& base) {
    std::map<std::string_view, std::string> named;
    for (size_t i = 3; i < c.size(); ++i) {
        const size_t equals = c[i].find('=');
        if (equals == std::string::npos) return false;
        // A field this program no longer holds is dropped; one it holds is kept by its key.
        if (const SyncField* field = syncField(kind, std::string_view(c[i]).substr(0, equals)))
            named[field->key] = c[i].substr(equals + 1);
    }
    base = recordOf(kind, named);
    return true;
}

// Tabs, line breaks and percent signs would break the lines and columns of the file.
std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '%' || c == '\t' || c == '\n' || c == '\r') {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
            out += code;
        } else {
            out += c;
        }
    }
    return out;
}

std::string unescaped(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(
                std::strtol(std::string(text.substr(i + 1, 2)).c_str(), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string> columns(std::string_view line) {
    std::vector<std::string> out;
    while (true) {
        const size_t tab = line.find('\t');
        out.push_back(unescaped(line.substr(0, tab)));
        if (tab == std::string_view::npos) return out;
        line.remove_prefix(tab + 1);
    }
}

bool readState(const std::string& text, SyncState& state) {
    size_t from = 0;
    bool first = true;
    bool positional = false;
    CollectionState* collection = nullptr;
    SyncedItem* item = nullptr;
    while (from < text.size()) {
        const size_t end = std::min(text.find('\n', from), text.size());
        const std::string_view line(text.data() + from, end - from);
        from = end + 1;
        if (first) {
            positional = line == kFirstHeader;
            if (!positional && line != kHeader) return false;
            first = false;
            continue;
        }
        const std::vector<std::string> c = columns(line);
        if (c[0] == "A" && c.size() == 2) {
            state.foundFor = c[1];
        } else if (c[0] == "U" && c.size() == 2) {
            state.account = c[1];
        } else if (c[0] == "C" && (c.size() == 4 || c.size() == 5)) {
            collection = &state.collections[c[1]];
            collection->url = c[2];
            collection->token = c[3];
            collection->readOnly = c.size() == 5 && c[4] == "r";
            item = nullptr;
        } else if (c[0] == "I" && c.size() == 5 && collection != nullptr) {
            item = &collection->items[c[1]];
            item->etag = c[2];
            item->uid = c[3];
            item->recurring = c[4] == "1";
        } else if (c[0] == "R" && c.size() >= 3 && item != nullptr) {
            SyncedRecord record;
            if (c[1].size() != 1 || !kindOfLetter(c[1][0], record.kind)) return false;
            record.id = std::atoi(c[2].c_str());
            const bool read = positional ? readFirstForm(record.kind, c, record.base)
                                         : readNamed(record.kind, c, record.base);
            if (record.id <= 0 || !read) return false;
            item->records.push_back(std::move(record));
        } else if (!line.empty()) {
            return false;
        }
    }
    return !first;
}

}  // namespace

std::string syncStatePath(const std::string& documentPath) {
    return userStateFolder() + "/sync/" + documentKeyedName(documentPath) + ".state";
}

Status loadSyncState(const std::string& path, SyncState& state, std::string& warning) {
    state = SyncState();
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return {};
    std::string text;
    if (Status read = readWholeFile(path, text); !read) return read;
    if (!readState(text, state)) {
        state = SyncState();
        warning = path + ": " + _("the sync state cannot be read; every item is compared anew");
    }
    return {};
}

Status saveSyncState(const std::string& path, const SyncState& state) {
    // The state holds a copy of every synced record: the user's alone, like the backups.
    const std::string folder = std::filesystem::path(path).parent_path().string();
    if (const std::string problem = makePrivateFolder(folder); !problem.empty())
        return Status::failure(FailureKind::Write, path,
                               fillIn(_("cannot make its folder: %s"), {problem}));
    // A folder made wider by an earlier version is the program's own: it is narrowed.
    (void)chmod(folder.c_str(), 0700);
    std::string text = std::string(kHeader) + "\n";
    if (!state.foundFor.empty()) text += "A\t" + escaped(state.foundFor) + "\n";
    if (!state.account.empty()) text += "U\t" + escaped(state.account) + "\n";
    for (const auto& [name, collection] : state.collections) {
        // The column of a read-only collection only when it is one, as older states hold.
        text += "C\t" + escaped(name) + "\t" + escaped(collection.url) + "\t" +
                escaped(collection.token) + (collection.readOnly ? "\tr" : "") + "\n";
        for (const auto& [href, item] : collection.items) {
            text += "I\t" + escaped(href) + "\t" + escaped(item.etag) + "\t" + escaped(item.uid) +
                    "\t" + (item.recurring ? "1" : "0") + "\n";
            for (const SyncedRecord& record : item.records) {
                text +=
                    std::string("R\t") + kindLetter(record.kind) + "\t" + std::to_string(record.id);
                for (const SyncField& field : syncFields(record.kind)) {
                    if (std::string value = field.text(record.base); !value.empty())
                        text += "\t" + std::string(field.key) + "=" + escaped(value);
                }
                text += "\n";
            }
        }
    }
    WriteOptions options;
    options.permissions = 0600;
    return writeFileAtomically(path, text, options);
}

Status lockSyncOf(const std::string& documentPath, FileLock& lock) {
    const std::string file = syncStatePath(documentPath) + ".lock";
    const std::string folder = std::filesystem::path(file).parent_path().string();
    if (const std::string problem = makePrivateFolder(folder); !problem.empty())
        return Status::failure(FailureKind::Write, file,
                               fillIn(_("cannot make its folder: %s"), {problem}));
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0) return fileFailure(FailureKind::Write, file, errno);
    ::close(fd);
    const Status locked = lock.lock(file, std::chrono::milliseconds(0));
    if (locked.kind() != FailureKind::Busy) return locked;
    return Status::failure(FailureKind::Busy, documentPath,
                           _("another sync of this document is under way; try again once it "
                             "is done"));
}
