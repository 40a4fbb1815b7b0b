#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/commands/CommandSupport.h"
#include "docfile/DocumentFile.h"
#include "organizer/AddressBookCommits.h"
#include "organizer/PersonForm.h"
#include "organizer/PhoneBookView.h"
#include "platform/Translate.h"
#include "records/DocumentDoor.h"
#include "records/PimDocument.h"

// The phone book as the window shows it, through the same view, and persons added under
// the person editor's rules.

namespace {

Status runGroups(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(args, 1, {}, {}, parsed); !status) return status;
    CliWorkspace files(context);
    if (Status loaded = files.read(parsed.positional()[0]); !loaded) return loaded;
    DocumentDoor& door = files.workspace().door();
    PhoneBookView view(door);
    view.refill();
    for (const GroupEntry& group : view.groups())
        context.out << lineField(group.desc) << '\n';
    return {};
}

Status runPersons(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(args, 1, {"group", "sort", "filter"}, {}, parsed); !status)
        return status;
    PersonSort sort = PersonSort::Name;
    if (const auto column = parsed.value("sort")) {
        if (*column == "company")
            sort = PersonSort::Company;
        else if (*column != "name")
            return usageFailure(
                fillIn(_("%s wants name or company, not \"%s\""), {"--sort", *column}));
    }
    const std::string& path = parsed.positional()[0];
    CliWorkspace files(context);
    if (Status loaded = files.read(path); !loaded) return loaded;
    const PimDocument& document = files.document();

    DocumentDoor& door = files.workspace().door();
    PhoneBookView view(door);
    view.refill();
    if (const auto desc = parsed.value("group")) {
        const auto id = groupNamed(document, *desc);
        if (!id) return unknownGroup(path, *desc);
        view.chooseGroup(*id);
    }
    if (sort != view.sort()) view.sortBy(sort);
    if (const auto filter = parsed.value("filter")) view.setFilter(*filter);
    for (size_t i = 0; i < view.rowCount(); ++i)
        context.out << lineField(view.row(i).name) << '\t' << lineField(view.row(i).company)
                    << '\n';
    return {};
}

// The person as the editor would store it; a failure naming a group the document lacks.
Status fillForm(const CliArgs& parsed, const PimDocument& document, const std::string& path,
                PersonForm& form) {
    PersonTextFields& person = form.texts;
    const std::pair<const char*, std::string*> fields[] = {
        {"first", &person.FName},         {"last", &person.LName},
        {"company", &person.Company},     {"email", &person.EMail},
        {"home-phone", &person.HmPhone},  {"work-phone", &person.WkPhone},
        {"cell-phone", &person.CelPhone},
    };
    for (const auto& [option, field] : fields)
        *field = parsed.value(option).value_or("");
    const std::pair<const char*, MonthDay*> days[] = {{"birthday", &form.birthday},
                                                      {"anniversary", &form.anniversary}};
    for (const auto& [option, day] : days) {
        const auto text = parsed.value(option);
        if (!text) continue;
        const auto read = MonthDay::parse(*text);
        if (!read)
            return usageFailure(
                fillIn(_("--%s wants YYYY-MM-DD, or --MM-DD without a year, not \"%s\""),
                       {option, *text}));
        *day = *read;
    }
    for (const std::string& desc : parsed.values("group")) {
        if (form.chooseGroup(desc)) continue;
        // The editor does not offer the universal group: every person is filed there anyway.
        const PhGroup* universal = document.phGroups().find(kUniversalGroupId);
        if (universal == nullptr || universal->Desc != desc) return unknownGroup(path, desc);
    }
    return {};
}

Status runAddPerson(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(args, 1,
                                       {"first", "last", "company", "group", "email", "home-phone",
                                        "work-phone", "cell-phone", "birthday", "anniversary"},
                                       {}, parsed);
        !status)
        return status;
    const bool named = !parsed.value("first").value_or("").empty() ||
                       !parsed.value("last").value_or("").empty() ||
                       !parsed.value("company").value_or("").empty();
    if (!named) return usageFailure(_("one of --first, --last and --company is required"));

    DocumentUpdate update(context, parsed.positional()[0]);
    if (Status loaded = update.load(); !loaded) return loaded;
    PersonForm form = PersonForm::forNew(update.document());
    if (Status filled = fillForm(parsed, update.document(), update.path(), form); !filled)
        return filled;
    const int32_t id = addPerson(update.workspace().door(), form);
    if (id == 0)
        return Status::failure(FailureKind::Content, update.path(),
                               _("no person identifier is left"));
    if (Status saved = update.save(); !saved) return saved;
    context.out << fillIn(_("Added person %s."), {std::to_string(id)}) << '\n';
    return {};
}

const std::array<CliCommand, 3> kCommands = {{
    {"groups", "DOC",
     N_("list the address-book groups of DOC in the order the group box shows them"), runGroups},
    {"persons", "DOC [--group NAME] [--sort name|company] [--filter TEXT]",
     N_("list the persons of a group as the phone book does, one \"NAME<TAB>COMPANY\" line each: "
        "the group NAME (else the one the window opens on), sorted by name or company, only "
        "those whose name, company, phone numbers or e-mail hold TEXT (any case)"),
     runPersons},
    {"add-person",
     "DOC [--first F] [--last L] [--company C] [--group NAME]... [--email E] [--home-phone P] "
     "[--work-phone P] [--cell-phone P] [--birthday YYYY-MM-DD|--MM-DD] "
     "[--anniversary YYYY-MM-DD|--MM-DD]",
     // TRANSLATORS: "All", "White Pages" and "Yellow Pages" name groups in the document,
     // which keep these English names in every language.
     N_("add a person to DOC as the person editor does: it needs a first name, last name or "
        "company, is filed in each group NAME given and always in the group every person is in "
        "(\"All\" in a new document)"),
     runAddPerson},
}};

}  // namespace

std::span<const CliCommand> addressBookCommands() {
    return kCommands;
}
