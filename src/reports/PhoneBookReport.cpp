#include "reports/PhoneBookReport.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "reports/AddressLines.h"

namespace {

// Puts `persons` in phone book order in place. Their positions are sorted rather than the
// persons themselves, whose sort would take room for half of them again: a phone book of
// a million persons would need hundreds of megabytes more.
void sortForPhoneBook(std::vector<Person>& persons) {
    std::vector<size_t> order(persons.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return phoneBookBefore(persons[a], persons[b]); });
    // Each cycle of the order moves its persons one step along it; order[i] == i marks a
    // place filled.
    for (size_t start = 0; start < order.size(); ++start) {
        if (order[start] == start) continue;
        Person held = std::move(persons[start]);
        size_t at = start;
        while (order[at] != start) {
            const size_t from = order[at];
            persons[at] = std::move(persons[from]);
            order[at] = at;
            at = from;
        }
        persons[at] = std::move(held);
        order[at] = at;
    }
}

}  // namespace

PhoneBookReport::PhoneBookReport(PageCanvas& measuring, std::vector<Person> persons)
    : PrintReport(measuring), persons_(std::move(persons)) {
    sortForPhoneBook(persons_);
}

void PhoneBookReport::drawHeader() {
    const FontSpec previous = page().selectFont(boldFont());
    textCentred(contentRect().top, _("ADDRESS BOOK"));
    page().selectFont(previous);
}

void PhoneBookReport::drawFooter(int pageNumber) {
    const FontSpec previous = page().selectFont(boldFont());
    textCentred(
        contentRect().bottom - lineHeight(),
        fillIn(_("Page %s of %s"), {std::to_string(pageNumber), std::to_string(pageCount())}));
    page().selectFont(previous);
}

int PhoneBookReport::paginate() {
    pages_.clear();
    if (persons_.empty()) return 0;
    const PageRect& c = contentRect();
    const int64_t line = lineHeight();
    pages_.emplace_back();
    // 64 bits: a hostile margin or font size must not wrap the cursor around.
    int64_t y = c.top + 2 * line;
    for (size_t i = 0; i < persons_.size(); ++i) {
        y += kEntryLines * line;
        // A page too short for one entry still takes one, rather than staying blank.
        if (y >= c.bottom && !pages_.back().empty()) {
            pages_.emplace_back();
            y = c.top + 2 * line + kEntryLines * line;
        }
        pages_.back().push_back(i);
    }
    return int(pages_.size());
}

void PhoneBookReport::drawItems(int pageIndex) {
    if (size_t(pageIndex) >= pages_.size()) return;
    int top = currentY();
    for (const size_t index : pages_[size_t(pageIndex)]) {
        drawEntry(persons_[index], top);
        top += kEntryLines * lineHeight();
    }
    setCurrentY(top);
}

void PhoneBookReport::drawEntry(const Person& p, int top) {
    const int line = lineHeight();
    const int left = firstColumnX();
    const int right = secondColumnX();
    const auto at = [&](int x, int row, std::string_view text) {
        textOut(x, top + row * line, text);
    };
    const auto labelled = [](const char* label, std::string_view value) {
        return std::string(label).append(value);
    };

    at(left, 0, addressName(p.FName(), p.LName()));
    at(left, 1, labelled(_("Company: "), p.Company()));
    at(left, 2, labelled(_("Position: "), p.Position()));
    at(left, 3, p.Addr1());
    int row = 4;
    if (!p.Addr2().empty()) at(left, row++, p.Addr2());
    at(left, row, cityLine(p.City(), p.State(), p.Zip()));

    at(right, 0, labelled(_("Home Phone: "), p.HmPhone()));
    at(right, 1,
       labelled(_("Work Phone: "), p.WkPhone()) +
           (p.WkExt().empty() ? "" : labelled(_(" Ext. "), p.WkExt())));
    at(right, 2, labelled(_("Fax: "), p.Fax()));
    at(right, 3, labelled(_("E-Mail: "), p.EMail()));
    at(right, 4, labelled(_("Pager: "), p.Pager()));
    at(right, 5, labelled(_("CelPhone: "), p.CelPhone()));
    at(right, 6, labelled(_("Web Page: "), p.WebPage()));

    page().moveTo(left, top + 7 * line);
    page().lineTo(contentRect().right, top + 7 * line);
}
