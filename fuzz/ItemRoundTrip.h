#pragma once
// What the item targets share: a server item read, our record written into it, and the
// result read again. Sync relies on the patched item reading back as exactly the record it
// sent (the fields it changed as it changed them, the others as the server had them):
// otherwise the next sync sees a change that nobody made, or loses one.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>

#include "sync/ItemCodec.h"
#include "sync/SyncFields.h"

// Whether the text holds a control character but tabs and line breaks.
inline bool holdsControl(std::string_view text) {
    return std::ranges::any_of(text, [](char c) {
        return (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n') ||
               c == '\x7f';
    });
}

// Whether a field of the record holds one.
inline bool holdsControl(const SyncRecord& record) {
    return std::ranges::any_of(fieldTexts(record),
                               [](const std::string& text) { return holdsControl(text); });
}

// Whether the text holds a carriage return without its line feed, which readers take for a
// line's end or not.
inline bool holdsLoneReturn(std::string_view text) {
    for (size_t at = text.find('\r'); at != std::string_view::npos; at = text.find('\r', at + 1)) {
        if (at + 1 == text.size() || text[at + 1] != '\n') return true;
    }
    return false;
}

// Names the fields that came back otherwise, then stops the run.
[[noreturn]] inline void mismatch(const char* what, const std::string& text, const ParsedItem& back,
                                  const SyncRecord& sent) {
    std::fprintf(stderr, "%s read back otherwise:\n", what);
    std::fwrite(text.data(), 1, text.size(), stderr);
    if (back.records.size() != 1) {
        std::fprintf(stderr, "%zu records (%s)\n", back.records.size(), back.error.c_str());
    } else {
        const auto fields = syncFields(sent.kind());
        for (const SyncField& field : fields) {
            const std::string want = field.text(sent), got = field.text(back.records[0].record);
            if (want != got)
                std::fprintf(stderr, "%.*s: sent [%s] read [%s]\n", int(field.key.size()),
                             field.key.data(), want.c_str(), got.c_str());
        }
    }
    std::abort();
}

// The record `server` reads as, with the fields `mask` picks set as in `ours`, written into
// `server` and read back; aborts when it reads back otherwise. A new item holding the record
// alone must read back the same too. The fields `together` change together or not at all, as
// an appointment's start, end and schedule do: one without the others is no appointment.
// `loneReturnsRead`: the codec reads a lone carriage return the same in any item.
inline void checkPatch(const ItemCodec& codec, std::string_view server, const SyncRecord& read,
                       const SyncRecord& ours, uint32_t mask,
                       std::initializer_list<std::string_view> together = {},
                       bool loneReturnsRead = false) {
    const auto fields = syncFields(read.kind());
    FieldKeys changed;
    for (size_t i = 0; i < fields.size() && i < 32; ++i) {
        if ((mask >> i & 1) == 0) continue;
        changed.insert(fields[i].key);
        if (std::ranges::find(together, fields[i].key) != together.end())
            changed.insert(together.begin(), together.end());
    }
    // Sync builds a record from all its fields' texts in order, so that an alarm counts from
    // the start set before it: the one sent is built so too.
    SyncRecord sent = read;
    for (const SyncField& field : fields)
        field.setText(sent, field.text(changed.contains(field.key) ? ours : read));
    const std::string patched = codec.write(server, sent, changed, "fuzz-uid");
    // Control characters, raw in the server's lines (a zero byte in a parameter's name) or
    // encoded in its values, are kept or left out as they come, and may read back otherwise,
    // as may a lone carriage return where the codec reads it otherwise: such an item is only
    // run through.
    const bool plain = !holdsControl(server) && !holdsControl(sent) &&
                       (loneReturnsRead || !holdsLoneReturn(server));
    // A group name with a comma at either end leaves an empty name in the field's text,
    // which the field drops: the record sent holds other groups than the item it kept.
    const std::string serverGroups = joinedGroups(read.groups);
    const bool groupsKept = joinedGroups(splitGroups(serverGroups)) == serverGroups;
    if (plain && groupsKept && !patched.empty()) {
        const ParsedItem back = codec.parse(patched);
        if (back.records.size() != 1 || !sameFields(back.records[0].record, sent))
            mismatch("patched item", patched, back, sent);
    }
    // A group named with a comma reads back as two, as the field says, and sorted apart from
    // the others: the server's names are looked at, as the field's text has split them.
    const auto commaIn = [](const std::string& name) {
        return name.find(',') != std::string::npos;
    };
    if (std::ranges::any_of(read.groups, commaIn) || std::ranges::any_of(sent.groups, commaIn))
        return;
    if (!plain) return;
    const std::string fresh = codec.write("", sent, allFields(sent.kind()), "fuzz-uid");
    if (fresh.empty()) return;
    const ParsedItem alone = codec.parse(fresh);
    if (alone.records.size() != 1 || !sameFields(alone.records[0].record, sent))
        mismatch("new item", fresh, alone, sent);
}
