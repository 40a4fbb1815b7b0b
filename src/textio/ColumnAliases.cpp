#include "textio/ColumnAliases.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <utility>

namespace {

// A phone column whose kind stands in another column.
constexpr const char* kTypedPhone = "?phone";

struct Alias {
    const char* name;  // normalized: lower case, no blanks or punctuation
    const char* field;
    int rank;
};

// Programs name the same thing many ways; a column is ranked 3 when its name is the
// field's own, 2 when it means it in most files, 1 when it may mean something near it.
const std::vector<Alias>& personAliases() {
    static const std::vector<Alias> kAliases = {
        // First name
        {"firstname", "FirstName", 3},
        {"givenname", "FirstName", 3},
        {"first", "FirstName", 2},
        {"forename", "FirstName", 3},
        {"vorname", "FirstName", 3},
        {"prénom", "FirstName", 3},
        {"prenom", "FirstName", 3},
        {"nombre", "FirstName", 2},
        {"nome", "FirstName", 2},
        {"voornaam", "FirstName", 3},
        {"förnamn", "FirstName", 3},
        {"fornavn", "FirstName", 3},
        {"imię", "FirstName", 3},
        {"name", "FirstName", 1},
        {"fullname", "FirstName", 1},
        {"displayname", "FirstName", 1},
        {"nickname", "FirstName", 0},
        // Last name
        {"lastname", "LastName", 3},
        {"surname", "LastName", 3},
        {"familyname", "LastName", 3},
        {"last", "LastName", 2},
        {"nachname", "LastName", 3},
        {"familienname", "LastName", 3},
        {"nom", "LastName", 2},
        {"nomdefamille", "LastName", 3},
        {"apellidos", "LastName", 3},
        {"apellido", "LastName", 3},
        {"cognome", "LastName", 3},
        {"sobrenome", "LastName", 3},
        {"achternaam", "LastName", 3},
        {"efternamn", "LastName", 3},
        {"etternavn", "LastName", 3},
        {"nazwisko", "LastName", 3},
        // Street
        {"address1", "Address1", 3},
        {"address", "Address1", 2},
        {"street", "Address1", 2},
        {"homestreet", "Address1", 3},
        {"homeaddress", "Address1", 3},
        {"addressstreet", "Address1", 2},
        {"streetaddress", "Address1", 2},
        {"businessstreet", "Address1", 1},
        {"workaddress", "Address1", 1},
        {"straße", "Address1", 2},
        {"strasse", "Address1", 2},
        {"straßeprivat", "Address1", 3},
        {"straßegeschäftlich", "Address1", 1},
        {"adresse", "Address1", 2},
        {"ruedomicile", "Address1", 3},
        {"ruebureau", "Address1", 1},
        {"rue", "Address1", 2},
        {"calle", "Address1", 2},
        {"calledeldomicilio", "Address1", 3},
        {"direccion", "Address1", 2},
        {"dirección", "Address1", 2},
        {"indirizzo", "Address1", 2},
        {"viaab", "Address1", 3},
        {"via", "Address1", 1},
        {"straat", "Address1", 2},
        {"adres", "Address1", 2},
        // Second street line
        {"address2", "Address2", 3},
        {"homestreet2", "Address2", 3},
        {"homeaddress2", "Address2", 3},
        {"businessstreet2", "Address2", 1},
        {"workaddress2", "Address2", 1},
        {"addressextendedaddress", "Address2", 2},
        {"extendedaddress", "Address2", 2},
        {"straßeprivat2", "Address2", 3},
        // City
        {"city", "City", 3},
        {"homecity", "City", 3},
        {"town", "City", 2},
        {"addresscity", "City", 2},
        {"businesscity", "City", 1},
        {"workcity", "City", 1},
        {"ort", "City", 2},
        {"stadt", "City", 2},
        {"ortprivat", "City", 3},
        {"ortgeschäftlich", "City", 1},
        {"ville", "City", 2},
        {"villedomicile", "City", 3},
        {"villebureau", "City", 1},
        {"ciudad", "City", 2},
        {"ciudadderesidencia", "City", 3},
        {"città", "City", 2},
        {"cittàab", "City", 3},
        {"plaats", "City", 2},
        {"woonplaats", "City", 3},
        {"cidade", "City", 2},
        {"locality", "City", 1},
        // State
        {"state", "State", 3},
        {"homestate", "State", 3},
        {"region", "State", 2},
        {"addressregion", "State", 2},
        {"province", "State", 2},
        {"county", "State", 1},
        {"businessstate", "State", 1},
        {"workstate", "State", 1},
        {"bundesland", "State", 2},
        {"bundeslandprivat", "State", 3},
        {"provincia", "State", 2},
        {"provincie", "State", 2},
        {"département", "State", 1},
        {"estado", "State", 2},
        // Postal code
        {"zipcode", "ZipCode", 3},
        {"zip", "ZipCode", 3},
        {"postalcode", "ZipCode", 3},
        {"postcode", "ZipCode", 3},
        {"homezipcode", "ZipCode", 3},
        {"homezip", "ZipCode", 3},
        {"homepostalcode", "ZipCode", 3},
        {"addresspostalcode", "ZipCode", 2},
        {"businesspostalcode", "ZipCode", 1},
        {"workzipcode", "ZipCode", 1},
        {"workzip", "ZipCode", 1},
        {"plz", "ZipCode", 2},
        {"postleitzahl", "ZipCode", 2},
        {"postleitzahlprivat", "ZipCode", 3},
        {"postleitzahlgeschäftlich", "ZipCode", 1},
        {"codepostal", "ZipCode", 2},
        {"codepostaldomicile", "ZipCode", 3},
        {"codepostalbureau", "ZipCode", 1},
        {"códigopostal", "ZipCode", 2},
        {"codigopostal", "ZipCode", 2},
        {"códigopostalderesidencia", "ZipCode", 3},
        {"cap", "ZipCode", 2},
        {"capab", "ZipCode", 3},
        {"postnummer", "ZipCode", 2},
        // Phones
        {"homephone", "HomePhone", 3},
        {"home", "HomePhone", 2},
        {"phone", "HomePhone", 1},
        {"telephone", "HomePhone", 1},
        {"primaryphone", "HomePhone", 1},
        {"telefonprivat", "HomePhone", 3},
        {"téléphonedomicile", "HomePhone", 3},
        {"teléfonoparticular", "HomePhone", 3},
        {"telefonoabitazione", "HomePhone", 3},
        {"telefoonthuis", "HomePhone", 3},
        {"telefon", "HomePhone", 1},
        {"téléphone", "HomePhone", 1},
        {"teléfono", "HomePhone", 1},
        {"telefono", "HomePhone", 1},
        {"workphone", "WorkPhone", 3},
        {"businessphone", "WorkPhone", 3},
        {"work", "WorkPhone", 2},
        {"officephone", "WorkPhone", 3},
        {"companymainphone", "WorkPhone", 1},
        {"telefongeschäftlich", "WorkPhone", 3},
        {"téléphonebureau", "WorkPhone", 3},
        {"teléfonodeltrabajo", "WorkPhone", 3},
        {"telefonoufficio", "WorkPhone", 3},
        {"telefoonwerk", "WorkPhone", 3},
        {"workextension", "WorkExtension", 3},
        {"extension", "WorkExtension", 2},
        {"ext", "WorkExtension", 2},
        {"durchwahl", "WorkExtension", 2},
        {"fax", "Fax", 3},
        {"faxnumber", "Fax", 3},
        {"homefax", "Fax", 2},
        {"businessfax", "Fax", 2},
        {"workfax", "Fax", 2},
        {"otherfax", "Fax", 1},
        {"faxgeschäftlich", "Fax", 2},
        {"faxprivat", "Fax", 2},
        {"télécopiebureau", "Fax", 2},
        {"télécopiedomicile", "Fax", 2},
        {"faxdeltrabajo", "Fax", 2},
        {"faxuff", "Fax", 2},
        {"faxwerk", "Fax", 2},
        {"telefax", "Fax", 2},
        {"pager", "Pager", 3},
        {"pagernumber", "Pager", 3},
        {"beeper", "Pager", 2},
        {"récepteurderadiomessagerie", "Pager", 3},
        {"buscapersonas", "Pager", 3},
        {"cercapersone", "Pager", 3},
        {"pieper", "Pager", 2},
        {"semafoon", "Pager", 2},
        {"celphone", "CelPhone", 3},
        {"cellphone", "CelPhone", 3},
        {"mobilephone", "CelPhone", 3},
        {"mobile", "CelPhone", 3},
        {"mobilenumber", "CelPhone", 3},
        {"cell", "CelPhone", 2},
        {"mobiltelefon", "CelPhone", 3},
        {"handy", "CelPhone", 3},
        {"mobil", "CelPhone", 2},
        {"télmobile", "CelPhone", 3},
        {"téléphonemobile", "CelPhone", 3},
        {"portable", "CelPhone", 2},
        {"móvil", "CelPhone", 3},
        {"movil", "CelPhone", 3},
        {"teléfonomóvil", "CelPhone", 3},
        {"cellulare", "CelPhone", 3},
        {"mobieletelefoon", "CelPhone", 3},
        {"mobiel", "CelPhone", 3},
        {"celular", "CelPhone", 3},
        {"telemóvel", "CelPhone", 3},
        // Mail and web
        {"email", "E-Mail", 3},
        {"emailaddress", "E-Mail", 3},
        {"mail", "E-Mail", 2},
        {"primaryemail", "E-Mail", 3},
        {"emailvalue", "E-Mail", 2},
        {"secondaryemail", "E-Mail", 1},
        {"alternateemail", "E-Mail", 1},
        {"emailadresse", "E-Mail", 3},
        {"adressedemessagerie", "E-Mail", 3},
        {"courriel", "E-Mail", 3},
        {"adressecourriel", "E-Mail", 3},
        {"direccióndecorreoelectrónico", "E-Mail", 3},
        {"correoelectrónico", "E-Mail", 3},
        {"correo", "E-Mail", 2},
        {"indirizzopostaelettronica", "E-Mail", 3},
        {"indirizzoemail", "E-Mail", 3},
        {"emailadres", "E-Mail", 3},
        {"webpage", "WebPage", 3},
        {"website", "WebPage", 3},
        {"web", "WebPage", 2},
        {"url", "WebPage", 2},
        {"homepage", "WebPage", 2},
        {"personalwebpage", "WebPage", 3},
        {"personalwebsite", "WebPage", 3},
        {"businesswebsite", "WebPage", 1},
        {"websitevalue", "WebPage", 2},
        {"webseite", "WebPage", 3},
        {"pageweb", "WebPage", 3},
        {"páginaweb", "WebPage", 3},
        {"paginaweb", "WebPage", 3},
        {"webpagina", "WebPage", 3},
        {"sitoweb", "WebPage", 3},
        // Work
        {"company", "Company", 3},
        {"organization", "Company", 3},
        {"organisation", "Company", 3},
        {"organizationname", "Company", 3},
        {"business", "Company", 1},
        {"firma", "Company", 3},
        {"unternehmen", "Company", 2},
        {"société", "Company", 3},
        {"entreprise", "Company", 2},
        {"organización", "Company", 3},
        {"compañía", "Company", 3},
        {"empresa", "Company", 3},
        {"società", "Company", 3},
        {"azienda", "Company", 3},
        {"bedrijf", "Company", 3},
        {"organisatie", "Company", 3},
        {"position", "Position", 3},
        {"jobtitle", "Position", 3},
        {"title", "Position", 1},
        {"organizationtitle", "Position", 2},
        {"role", "Position", 1},
        {"fonction", "Position", 3},
        {"puesto", "Position", 3},
        {"cargo", "Position", 3},
        {"posizione", "Position", 3},
        {"functie", "Position", 3},
        {"beruf", "Position", 2},
        {"occupation", "Position", 1},
        // Our own flags and the notes
        {"whitepages", "WhitePages", 3},
        {"yellowpages", "YellowPages", 3},
        {"notes", "Notes", 3},
        {"note", "Notes", 3},
        {"comments", "Notes", 2},
        {"comment", "Notes", 2},
        {"notizen", "Notes", 3},
        {"notiz", "Notes", 3},
        {"bemerkungen", "Notes", 2},
        {"remarques", "Notes", 2},
        {"notas", "Notes", 3},
        {"notities", "Notes", 3},
        {"anmerkungen", "Notes", 2},
        // Columns of a phone whose kind is in a column beside it (Google Contacts).
        {"phonevalue", kTypedPhone, 2},
        {"phonenumber", kTypedPhone, 1},
    };
    return kAliases;
}

const std::vector<Alias>& taskAliases() {
    static const std::vector<Alias> kAliases = {
        {"task", "Task", 3},
        {"subject", "Task", 3},
        {"title", "Task", 2},
        {"name", "Task", 2},
        {"summary", "Task", 2},
        {"todo", "Task", 2},
        {"description", "Task", 1},
        {"aufgabe", "Task", 3},
        {"betreff", "Task", 3},
        {"tâche", "Task", 3},
        {"objet", "Task", 3},
        {"tarea", "Task", 3},
        {"asunto", "Task", 3},
        {"attività", "Task", 3},
        {"oggetto", "Task", 3},
        {"taak", "Task", 3},
        {"onderwerp", "Task", 3},
        {"duedate", "DueDate", 3},
        {"due", "DueDate", 2},
        {"deadline", "DueDate", 2},
        {"date", "DueDate", 1},
        {"fälligkeitsdatum", "DueDate", 3},
        {"fällig", "DueDate", 2},
        {"fälligam", "DueDate", 3},
        {"échéance", "DueDate", 3},
        {"datedéchéance", "DueDate", 3},
        {"fechadevencimiento", "DueDate", 3},
        {"vencimiento", "DueDate", 2},
        {"scadenza", "DueDate", 3},
        {"datascadenza", "DueDate", 3},
        {"vervaldatum", "DueDate", 3},
        {"priority", "Priority", 3},
        {"priorität", "Priority", 3},
        {"priorité", "Priority", 3},
        {"prioridad", "Priority", 3},
        {"priorità", "Priority", 3},
        {"prioriteit", "Priority", 3},
        {"importance", "Priority", 1},
    };
    return kAliases;
}

const std::vector<Alias>& appointmentAliases() {
    static const std::vector<Alias> kAliases = {
        {"appointment", "Appointment", 3},
        {"subject", "Appointment", 3},
        {"title", "Appointment", 2},
        {"summary", "Appointment", 2},
        {"event", "Appointment", 2},
        {"name", "Appointment", 1},
        {"description", "Appointment", 1},
        {"betreff", "Appointment", 3},
        {"termin", "Appointment", 2},
        {"objet", "Appointment", 3},
        {"asunto", "Appointment", 3},
        {"oggetto", "Appointment", 3},
        {"onderwerp", "Appointment", 3},
        {"date", "Date", 3},
        {"startdate", "Date", 3},
        {"day", "Date", 1},
        {"datum", "Date", 3},
        {"beginnam", "Date", 3},
        {"anfangsdatum", "Date", 3},
        {"datededébut", "Date", 3},
        {"fechadecomienzo", "Date", 3},
        {"fechadeinicio", "Date", 3},
        {"datainizio", "Date", 3},
        {"begindatum", "Date", 3},
        {"fecha", "Date", 2},
        {"data", "Date", 1},
        {"starttime", "StartTime", 3},
        {"start", "StartTime", 2},
        {"begin", "StartTime", 2},
        {"from", "StartTime", 1},
        {"beginn", "StartTime", 2},
        {"beginnum", "StartTime", 3},
        {"anfangszeit", "StartTime", 3},
        {"heurededébut", "StartTime", 3},
        {"horadecomienzo", "StartTime", 3},
        {"horadeinicio", "StartTime", 3},
        {"orainizio", "StartTime", 3},
        {"begintijd", "StartTime", 3},
        {"endtime", "EndTime", 3},
        {"end", "EndTime", 2},
        {"until", "EndTime", 1},
        {"to", "EndTime", 1},
        {"ende", "EndTime", 2},
        {"endeum", "EndTime", 3},
        {"endzeit", "EndTime", 3},
        {"heuredefin", "EndTime", 3},
        {"horadefinalización", "EndTime", 3},
        {"horadefin", "EndTime", 3},
        {"orafine", "EndTime", 3},
        {"eindtijd", "EndTime", 3},
        {"alarmed", "Alarmed", 3},
        {"alarm", "Alarmed", 2},
        {"reminderonoff", "Alarmed", 3},
        {"reminder", "Alarmed", 2},
        {"erinnerungeinaus", "Alarmed", 3},
        {"rappelactifinactif", "Alarmed", 3},
        {"avisoactivadodesactivado", "Alarmed", 3},
        {"alarmtime", "AlarmTime", 3},
        {"reminderminutes", "AlarmTime", 3},
        {"minutesbefore", "AlarmTime", 2},
        {"alarmminutes", "AlarmTime", 3},
    };
    return kAliases;
}

// Lower case (ASCII letters, and the capital accented letters of Latin-1 that start
// words), without blanks and punctuation, so "E-mail Address" and "EMailAddress" meet.
std::string normalized(std::string_view name) {
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c - 'A' + 'a');
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c >= 0x80) {
            // Ã (0xC3) leads the two-byte forms of À to Þ; their lower case is 0x20 on.
            if (c == 0xC3 && i + 1 < name.size()) {
                auto next = static_cast<unsigned char>(name[i + 1]);
                if (next >= 0x80 && next <= 0x9E && next != 0x97) next += 0x20;
                out += static_cast<char>(c);
                out += static_cast<char>(next);
                ++i;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out;
}

const Alias* find(const std::vector<Alias>& aliases, const std::string& name) {
    const auto it = std::find_if(aliases.begin(), aliases.end(),
                                 [&](const Alias& a) { return name == a.name; });
    return it == aliases.end() ? nullptr : &*it;
}

const std::vector<Alias>& aliasesOf(TransferKind kind) {
    switch (kind) {
        case TransferKind::Persons:
            return personAliases();
        case TransferKind::Tasks:
            return taskAliases();
        case TransferKind::Appointments:
            break;
    }
    return appointmentAliases();
}

std::string withoutDigits(const std::string& name) {
    std::string out;
    std::copy_if(name.begin(), name.end(), std::back_inserter(out),
                 [](char c) { return c < '0' || c > '9'; });
    return out;
}

// The phone a kind such as "Mobile", "* Work" or "Home Fax" names.
std::string phoneOfKind(std::string_view kind) {
    const std::string k = normalized(kind);
    const auto has = [&](const char* word) { return k.find(word) != std::string::npos; };
    if (has("fax")) return "Fax";
    if (has("pager")) return "Pager";
    if (has("mobil") || has("cell") || has("handy") || has("móvil")) return "CelPhone";
    if (has("work") || has("business") || has("office") || has("arbeit")) return "WorkPhone";
    return "HomePhone";
}

// The column holding the kind of the phone in column `column`: the same name with "Type"
// or "Label" in place of "Value" ("Phone 1 - Value" beside "Phone 1 - Type").
std::optional<size_t> kindColumn(const std::vector<std::string>& names, size_t column) {
    const std::string own = normalized(names[column]);
    if (!own.ends_with("value")) return std::nullopt;
    const std::string stem = own.substr(0, own.size() - 5);
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string other = normalized(names[i]);
        if (other == stem + "type" || other == stem + "label") return i;
    }
    return std::nullopt;
}

}  // namespace

ColumnMatch matchColumnName(TransferKind kind, std::string_view name) {
    const std::string key = normalized(name);
    const auto& aliases = aliasesOf(kind);
    if (const Alias* alias = find(aliases, key); alias != nullptr && alias->rank > 0)
        return {alias->field, alias->rank};
    // "Business Phone 2", "E-mail 1 - Value": a numbered column means less than the
    // unnumbered one, and the first of several wins.
    const std::string bare = withoutDigits(key);
    if (bare != key) {
        if (const Alias* alias = find(aliases, bare); alias != nullptr && alias->rank > 1)
            return {alias->field, alias->rank - 1};
    }
    return {};
}

std::vector<std::string> assignColumnsByName(TransferKind kind,
                                             const std::vector<std::string>& names,
                                             const std::vector<std::string>& firstValues) {
    std::vector<ColumnMatch> matches;
    for (size_t i = 0; i < names.size(); ++i) {
        ColumnMatch match = matchColumnName(kind, names[i]);
        if (match.field == kTypedPhone) {
            const auto kindAt = kindColumn(names, i);
            if (kindAt && *kindAt < firstValues.size()) {
                match.field = phoneOfKind(firstValues[*kindAt]);
            } else {
                match.field = "HomePhone";
                match.rank = 1;
            }
        }
        matches.push_back(std::move(match));
    }
    // Each field to its best column, the leftmost of equals.
    std::map<std::string, size_t> best;
    for (size_t i = 0; i < matches.size(); ++i) {
        if (matches[i].field.empty()) continue;
        const auto [it, fresh] = best.try_emplace(matches[i].field, i);
        if (!fresh && matches[it->second].rank < matches[i].rank) it->second = i;
    }
    std::vector<std::string> fields(names.size());
    for (const auto& [field, column] : best)
        fields[column] = field;
    return fields;
}
