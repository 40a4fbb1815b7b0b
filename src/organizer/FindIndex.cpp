#include "organizer/FindIndex.h"

#include <algorithm>

#include "organizer/PersonFilter.h"
#include "records/PimDocument.h"

namespace {

// A person's parts in the order they are indexed: each text, a phone number followed by
// its digits alone.
const std::vector<PersonPart>& personParts() {
    static const std::vector<PersonPart> parts = [] {
        std::vector<PersonPart> all;
        for (size_t i = 0; i < kPersonTextCount; ++i) {
            const auto field = static_cast<PersonText>(i);
            all.push_back({field, false});
            if (isDialledNumber(field)) all.push_back({field, true});
        }
        return all;
    }();
    return parts;
}

void appendPart(std::string& text, std::string_view value) {
    appendFolded(text, value);
    // No typed text holds a NUL, so no match spans two parts or two records.
    text.push_back('\0');
}

}  // namespace

PersonPart personPart(uint16_t part) {
    const auto& parts = personParts();
    return part < parts.size() ? parts[part] : PersonPart{};
}

int changedPart(uint16_t part) {
    return int(part) - 1;
}

bool FindIndex::buildSome(const PimDocument& document, size_t bytes) {
    if (!started_ || revision_ != document.revision()) {
        restart();
        started_ = true;
        revision_ = document.revision();
        ++generation_;
        nextPerson_ = document.persons().begin();
        nextAppointment_ = document.appointments().begin();
        nextTask_ = document.tasks().begin();
        text_.reserve(document.persons().size() * 200 + document.appointments().size() * 48 +
                      document.tasks().size() * 32);
    }
    const size_t until = text_.size() + std::min(bytes, SIZE_MAX - text_.size());
    const auto fill = [&](auto& next, const auto& store) {
        for (; next != store.end() && text_.size() < until; ++next)
            add(next->first, next->second);
        if (next == store.end()) finishKind();
    };
    while (building_ < kFoundKindCount && text_.size() < until) {
        switch (static_cast<FoundKind>(building_)) {
            case FoundKind::Person:
                fill(nextPerson_, document.persons());
                break;
            case FoundKind::Appointment:
                fill(nextAppointment_, document.appointments());
                break;
            case FoundKind::Task:
                fill(nextTask_, document.tasks());
                break;
        }
    }
    return ready(document);
}

void FindIndex::build(const PimDocument& document) {
    while (!buildSome(document, SIZE_MAX)) {
    }
}

bool FindIndex::ready(const PimDocument& document) const {
    return started_ && building_ == kFoundKindCount && revision_ == document.revision();
}

void FindIndex::clear() {
    restart();
    text_.shrink_to_fit();
    ids_.shrink_to_fit();
    starts_.shrink_to_fit();
}

void FindIndex::restart() {
    text_.clear();
    ids_.clear();
    starts_.clear();
    kindStarts_ = {};
    building_ = 0;
    started_ = false;
}

void FindIndex::finishKind() {
    ++building_;
    kindStarts_[building_] = static_cast<uint32_t>(ids_.size());
    if (building_ == kFoundKindCount) starts_.push_back(text_.size());
}

void FindIndex::add(int32_t id, const Person& person) {
    ids_.push_back(id);
    starts_.push_back(text_.size());
    for (const PersonPart& part : personParts()) {
        if (part.digits) {
            appendNumberDigits(text_, person.text(part.field));
            text_.push_back('\0');
        } else {
            appendPart(text_, person.text(part.field));
        }
    }
}

void FindIndex::add(int32_t id, const Appointment& appointment) {
    ids_.push_back(id);
    starts_.push_back(text_.size());
    appendPart(text_, appointment.Description);
    // An occurrence changed alone may have a description of its own; the series is found
    // by it all the same.
    for (const ChangedOccurrence& change : appointment.schedule.get().changed)
        appendPart(text_, change.description);
}

void FindIndex::add(int32_t id, const Task& task) {
    ids_.push_back(id);
    starts_.push_back(text_.size());
    appendPart(text_, task.Description);
}

FindIndex::Range FindIndex::range(FoundKind kind) const {
    const auto k = static_cast<size_t>(kind);
    return {kindStarts_[k], kindStarts_[k + 1]};
}

FoundKind FindIndex::kindOf(uint32_t entry) const {
    if (entry < kindStarts_[1]) return FoundKind::Person;
    return entry < kindStarts_[2] ? FoundKind::Appointment : FoundKind::Task;
}

uint32_t FindIndex::entryAt(size_t offset) const {
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
    return static_cast<uint32_t>(after - starts_.begin() - 1);
}

FoundRecord FindIndex::foundAt(uint32_t entry, size_t offset) const {
    const std::string_view before(text_.data() + starts_[entry], offset - starts_[entry]);
    const auto part = static_cast<uint16_t>(std::count(before.begin(), before.end(), '\0'));
    return FoundRecord{kindOf(entry), ids_[entry], entry, part};
}
