#include "sync/SyncState.h"
#include "platform/Translate.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "fileio/AtomicFile.h"
#include "fileio/UserFolders.h"

namespace {

constexpr const char* kHeader = "quillmate-sync-state 1";

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
    CollectionState* collection = nullptr;
    SyncedItem* item = nullptr;
    while (from < text.size()) {
        const size_t end = std::min(text.find('\n', from), text.size());
        const std::string_view line(text.data() + from, end - from);
        from = end + 1;
        if (first) {
            if (line != kHeader) return false;
            first = false;
            continue;
        }
        const std::vector<std::string> c = columns(line);
        if (c[0] == "A" && c.size() == 2) {
            state.foundFor = c[1];
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
            record.base.assign(c.begin() + 3, c.end());
            // A state written before persons had a birthday and anniversary had neither.
            if (record.kind == RecordKind::Person &&
                record.base.size() + 2 == fieldNames(record.kind).size())
                record.base.resize(record.base.size() + 2);
            // States written before appointments held their schedule: they held none.
            if (record.kind == RecordKind::Appointment &&
                record.base.size() == kAppointmentScheduleField)
                record.base.emplace_back();
            if (record.id <= 0 || record.base.size() != fieldNames(record.kind).size())
                return false;
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
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (error)
        return Status::failure(FailureKind::Write, path,
                               fillIn(_("cannot make its folder: %s"), {error.message()}));
    std::string text = std::string(kHeader) + "\n";
    if (!state.foundFor.empty()) text += "A\t" + escaped(state.foundFor) + "\n";
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
                for (const std::string& field : record.base)
                    text += "\t" + escaped(field);
                text += "\n";
            }
        }
    }
    return writeFileAtomically(path, text);
}
