#include "exchange/PhoneSlots.h"

#include <algorithm>
#include <utility>

#include "exchange/VCardLine.h"

namespace {

// Whether `word` (lower case) occurs in `text`, whatever the case of the text.
bool containsWord(std::string_view text, std::string_view word) {
    for (size_t at = 0; at + word.size() <= text.size(); ++at) {
        size_t i = 0;
        // ASCII folding inline (tolower is a library call per byte): the words are all
        // lowercase letters, and setting bit 0x20 folds only letters onto them.
        while (i < word.size() && (text[at + i] | ('a' - 'A')) == word[i])
            ++i;
        if (i == word.size()) return true;
    }
    return false;
}

}  // namespace

PhoneSlot phoneSlotNamed(std::string_view text) {
    static constexpr std::pair<std::string_view, PhoneSlot> kWords[] = {
        {"fax", PhoneSlot::Fax},     {"pager", PhoneSlot::Pager}, {"cell", PhoneSlot::Cell},
        {"mobile", PhoneSlot::Cell}, {"work", PhoneSlot::Work},   {"home", PhoneSlot::Home},
    };
    for (const auto& [word, slot] : kWords) {
        if (containsWord(text, word)) return slot;
    }
    return PhoneSlot::None;
}

PhoneSlot phoneSlotOfTypes(const VCardLine& line) {
    PhoneSlot slot = PhoneSlot::None;
    for (const VCardParameter& parameter : line.parameters) {
        if (std::string_view(parameter.name) == "TYPE")
            slot = std::min(slot, phoneSlotNamed(parameter.value));
    }
    return slot;
}

std::array<size_t, kPhoneSlotCount> chosenPhones(std::span<const CardPhone> phones) {
    std::array<size_t, kPhoneSlotCount> chosen;
    chosen.fill(kNoPhone);
    for (size_t i = 0; i < phones.size(); ++i) {
        if (phones[i].slot == PhoneSlot::None) continue;
        size_t& taken = chosen[static_cast<size_t>(phones[i].slot)];
        if (taken == kNoPhone || (!phones[taken].preferred && phones[i].preferred)) taken = i;
    }
    size_t next = 0;
    for (const PhoneSlot room : {PhoneSlot::Home, PhoneSlot::Work, PhoneSlot::Cell}) {
        size_t& taken = chosen[static_cast<size_t>(room)];
        if (taken != kNoPhone) continue;
        while (next < phones.size() && phones[next].slot != PhoneSlot::None)
            ++next;
        if (next == phones.size()) break;
        taken = next++;
    }
    return chosen;
}
