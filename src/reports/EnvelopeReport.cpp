#include "reports/EnvelopeReport.h"

#include "records/Trimmed.h"
#include "reports/AddressLines.h"

EnvelopeReport::EnvelopeReport(PageCanvas& measuring, std::vector<Person> persons, User user)
    : PrintReport(measuring), persons_(std::move(persons)), user_(std::move(user)) {}

void EnvelopeReport::drawHeader() {
    const int x = firstColumnX();
    int y = contentRect().top;
    textOut(x, y, addressName(user_.FName, user_.LName));
    y += lineHeight();
    textOut(x, y, user_.Addr1);
    y += lineHeight();
    if (!user_.Addr2.empty()) {
        textOut(x, y, user_.Addr2);
        y += lineHeight();
    }
    textOut(x, y, cityLine(user_.City, user_.State, user_.Zip));
}

void EnvelopeReport::drawItems(int pageIndex) {
    if (size_t(pageIndex) >= persons_.size()) return;
    const Person& p = persons_[size_t(pageIndex)];
    const std::string city = cityLine(p.City(), p.State(), p.Zip());
    const std::string addr2(trimmed(p.Addr2()));
    const PageRect& c = contentRect();
    // The block hangs from the middle of the content height, counted from the top of the
    // printable area, and centres on the second column by its last line.
    const int x = secondColumnX() - textWidth(city) / 2;
    int y = (c.bottom - c.top) / 2 + lineHeight();
    textOut(x, y, addresseeName(p));
    y += lineHeight();
    textOut(x, y, p.Addr1());
    y += lineHeight();
    if (!addr2.empty()) {
        textOut(x, y, addr2);
        y += lineHeight();
    }
    textOut(x, y, city);
}
