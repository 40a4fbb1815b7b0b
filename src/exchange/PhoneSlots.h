#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

struct VCardLine;

// Which of a card's numbers fill a person's phone fields. The card reader and the patch of a
// server's card both ask here: the patch must rewrite the very line a field was read from.

// A person's phone fields, in the order a number naming several kinds goes to them.
enum class PhoneSlot : unsigned char { Fax, Pager, Cell, Work, Home, None };
inline constexpr size_t kPhoneSlotCount = 5;
inline constexpr size_t kNoPhone = static_cast<size_t>(-1);

// The slot a TYPE value or a program's label names, the first in the order above; the kind
// words count anywhere in it, whatever their case, as in "HomeFax" or "_$!<Mobile>!$_".
[[nodiscard]] PhoneSlot phoneSlotNamed(std::string_view text);
// The slot the TYPE values of a TEL line name.
[[nodiscard]] PhoneSlot phoneSlotOfTypes(const VCardLine& line);

// One number of a card (none empty) as the choice sees it.
struct CardPhone {
    PhoneSlot slot = PhoneSlot::None;  // from its types, else its group's label
    bool preferred = false;
};

// For each slot, the index in `phones` of the number that fills it, or kNoPhone: the first
// of its kind unless a later one is preferred and it is not; then the numbers of no kind, in
// order, fill home, work and cell where those are still empty.
[[nodiscard]] std::array<size_t, kPhoneSlotCount> chosenPhones(std::span<const CardPhone> phones);
