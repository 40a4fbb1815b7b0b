#pragma once

#include <vector>

#include "records/Person.h"
#include "records/User.h"
#include "reports/PrintReport.h"

// One envelope per chosen person: the owner's return address at the top left and the
// person's postal address about the middle, centred on the second column. No footer and
// no frame.
class EnvelopeReport : public PrintReport {
public:
    // Keeps its own copies; page i is person i of `persons`.
    EnvelopeReport(PageCanvas& measuring, std::vector<Person> persons, User user);

protected:
    [[nodiscard]] bool usesNarrowPaperSize() const override { return false; }
    // The return address.
    void drawHeader() override;
    void drawFooter(int) override {}
    void drawFrame() override {}
    // The delivery address of the page's person.
    void drawItems(int pageIndex) override;
    int paginate() override { return int(persons_.size()); }

private:
    std::vector<Person> persons_;
    User user_;
};
