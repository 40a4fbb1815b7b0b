#include "docfile/DocumentReader.h"
#include "platform/Translate.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "docfile/FieldValues.h"
#include "docfile/ScheduleForm.h"
#include "docfile/ScheduleReader.h"
#include "docfile/TextRelease.h"
#include "docfile/XmlTokenizer.h"
#include "fileio/FileBytes.h"
#include "fileio/TextEncoding.h"
#include "records/PimContents.h"
#include "records/RecordFields.h"
#include "records/SecondsConverter.h"

namespace {

// How much of a name or value from the file a message quotes.
constexpr size_t kQuotedLength = 40;

// Whether two names are the same. Attribute names are a few bytes long, shorter than a
// call of the library's memcmp would be worth, and of many lengths, where a loop over
// their bytes would guess its end wrong: they are compared as two words that may overlap.
bool sameName(std::string_view a, std::string_view b) {
    const size_t n = a.size();
    if (n != b.size()) return false;
    const char* const x = a.data();
    const char* const y = b.data();
    const auto same = [&]<class Word>(Word) {
        Word head[2];
        Word tail[2];
        std::memcpy(&head[0], x, sizeof(Word));
        std::memcpy(&head[1], y, sizeof(Word));
        std::memcpy(&tail[0], x + n - sizeof(Word), sizeof(Word));
        std::memcpy(&tail[1], y + n - sizeof(Word), sizeof(Word));
        return head[0] == head[1] && tail[0] == tail[1];
    };
    if (n >= 8) return n <= 16 ? same(uint64_t{}) : std::memcmp(x, y, n) == 0;
    if (n >= 4) return same(uint32_t{});
    for (size_t i = 0; i < n; ++i) {
        if (x[i] != y[i]) return false;
    }
    return true;
}

// The expected form of each field's attribute name; unused for a field without one.
struct ExpectedField {
    xml::ExpectedName name;
    bool used = false;
};

template <class Record>
constexpr auto expectedNames() {
    std::array<ExpectedField, recordFields<Record>().size()> names{};
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string_view name = recordFields<Record>()[i].documentName;
        if (name.empty() || name.size() > 14) continue;
        names[i] = {xml::expectedName(name), true};
    }
    return names;
}

// Maps elements and attributes onto records while the tokenizer reads. Depth 1 is the
// root, 2 a collection, 3 a record, 4 and 5 the parts of a record held in elements.
class DocumentBuilder {
public:
    // `text` is what the tokenizer reads.
    DocumentBuilder(PimContents& contents, DateTime now, std::string_view text,
                    TextRelease& release)
        : contents_(contents), now_(now), text_(text), release_(release) {}

    void startElement(std::string_view name);
    void attribute(std::string_view name, std::string_view value);
    // The value of the attribute expectedAttribute() named.
    void expectedAttributeValue(std::string_view value) {
        switch (section_) {
            case Section::Persons:
                return fieldValue(person_, expectedIndex<Person>(), value);
            case Section::Tasks:
                return fieldValue(task_, expectedIndex<Task>(), value);
            case Section::Appointments:
                return fieldValue(appointment_, expectedIndex<Appointment>(), value);
            default:
                return;
        }
    }
    void startTagEnd();
    void text(std::string_view run) {
        if (collecting_ && depth_ == collectDepth_) collected_ += run;
    }
    void comment(std::string_view) {}
    void endElement();
    // The attribute a record's element is expected to hold next: the one after the last.
    [[nodiscard]] const xml::ExpectedName* expectedAttribute() const {
        if (depth_ != 3 || !inRecord_) return nullptr;
        switch (section_) {
            case Section::Persons:
                return expectedField<Person>();
            case Section::Tasks:
                return expectedField<Task>();
            case Section::Appointments:
                return expectedField<Appointment>();
            default:
                return nullptr;
        }
    }

    // Why the text is not one of the program's documents; "" when it is.
    [[nodiscard]] std::string notOursReason() const;

private:
    enum class Section { None, Persons, Tasks, Appointments, User, Groups };

    // The field whose attribute is expected next: the one after the last.
    template <class Record>
    size_t expectedIndex() const {
        return nextField_ < recordFields<Record>().size() ? nextField_ : 0;
    }
    template <class Record>
    const xml::ExpectedName* expectedField() const {
        static constexpr auto kExpected = expectedNames<Record>();
        const ExpectedField& field = kExpected[expectedIndex<Record>()];
        return field.used ? &field.name : nullptr;
    }
    // Reads the attribute into the field of that name; false when the record kind has none.
    template <class Record>
    bool fieldAttribute(Record& record, std::string_view name, std::string_view value);
    // Reads a value into field `i`.
    template <class Record>
    void fieldValue(Record& record, size_t i, std::string_view value);
    bool uidAttribute(std::string_view name, std::string_view value) {
        if (name != kUidAttribute) return false;
        readText(uid_, value);
        return true;
    }
    // The value of text field `i`: a view of the file's text where it is the value as it
    // stands, held in owned_ where reading changed it or the tokenizer made it.
    std::string_view textValue(size_t i, std::string_view value) {
        // As addresses: the value may lie in memory of the tokenizer's own.
        const auto at = reinterpret_cast<uintptr_t>(value.data());
        const auto text = reinterpret_cast<uintptr_t>(text_.data());
        const bool inText = at >= text && at + value.size() <= text + text_.size();
        if (inText && value.find('\r') == std::string_view::npos) return value;
        readText(owned_[i], value);
        return owned_[i];
    }
    // Gives the record the texts read for it; a text its element leaves out is that of
    // `previous`, the record read before it in the collection, or empty without one.
    template <class Record>
    void takeTexts(Record& record, const Record* previous) const;
    // The record read last, once stored: `stored`, or the working record when its ID was
    // taken, which keeps its texts until the next record's replace them.
    template <class Record>
    static const Record* readLast(const Record* stored, const Record& record) {
        return stored != nullptr ? stored : &record;
    }
    void collect() {
        collecting_ = true;
        collectDepth_ = depth_;
        collected_.clear();
    }

    PimContents& contents_;
    const DateTime now_;  // "now" of records' defaults: the moment reading began
    const std::string_view text_;
    TextRelease& release_;
    SecondsConverter seconds_;
    int depth_ = 0;
    bool isPim_ = false;
    std::string rootName_;  // its start, for messages
    std::string versionText_;
    bool hasVersion_ = false;
    int version_ = 0;
    Section section_ = Section::None;
    bool inRecord_ = false;
    bool inGroupList_ = false;
    bool inOccurrence_ = false;
    bool collecting_ = false;
    int collectDepth_ = 0;
    std::string collected_;
    size_t nextField_ = 0;  // attributes mostly come in the written order

    // The working records and their texts, by field index: a field whose attribute is
    // missing keeps its value from the previous record of the same collection element.
    // The texts are held apart so that a person's are put together once, when it is
    // stored, and are mostly views of the file's text, copied only into the record.
    Person person_;
    Task task_;
    Appointment appointment_;
    std::vector<int32_t> groups_;  // the person's groups as they are read
    ScheduleReader schedule_;      // what the appointment holds beyond version 16
    std::string uid_;              // the record's UID; unlike its fields, its own or none
    PhGroup group_;
    // The texts read for the record, by field index; only those of givenTexts_ are its own.
    std::array<std::string_view, 32> texts_;
    uint32_t givenTexts_ = 0;  // a bit for each field index whose attribute the element has
    const Person* previousPerson_ = nullptr;
    const Task* previousTask_ = nullptr;
    const Appointment* previousAppointment_ = nullptr;
    std::array<std::string, 32> owned_;
};

template <class Record>
void DocumentBuilder::takeTexts(Record& record, const Record* previous) const {
    const auto fields = recordFields<Record>();
    const auto given = [&](size_t i) { return (givenTexts_ >> i & 1u) != 0; };
    if constexpr (std::is_same_v<Record, Person>) {
        PersonTexts values;
        size_t next = 0;
        for (size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].type != FieldType::Text) continue;
            // Views of the previous person's block, which setTexts reads before it lets go
            // of anything.
            values[next] = given(i)              ? texts_[i]
                           : previous != nullptr ? previous->text(PersonText(next))
                                                 : std::string_view();
            ++next;
        }
        record.setTexts(values);
    } else {
        for (size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].type != FieldType::Text || (!given(i) && previous == &record)) continue;
            fields[i].setText(record, given(i)              ? texts_[i]
                                      : previous != nullptr ? fields[i].textOf(*previous)
                                                            : std::string_view());
        }
    }
}

void DocumentBuilder::startElement(std::string_view name) {
    ++depth_;
    if (depth_ == 1) {
        isPim_ = name == "Pim";
        rootName_ = name.substr(0, kQuotedLength);
    } else if (depth_ == 2) {
        section_ = Section::None;
        previousPerson_ = nullptr;
        previousTask_ = nullptr;
        previousAppointment_ = nullptr;
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
        release_.reachedAt(name.data());
        inRecord_ = false;
        givenTexts_ = 0;
        uid_.clear();
        switch (section_) {
            case Section::Persons:
                inRecord_ = version_ == 1 || name == "Person";
                if (inRecord_) {
                    groups_.clear();
                    clearAddedFields(person_);
                }
                break;
            case Section::Appointments:
                schedule_.start();
                inRecord_ = true;
                break;
            case Section::Tasks:
            case Section::Groups:
                inRecord_ = true;
                break;
            default:
                break;
        }
    } else if (depth_ == 4 && inRecord_) {
        if (section_ == Section::Persons && version_ == 16 && name == "PhGroups") {
            inGroupList_ = true;
        } else if (section_ == Section::Groups && name == "Desc") {
            collect();
        } else if (section_ == Section::Appointments && name == scheduleform::kOccurrence) {
            inOccurrence_ = true;
            schedule_.occurrenceStart();
        }
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
            const int32_t lastId = readInt(value);
            switch (section_) {
                case Section::Persons:
                    contents_.persons.setLastId(lastId);
                    break;
                case Section::Tasks:
                    contents_.tasks.setLastId(lastId);
                    break;
                case Section::Appointments:
                    contents_.appointments.setLastId(lastId);
                    break;
                case Section::Groups:
                    contents_.phGroups.setLastId(lastId);
                    break;
                default:
                    break;
            }
        }
        if (section_ == Section::User) fieldAttribute(contents_.user, name, value);
    } else if (depth_ == 4 && inOccurrence_) {
        schedule_.occurrenceAttribute(name, value);
    } else if (depth_ == 3 && inRecord_) {
        switch (section_) {
            case Section::Persons:
                if (!fieldAttribute(person_, name, value)) uidAttribute(name, value);
                break;
            case Section::Tasks:
                if (!fieldAttribute(task_, name, value)) uidAttribute(name, value);
                break;
            case Section::Appointments:
                if (!fieldAttribute(appointment_, name, value) && !uidAttribute(name, value))
                    schedule_.attribute(name, value);
                break;
            case Section::Groups:
                fieldAttribute(group_, name, value);
                break;
            default:
                break;
        }
    }
}

void DocumentBuilder::startTagEnd() {
    if (depth_ != 1) return;
    version_ = isPim_ && hasVersion_ ? readInt(versionText_) : 0;
    if (version_ == 1) contents_.seedDefaultGroups();
}

void DocumentBuilder::endElement() {
    if (collecting_ && depth_ == collectDepth_) {
        collecting_ = false;
        if (section_ == Section::Groups)
            readText(group_.Desc, collected_);
        else
            groups_.push_back(readInt(collected_));
    }
    if (depth_ == 4) {
        inGroupList_ = false;
        if (inOccurrence_) schedule_.occurrenceEnd();
        inOccurrence_ = false;
    } else if (depth_ == 3 && inRecord_) {
        inRecord_ = false;
        switch (section_) {
            case Section::Persons:
                takeTexts(person_, previousPerson_);
                person_.uid = std::move(uid_);
                if (version_ == 1) {
                    if (person_.WhitePages) groups_.push_back(2);
                    if (person_.YellowPages) groups_.push_back(3);
                    groups_.push_back(1);
                }
                // Gathered apart, the list takes one block of its size rather than growing.
                person_.PhGroups.assign(groups_.begin(), groups_.end());
                previousPerson_ =
                    readLast(contents_.persons.insertLoaded(std::move(person_)), person_);
                person_.PhGroups.clear();
                break;
            case Section::Tasks:
                takeTexts(task_, previousTask_);
                task_.uid = std::move(uid_);
                previousTask_ = readLast(contents_.tasks.insertLoaded(std::move(task_)), task_);
                break;
            case Section::Appointments:
                takeTexts(appointment_, previousAppointment_);
                appointment_.uid = std::move(uid_);
                schedule_.finish(appointment_.schedule, seconds_);
                previousAppointment_ = readLast(
                    contents_.appointments.insertLoaded(std::move(appointment_)), appointment_);
                break;
            case Section::Groups:
                contents_.phGroups.insert(group_);
                break;
            default:
                break;
        }
    }
    --depth_;
}

template <class Record>
bool DocumentBuilder::fieldAttribute(Record& record, std::string_view name,
                                     std::string_view value) {
    static_assert(recordFields<Record>().size() <= std::tuple_size_v<decltype(texts_)>);
    const auto fields = recordFields<Record>();
    // The field after the last one first: files list them in that order. Then the others;
    // no two fields have one name.
    size_t i = nextField_ < fields.size() ? nextField_ : 0;
    if (!sameName(fields[i].documentName, name)) {
        i = 0;
        while (i < fields.size() && !sameName(fields[i].documentName, name))
            ++i;
        if (i == fields.size()) return false;
    }
    fieldValue(record, i, value);
    return true;
}

template <class Record>
void DocumentBuilder::fieldValue(Record& record, size_t i, std::string_view value) {
    const FieldSpec<Record>& field = recordFields<Record>()[i];
    nextField_ = i + 1;
    switch (field.type) {
        case FieldType::Text:
            texts_[i] = textValue(i, value);
            givenTexts_ |= 1u << i;
            // The owner's fields are read once, straight into the record.
            if constexpr (std::is_same_v<Record, User>) field.setText(record, texts_[i]);
            break;
        case FieldType::Number:
            record.*field.number = readInt(value);
            break;
        case FieldType::Flag:
            setFlag(record, field, value == "1");
            break;
        case FieldType::Date: {
            const int64_t seconds = readLong(value);
            record.*field.date = seconds_.fromSeconds(seconds);
            // The seconds tell which pass of a repeated hour the time is in; the value alone
            // would be written back as the first.
            if (field.laterBit != 0) setLaterOfTwo(record, field, seconds_.isLaterOfTwo(seconds));
            break;
        }
        case FieldType::Yearly:
            // A day that cannot be read is none, as an older reader sees it.
            record.*field.yearly = MonthDay::parse(value).value_or(MonthDay());
            break;
    }
}

std::string DocumentBuilder::notOursReason() const {
    if (!isPim_)
        return fillIn(_("not a Quillmate document: its root element is <%s>"), {rootName_});
    if (version_ == 1 || version_ == 16) return "";
    if (version_ > 16) {
        return fillIn(_("written by a newer Quillmate (document version %s); this program reads "
                        "versions 1 and 16"),
                      {std::to_string(version_)});
    }
    if (!hasVersion_) return _("not a Quillmate document: its Pim element has no Version");
    return fillIn(_("unknown document version \"%s\"; this program reads versions 1 and 16"),
                  {versionText_.substr(0, kQuotedLength)});
}

}  // namespace

namespace {

// `owner`, when given, holds `bytes` and may hand their memory back as they are read.
Status readText(std::string_view bytes, FileBytes* owner, PimContents& contents, DateTime now) {
    const size_t bom = bytes.size() - withoutUtf8Bom(bytes).size();
    bytes.remove_prefix(bom);
    // The text ends at its first zero byte. Files written on Windows hold Windows-1252
    // text; inside the program text is UTF-8. The mark is a whole UTF-8 character without
    // zero bytes: a scan made while the file was read holds for what follows it.
    Utf8Scan scan;
    if (owner != nullptr && owner->utf8Scan() && bytes.data() == owner->view().data() + bom) {
        scan = *owner->utf8Scan();
        scan.length -= bom;
    } else {
        scan = scanUtf8UpToZero(bytes);
    }
    bytes = bytes.substr(0, scan.length);
    std::string converted;
    if (!scan.valid && owner != nullptr) {
        // Converted a piece at a time into memory of its own, whose bytes are then handed
        // back as they are read, as those of a UTF-8 file are.
        const auto offset = static_cast<size_t>(bytes.data() - owner->view().data());
        if (!convertToUtf8(*owner, offset, bytes.size()))
            return Status::failure(FailureKind::Read, "", _("not enough memory to load it"));
        bytes = owner->view();
    } else if (!scan.valid) {
        converted = utf8WithWindows1252Fallback(bytes);
        bytes = converted;
    }
    // Records hold UTF-8: a reference to a byte from 0x80 up names the Windows-1252
    // character the program that wrote it meant.
    XmlTokenizer tokenizer(bytes, XmlTokenizer::References::Windows1252Utf8);
    TextRelease release(bytes, owner);
    DocumentBuilder builder(contents, now, bytes, release);
    try {
        tokenizer.run(builder);
    } catch (const XmlSyntaxError& error) {
        const TextPosition at = release.positionOf(error.offset);
        return Status::failure(FailureKind::Syntax, "", _("the text is not well-formed XML"),
                               at.line, at.column);
    }
    // Saving what was read of another kind of file would put an empty document in its
    // place: such a text is refused, not read as empty.
    if (std::string reason = builder.notOursReason(); !reason.empty())
        return Status::failure(FailureKind::Content, "", std::move(reason));
    return {};
}

}  // namespace

Status readDocumentText(std::string_view bytes, PimContents& contents, DateTime now) {
    return readText(bytes, nullptr, contents, now);
}

Status readDocumentText(FileBytes& bytes, PimContents& contents, DateTime now) {
    return readText(bytes.view(), &bytes, contents, now);
}
