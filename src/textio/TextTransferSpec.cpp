#include "textio/TextTransferSpec.h"
#include "platform/Translate.h"

#include <algorithm>

namespace {

using Names = std::vector<std::string>;

struct KindInfo {
    const char* entityName;
    Names exportFields;
    Names importFields;
    Names exportRequired;
    Names importRequired;
    int minRequired;  // how many of importRequired an import must name
    int maxRequired;
    const char* missingMessage;
};

const KindInfo& info(TransferKind kind) {
    static const KindInfo kPersons{
        N_("Persons"),
        {"FirstName", "LastName", "Address1", "Address2", "City", "State", "ZipCode", "HomePhone",
         "WorkPhone", "WorkExtension", "Fax", "CelPhone", "Pager", "E-Mail", "WebPage", "Company",
         "Position", "Notes"},
        {"FirstName",   "LastName",  "Address1",   "Address2",      "City",       "State",
         "ZipCode",     "HomePhone", "WorkPhone",  "WorkExtension", "Fax",        "Pager",
         "CelPhone",    "E-Mail",    "WebPage",    "Company",       "Position",   "WhitePages",
         "YellowPages", "Notes",     "Categories", "Birthday",      "Anniversary"},
        {"LastName"},
        {"FirstName", "LastName", "Company"},
        1,
        3,
        N_("You must include a first name, last name, or company as a field to import.")};
    static const KindInfo kTasks{N_("Tasks"),
                                 {"Task", "DueDate", "Priority"},
                                 {"Task", "DueDate", "Priority", "Type"},
                                 {"Task"},
                                 {"Task"},
                                 1,
                                 1,
                                 N_("You must include a task as a field to import.")};
    static const KindInfo kAppointments{
        N_("Appointments"),
        {"Appointment", "Date", "StartTime", "EndTime", "Alarmed", "AlarmTime"},
        {"Appointment", "Date", "StartTime", "EndTime", "Alarmed", "AlarmTime"},
        {"Appointment", "Date", "StartTime", "EndTime"},
        {"Appointment", "Date", "StartTime", "EndTime"},
        4,
        4,
        N_("You must include an appointment, date, start time, and end time as fields to import.")};
    switch (kind) {
        case TransferKind::Persons:
            return kPersons;
        case TransferKind::Tasks:
            return kTasks;
        case TransferKind::Appointments:
            break;
    }
    return kAppointments;
}

TextTransferSpec makeSpec(TransferKind kind, const Names& fields, const Names& required) {
    TextTransferSpec spec;
    spec.entityName = info(kind).entityName;
    spec.fieldNames = fields;
    spec.fieldCount = static_cast<int32_t>(fields.size());
    spec.requiredFields = required;
    spec.columnFields.assign(fields.size(), "");
    return spec;
}

}  // namespace

TextTransferSpec makeExportSpec(TransferKind kind) {
    return makeSpec(kind, info(kind).exportFields, info(kind).exportRequired);
}

TextTransferSpec makeImportSpec(TransferKind kind) {
    return makeSpec(kind, info(kind).importFields, info(kind).importRequired);
}

const std::vector<std::string>& exportFieldNames(TransferKind kind) {
    return info(kind).exportFields;
}

const std::vector<std::string>& importFieldNames(TransferKind kind) {
    return info(kind).importFields;
}

std::string requiredFieldsMessage(TransferKind kind, const std::vector<std::string>& columnFields) {
    const KindInfo& k = info(kind);
    const auto count = std::count_if(columnFields.begin(), columnFields.end(), [&](const auto& f) {
        return std::find(k.importRequired.begin(), k.importRequired.end(), f) !=
               k.importRequired.end();
    });
    return count >= k.minRequired && count <= k.maxRequired ? "" : _(k.missingMessage);
}
