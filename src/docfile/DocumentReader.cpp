#include "docfile/DocumentReader.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "docfile/TextEncoding.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "records/SecondsConverter.h"

namespace {

// The number at the start of a text, read as the C library's atol reads it: leading
// white space, a sign, digits up to the first other byte; 0 without digits. Values beyond
// the 64-bit range stop at its ends.
int64_t atolValue(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint64_t magnitude = 0;
    const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + static_cast<uint64_t>(text[i] - '0');
        if (magnitude > limit) {
            magnitude = limit;
            for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            }
            break;
        }
    }
    return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

int32_t intValue(std::string_view text) {
    return static_cast<int32_t>(atolValue(text));
}

// Stores a text value. Earlier versions wrote each CR LF of a value as CR CR LF and so
// gained a CR at every save; any run of CRs before a LF is read as one line break.
void assignText(std::string& field, std::string_view value) {
    if (std::memchr(value.data(), '\r', value.size()) == nullptr) {
        field.assign(value);
        return;
    }
    field.clear();
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r') {
            size_t j = i;
            while (j < value.size() && value[j] == '\r')
                ++j;
            if (j < value.size() && value[j] == '\n') {
                field += '\r';
                i = j - 1;
                continue;
            }
        }
        field += value[i];
    }
}

struct PersonText {
    std::string_view name;
    std::string Person::*field;
};

constexpr PersonText kPersonText[] = {
    {"FName", &Person::FName},       {"LName", &Person::LName},       {"RName", &Person::RName},
    {"Company", &Person::Company},   {"Position", &Person::Position}, {"Addr1", &Person::Addr1},
    {"Addr2", &Person::Addr2},       {"City", &Person::City},         {"State", &Person::State},
    {"Zip", &Person::Zip},           {"Notes", &Person::Notes},       {"HmPhone", &Person::HmPhone},
    {"WkPhone", &Person::WkPhone},   {"WkExt", &Person::WkExt},       {"Fax", &Person::Fax},
    {"CelPhone", &Person::CelPhone}, {"Pager", &Person::Pager},       {"EMail", &Person::EMail},
    {"WebPage", &Person::WebPage},
};
constexpr size_t kPersonTextCount = sizeof kPersonText / sizeof kPersonText[0];

struct UserText {
    std::string_view name;
    std::string User::*field;
};

constexpr UserText kUserText[] = {
    {"FName", &User::FName},       {"LName", &User::LName}, {"Company", &User::Company},
    {"Position", &User::Position}, {"Addr1", &User::Addr1}, {"Addr2", &User::Addr2},
    {"City", &User::City},         {"State", &User::State}, {"Zip", &User::Zip},
};

// Maps elements and attributes onto records while the tokenizer reads. Depth 1 is the
// root, 2 a collection, 3 a record, 4 and 5 the parts of a record held in elements.
class DocumentBuilder {
public:
    explicit DocumentBuilder(PimDocument& document)
        : document_(document), now_(document.clock().now()) {}

    void startElement(std::string_view name);
    void attribute(std::string_view name, std::string_view value);
    void startTagEnd();
    void text(std::string_view run) {
        if (collecting_ && depth_ == collectDepth_) collected_ += run;
    }
    void comment(std::string_view) {}
    void endElement();

private:
    enum class Section { None, Persons, Tasks, Appointments, User, Groups };

    void personAttribute(std::string_view name, std::string_view value);
    void taskAttribute(std::string_view name, std::string_view value);
    void appointmentAttribute(std::string_view name, std::string_view value);
    void groupAttribute(std::string_view name, std::string_view value);
    void userAttribute(std::string_view name, std::string_view value);
    DateTime dateValue(std::string_view text) { return seconds_.fromSeconds(atolValue(text)); }
    void collect() {
        collecting_ = true;
        collectDepth_ = depth_;
        collected_.clear();
    }

    PimDocument& document_;
    const DateTime now_;  // "now" of records' defaults: the moment reading began
    SecondsConverter seconds_;
    int depth_ = 0;
    bool isPim_ = false;
    std::string versionText_;
    bool hasVersion_ = false;
    int version_ = 0;
    Section section_ = Section::None;
    bool inRecord_ = false;
    bool inGroupList_ = false;
    bool collecting_ = false;
    int collectDepth_ = 0;
    std::string collected_;
    size_t nextPersonField_ = 0;  // attributes mostly come in the written order

    // The working records: a field whose attribute is missing keeps its value from the
    // previous record of the same collection element.
    Person person_;
    Task task_;
    Appointment appointment_;
    PhGroup group_;
};

void DocumentBuilder::startElement(std::string_view name) {
    ++depth_;
    if (depth_ == 1) {
        isPim_ = name == "Pim";
    } else if (depth_ == 2) {
        section_ = Section::None;
        if (version_ != 1 && version_ != 16) return;
        if (name == "Persons") {
            section_ = Section::Persons;
            person_ = Person{};
        } else if (name == "Tasks") {
            section_ = Section::Tasks;
            task_ = Task::createdAt(now_);
        } else if (name == "Appointments") {
            section_ = Section::Appointments;
            appointment_ = Appointment::createdAt(now_);
        } else if (name == "User") {
            section_ = Section::User;
        } else if (name == "PhGroups" && version_ == 16) {
            section_ = Section::Groups;
            group_ = PhGroup{};
        }
    } else if (depth_ == 3) {
        inRecord_ = false;
        switch (section_) {
            case Section::Persons:
                inRecord_ = version_ == 1 || name == "Person";
                if (inRecord_) person_.PhGroups.clear();
                break;
            case Section::Tasks:
            case Section::Appointments:
            case Section::Groups:
                inRecord_ = true;
                break;
            default:
                break;
        }
    } else if (depth_ == 4 && inRecord_) {
        if (section_ == Section::Persons && version_ == 16 && name == "PhGroups")
            inGroupList_ = true;
        else if (section_ == Section::Groups && name == "Desc")
            collect();
    } else if (depth_ == 5 && inGroupList_ && name == "PhGroup") {
        collect();
    }
}

void DocumentBuilder::attribute(std::string_view name, std::string_view value) {
    if (depth_ == 1) {
        if (isPim_ && name == "Version") {
            versionText_.assign(value);
            hasVersion_ = true;
        }
    } else if (depth_ == 2) {
        if (name == "LastID") {
            const int32_t lastId = intValue(value);
            switch (section_) {
                case Section::Persons:
                    document_.persons().setLastId(lastId);
                    break;
                case Section::Tasks:
                    document_.tasks().setLastId(lastId);
                    break;
                case Section::Appointments:
                    document_.appointments().setLastId(lastId);
                    break;
                case Section::Groups:
                    document_.phGroups().setLastId(lastId);
                    break;
                default:
                    break;
            }
        }
        if (section_ == Section::User) userAttribute(name, value);
    } else if (depth_ == 3 && inRecord_) {
        switch (section_) {
            case Section::Persons:
                personAttribute(name, value);
                break;
            case Section::Tasks:
                taskAttribute(name, value);
                break;
            case Section::Appointments:
                appointmentAttribute(name, value);
                break;
            case Section::Groups:
                groupAttribute(name, value);
                break;
            default:
                break;
        }
    }
}

void DocumentBuilder::startTagEnd() {
    if (depth_ != 1) return;
    version_ = isPim_ && hasVersion_ ? intValue(versionText_) : 0;
    if (version_ == 1) document_.seedDefaultGroups();
}

void DocumentBuilder::endElement() {
    if (collecting_ && depth_ == collectDepth_) {
        collecting_ = false;
        if (section_ == Section::Groups)
            assignText(group_.Desc, collected_);
        else
            person_.PhGroups.push_back(intValue(collected_));
    }
    if (depth_ == 4) {
        inGroupList_ = false;
    } else if (depth_ == 3 && inRecord_) {
        inRecord_ = false;
        switch (section_) {
            case Section::Persons:
                if (version_ == 1) {
                    if (person_.WhitePages) person_.PhGroups.push_back(2);
                    if (person_.YellowPages) person_.PhGroups.push_back(3);
                    person_.PhGroups.push_back(1);
                    document_.persons().insert(person_);
                    person_.PhGroups.clear();
                } else {
                    document_.persons().insert(person_);
                }
                break;
            case Section::Tasks:
                document_.tasks().insert(task_);
                break;
            case Section::Appointments:
                document_.appointments().insert(appointment_);
                break;
            case Section::Groups:
                document_.phGroups().insert(group_);
                break;
            default:
                break;
        }
    }
    --depth_;
}

void DocumentBuilder::personAttribute(std::string_view name, std::string_view value) {
    // Try the field after the last one first: files we wrote list them in that order.
    for (size_t n = 0; n < kPersonTextCount; ++n) {
        const size_t i = (nextPersonField_ + n) % kPersonTextCount;
        if (kPersonText[i].name == name) {
            assignText(person_.*kPersonText[i].field, value);
            nextPersonField_ = i + 1;
            return;
        }
    }
    if (name == "ID")
        person_.ID = intValue(value);
    else if (name == "WhitePages")
        person_.WhitePages = value == "1" ? 1 : 0;
    else if (name == "YellowPages")
        person_.YellowPages = value == "1" ? 1 : 0;
}

void DocumentBuilder::taskAttribute(std::string_view name, std::string_view value) {
    if (name == "ID")
        task_.ID = intValue(value);
    else if (name == "Description")
        assignText(task_.Description, value);
    else if (name == "Priority")
        task_.Priority = intValue(value);
    else if (name == "DueDate")
        task_.DueDate = dateValue(value);
    else if (name == "DoneDate")
        task_.DoneDate = dateValue(value);
}

void DocumentBuilder::appointmentAttribute(std::string_view name, std::string_view value) {
    if (name == "ID")
        appointment_.ID = intValue(value);
    else if (name == "Description")
        assignText(appointment_.Description, value);
    else if (name == "DueDate")
        appointment_.DueDate = dateValue(value);
    else if (name == "StartTime")
        appointment_.StartTime = dateValue(value);
    else if (name == "EndTime")
        appointment_.EndTime = dateValue(value);
    else if (name == "AlarmTime")
        appointment_.AlarmTime = dateValue(value);
    else if (name == "Alarm")
        appointment_.Alarm = value == "1";
    else if (name == "Done")
        appointment_.Done = value == "1";
}

void DocumentBuilder::groupAttribute(std::string_view name, std::string_view value) {
    if (name == "ID") group_.ID = intValue(value);
}

void DocumentBuilder::userAttribute(std::string_view name, std::string_view value) {
    for (const UserText& text : kUserText) {
        if (text.name == name) {
            assignText(document_.user().*text.field, value);
            return;
        }
    }
}

}  // namespace

DocumentReadResult readDocumentText(std::string_view bytes, PimDocument& document) {
    if (const void* zero = std::memchr(bytes.data(), '\0', bytes.size()))
        bytes = bytes.substr(0, static_cast<size_t>(static_cast<const char*>(zero) - bytes.data()));
    bytes = withoutUtf8Bom(bytes);
    // Files written on Windows hold Windows-1252 text; inside the program text is UTF-8.
    std::string converted;
    if (!isValidUtf8(bytes)) {
        converted = windows1252ToUtf8(bytes);
        bytes = converted;
    }
    XmlTokenizer tokenizer(bytes);
    DocumentBuilder builder(document);
    try {
        tokenizer.run(builder);
    } catch (const XmlSyntaxError& error) {
        return {false, positionOf(bytes, error.offset)};
    }
    return {true, {}};
}
