#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "exchange/PhoneSlots.h"
#include "exchange/VCardValue.h"
#include "records/Person.h"

struct VCardLine;

// Gathers the properties of one card and makes the person they describe:
//   N (or FN when N names no one) -> FName, LName; ORG -> Company; TITLE -> Position;
//   ADR, preferred or first -> Addr1 (first street line), Addr2 (further street lines, else
//   the extended address or post office box), City, State, Zip;
//   TEL by type: fax, pager, cell, work (with its extension), home; numbers without a type
//   fill whichever of home, work and cell is still empty;
//   EMAIL and URL, preferred or first; NOTE (several joined); CATEGORIES, in order; UID;
//   BDAY, and ANNIVERSARY or X-ANNIVERSARY, the first readable one (an empty one is none).
// A later value of a kind already filled counts only when it is preferred and the first
// was not. Photos, sounds, keys and unknown properties are passed over.
class VCardPersonBuilder {
public:
    // What one look at the whole text of the cards found, which spares a look at each value.
    struct TextFacts {
        bool unicode = false;        // the file was UTF-16
        bool utf8 = false;           // the text is UTF-8 throughout
        bool strayControls = false;  // it holds control characters no value keeps
    };

    // Starts a new card, written with the given escaping.
    void reset(VCardEscaping escaping);
    void setEscaping(VCardEscaping escaping) { escaping_ = escaping; }
    // Takes one property of the card, without the control characters our writer drops.
    void take(const VCardLine& line, const TextFacts& text);
    // The person's texts as the card gave them (not yet trimmed); they are moved out, so
    // the builder must be reset before the next card.
    [[nodiscard]] PersonTextFields takeTexts();
    // The birthday and anniversary the card gives; unset for none.
    [[nodiscard]] MonthDay birthday() const { return birthday_; }
    [[nodiscard]] MonthDay anniversary() const { return anniversary_; }
    // The names of the categories the card lists.
    [[nodiscard]] const std::vector<std::string>& categories() const { return categories_; }
    // The card's UID; "" for none.
    [[nodiscard]] const std::string& uid() const { return uid_; }
    // How many values of the card the person has no field for (a second e-mail address,
    // a sixth phone), known once the person is taken.
    [[nodiscard]] int32_t valuesLeftOut() const { return leftOut_; }

private:
    // A value with how strongly the card asks for it.
    struct Candidate {
        std::string value;
        bool preferred = false;
        bool taken = false;
        // As the card's VERSION line before it said, for a value read at the card's end.
        VCardEscaping escaping = VCardEscaping::Backslash;
    };
    struct Phone {
        std::string number;
        PhoneSlot slot = PhoneSlot::None;  // as its types name it
        bool preferred = false;
        std::string group;  // to find the label a program gave it elsewhere in the card
    };
    void offer(Candidate& slot, std::string&& value, bool preferred);
    void takeName(std::string_view value);
    void takePhone(const VCardLine& line, std::string number, bool preferred);
    void takeDay(MonthDay& slot, std::string_view value);
    [[nodiscard]] PhoneSlot phoneSlot(const Phone& phone) const;
    void fillPhones(PersonTextFields& person);
    void fillAddress(PersonTextFields& person);
    // The unescaped parts of `value` split at `separator`, joined by ", ", empty ones left
    // out.
    [[nodiscard]] std::string joinedParts(std::string_view value, char separator);

    VCardEscaping escaping_ = VCardEscaping::Backslash;
    std::string family_, given_, formatted_;
    bool hasName_ = false;
    Candidate company_, position_, address_, email_, url_;
    std::string notes_;
    MonthDay birthday_, anniversary_;
    std::vector<Phone> phones_;
    std::vector<CardPhone> choices_;  // the phones as chosenPhones sees them
    std::vector<std::pair<std::string, std::string>> labels_;  // group, X-ABLabel
    std::vector<std::string> categories_;
    std::string uid_;
    std::string scratch_;    // a value converted from its encoding
    std::string cleaned_;    // a value without its control characters
    std::string unescaped_;  // a value unescaped, while it is read
    // Parts of a structured value, kept from card to card for their room.
    std::vector<std::string_view> parts_, items_;
    int32_t leftOut_ = 0;
};
