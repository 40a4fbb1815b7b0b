#include <gtest/gtest.h>

#include "records/RecordFields.h"
#include "textio/TextTransferSpec.h"

namespace {

template <class Record>
void expectDescribed(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        // The groups a person is filed in are no text of the person; the import files them.
        if (name == "Categories") continue;
        EXPECT_NE(fieldByTextName<Record>(name), nullptr) << name << " has no field";
    }
}

// Export and the person import read and write through the field tables by these names,
// so a name the wizard lists without a field would silently drop a column.
TEST(TransferFields, EveryListedFieldIsDescribed) {
    expectDescribed<Person>(exportFieldNames(TransferKind::Persons));
    expectDescribed<Person>(importFieldNames(TransferKind::Persons));
    expectDescribed<Task>(exportFieldNames(TransferKind::Tasks));
    expectDescribed<Appointment>(exportFieldNames(TransferKind::Appointments));
}

}  // namespace
