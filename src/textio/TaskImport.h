#pragma once

#include "records/DateParse.h"
#include "records/PimDocument.h"
#include "records/Task.h"
#include "textio/RecordImport.h"

// Tasks: a record needs a task text. Fields without a column keep the defaults of a task
// made when the import started; an empty due date is today, and a row whose due date cannot
// be read is skipped; a priority outside 0 to 3 becomes 0. Done tasks get no done date. A task
// service lists sections and notes among its tasks: a row whose Type is given and is not "task" is
// none.
class TaskImport : public RecordImport {
public:
    // Imports into `document`, reading field f from column columnOf[f]. Dates are read in
    // `locale`'s forms.
    TaskImport(const PimDocument& document, std::vector<int> columnOf, const Locale& locale);
    // nullptr when the record was taken, otherwise why not.
    const char* importRecord(const std::vector<std::string_view>& values) override;
    void addTo(PimDocument& document) override { document.addAll(std::move(batch_)); }

private:
    NewRecords<Task> batch_;  // the records taken, added in one edit at the end
    DateParser dates_;
    DateTime today_;
    Task working_;
};
