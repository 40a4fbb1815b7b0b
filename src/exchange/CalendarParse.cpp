#include "exchange/CalendarParse.h"
#include "platform/Translate.h"

#include <cstring>
#include <memory>

#include "records/LineBreaks.h"

namespace {

struct ParserFree {
    void operator()(icalparser* parser) const { icalparser_free(parser); }
};

// Hands libical the next piece of the text: up to and with the next line end, as much of
// it as fits in `out`.
char* nextPiece(char* out, size_t size, void* data) {
    auto& rest = *static_cast<std::string_view*>(data);
    if (rest.empty() || size < 2) return nullptr;
    const std::string_view window = rest.substr(0, size - 1);
    const size_t newline = window.find('\n');
    const size_t length = newline == std::string_view::npos ? window.size() : newline + 1;
    std::memcpy(out, rest.data(), length);
    out[length] = '\0';
    rest.remove_prefix(length);
    return out;
}

// How often a zone rule may change the clock: monthly at most, at one time of the day.
bool isRunaway(const icalrecurrencetype& rule) {
    if (rule.freq != ICAL_MONTHLY_RECURRENCE && rule.freq != ICAL_YEARLY_RECURRENCE &&
        rule.freq != ICAL_NO_RECURRENCE)
        return true;
    return rule.by_hour[1] != ICAL_RECURRENCE_ARRAY_MAX ||
           rule.by_minute[1] != ICAL_RECURRENCE_ARRAY_MAX ||
           rule.by_second[1] != ICAL_RECURRENCE_ARRAY_MAX;
}

// Drops the runaway rules of one zone's onsets; whether it dropped any.
bool dropRunawayRules(icalcomponent* zone) {
    bool dropped = false;
    for (icalcomponent* onset = icalcomponent_get_first_component(zone, ICAL_ANY_COMPONENT); onset;
         onset = icalcomponent_get_next_component(zone, ICAL_ANY_COMPONENT)) {
        std::vector<icalproperty*> runaway;
        for (icalproperty* p = icalcomponent_get_first_property(onset, ICAL_RRULE_PROPERTY); p;
             p = icalcomponent_get_next_property(onset, ICAL_RRULE_PROPERTY)) {
            if (isRunaway(icalproperty_get_rrule(p))) runaway.push_back(p);
        }
        for (icalproperty* p : runaway) {
            icalcomponent_remove_property(onset, p);
            icalproperty_free(p);
        }
        dropped |= !runaway.empty();
    }
    return dropped;
}

// Visits the zones under `component` in file order.
void dropInZones(icalcomponent* component, const std::vector<size_t>& lines, size_t& index,
                 std::vector<SkippedRecord>& notes) {
    for (icalcomponent* c = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
        const icalcomponent_kind kind = icalcomponent_isa(c);
        if (kind == ICAL_VTIMEZONE_COMPONENT) {
            const size_t line = index < lines.size() ? lines[index] : 0;
            ++index;
            if (dropRunawayRules(c))
                notes.push_back(
                    {line, _("a time zone (VTIMEZONE) changes the clock more often than "
                             "monthly; that rule of it is left out")});
        } else if (kind == ICAL_VCALENDAR_COMPONENT || kind == ICAL_XROOT_COMPONENT) {
            dropInZones(c, lines, index, notes);
        }
    }
}

// Makes each carriage return in the texts under `component` a line feed: libical drops one
// when it writes a text, where the readers take it for a line break, as it writes a line feed.
void returnsAsLineFeeds(icalcomponent* component) {
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_ANY_PROPERTY); p;
         p = icalcomponent_get_next_property(component, ICAL_ANY_PROPERTY)) {
        icalvalue* value = icalproperty_get_value(p);
        if (value == nullptr || icalvalue_isa(value) != ICAL_TEXT_VALUE) continue;
        const char* text = icalvalue_get_text(value);
        if (text != nullptr && std::strchr(text, '\r') != nullptr)
            icalvalue_set_text(value, withLf(text).c_str());
    }
    for (icalcomponent* c = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
        returnsAsLineFeeds(c);
}

}  // namespace

icalcomponent* parseCalendarText(const std::string& text) {
    std::string_view rest(text.c_str());
    const std::unique_ptr<icalparser, ParserFree> parser(icalparser_new());
    if (!parser) return nullptr;
    icalparser_set_gen_data(parser.get(), &rest);
    // Malformed lines become X-LIC-ERROR properties, which the reader looks at.
    const icalerrorstate before = icalerror_get_error_state(ICAL_MALFORMEDDATA_ERROR);
    icalerror_set_error_state(ICAL_MALFORMEDDATA_ERROR, ICAL_ERROR_NONFATAL);
    icalcomponent* root = icalparser_parse(parser.get(), nextPiece);
    icalerror_set_error_state(ICAL_MALFORMEDDATA_ERROR, before);
    return root;
}

void dropRunawayZoneRules(icalcomponent* root, const Outline& outline,
                          std::vector<SkippedRecord>& notes) {
    static const std::vector<size_t> kNoLines;
    const auto found = outline.beginLines.find("VTIMEZONE");
    const std::vector<size_t>& lines = found == outline.beginLines.end() ? kNoLines : found->second;
    size_t index = 0;
    dropInZones(root, lines, index, notes);
}

icalcomponent* masterOf(icalcomponent* calendar, icalcomponent_kind kind) {
    icalcomponent* master = nullptr;
    for (icalcomponent* c = icalcomponent_get_first_component(calendar, kind); c != nullptr;
         c = icalcomponent_get_next_component(calendar, kind)) {
        if (icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY) != nullptr) continue;
        if (master != nullptr) return nullptr;
        master = c;
    }
    return master;
}

bool isCompletedTodo(icalcomponent* todo) {
    if (icalcomponent_get_status(todo) == ICAL_STATUS_COMPLETED) return true;
    if (icalcomponent_get_first_property(todo, ICAL_COMPLETED_PROPERTY)) return true;
    icalproperty* percent = icalcomponent_get_first_property(todo, ICAL_PERCENTCOMPLETE_PROPERTY);
    return percent != nullptr && icalproperty_get_percentcomplete(percent) >= 100;
}

std::string calendarTextOf(icalcomponent* component) {
    const std::unique_ptr<char, void (*)(void*)> text(icalcomponent_as_ical_string_r(component),
                                                      icalmemory_free_buffer);
    return text ? std::string(text.get()) : std::string();
}

Component serverCalendar(std::string_view text) {
    const std::string unfolded = unfoldedText(text);
    Component calendar(icalparser_parse_string(unfolded.c_str()));
    // libical puts X-LIC-ERROR in place of what it cannot read.
    if (calendar && icalcomponent_count_errors(calendar.get()) > 0) return nullptr;
    if (calendar) returnsAsLineFeeds(calendar.get());
    if (calendar && icalcomponent_isa(calendar.get()) != ICAL_VCALENDAR_COMPONENT) {
        icalcomponent* outer = icalcomponent_new_vcalendar();
        icalcomponent_add_component(outer, calendar.release());
        calendar.reset(outer);
    }
    return calendar;
}
