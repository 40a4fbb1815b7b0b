#pragma once

#include <vector>

#include "records/Person.h"
#include "reports/ListPagination.h"
#include "reports/PrintReport.h"

// "ADDRESS BOOK": each chosen person as an entry eight lines tall, name, company and
// address on the left, the telephone and internet fields on the right, a rule below.
class PhoneBookReport : public PrintReport {
public:
    // Keeps its own copy of `persons`, in phone book order.
    PhoneBookReport(PageCanvas& measuring, std::vector<Person> persons);

    // The persons in the order they are printed.
    [[nodiscard]] const std::vector<Person>& persons() const { return persons_; }

    static constexpr int kEntryLines = 8;

protected:
    [[nodiscard]] bool usesNarrowPaperSize() const override { return false; }
    void drawHeader() override;
    // "Page n of m".
    void drawFooter(int pageNumber) override;
    void drawFrame() override { drawBracketFrame(); }
    void drawItems(int pageIndex) override;
    int paginate() override;

private:
    void drawEntry(const Person& person, int top);

    std::vector<Person> persons_;
    std::vector<PageItems> pages_;
};
