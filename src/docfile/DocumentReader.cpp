#include "docfile/DocumentReader.h"
#include "platform/Translate.h"

#include <cstdint>
#include <string>
#include <vector>

#include "docfile/FieldValues.h"
#include "docfile/RecordFieldReader.h"
#include "docfile/ScheduleForm.h"
#include "docfile/ScheduleReader.h"
#include "docfile/TextRelease.h"
#include "docfile/XmlTokenizer.h"
#include "fileio/FileBytes.h"
#include "fileio/FileWindow.h"
#include "fileio/TextEncoding.h"
#include "records/PimContents.h"

namespace {

// How much of a name or value from the file a message quotes.
constexpr size_t kQuotedLength = 40;

// Maps elements and attributes onto records while the tokenizer reads. Depth 1 is the
// root, 2 a collection, 3 a record, 4 and 5 the parts of a record held in elements.
class DocumentBuilder {
public:
    // `text` is what the tokenizer reads.
    DocumentBuilder(PimContents& contents, DateTime now, std::string_view text,
                    TextRelease& release)
        : contents_(contents), now_(now), release_(release), fields_(text) {}

    void startElement(std::string_view name);
    void attribute(std::string_view name, std::string_view value);
    // The value of the attribute expectedAttribute() named.
    void expectedAttributeValue(std::string_view value) {
        switch (section_) {
            case Section::Persons:
                return fields_.expectedValue(person_, value);
            case Section::Tasks:
                return fields_.expectedValue(task_, value);
            case Section::Appointments:
                return fields_.expectedValue(appointment_, value);
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
                return fields_.expectedField<Person>();
            case Section::Tasks:
                return fields_.expectedField<Task>();
            case Section::Appointments:
                return fields_.expectedField<Appointment>();
            default:
                return nullptr;
        }
    }

    // Whether no view of the text is held: between records, where they are all taken.
    [[nodiscard]] bool mayMoveText() const { return depth_ <= 2; }

    // Why the text is not one of the program's documents; "" when it is.
    [[nodiscard]] std::string notOursReason() const;

private:
    enum class Section { None, Persons, Tasks, Appointments, User, Groups };

    bool uidAttribute(std::string_view name, std::string_view value) {
        if (name != kUidAttribute) return false;
        readText(uid_, value);
        return true;
    }
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
    TextRelease& release_;
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

    // The working records: a field whose attribute is missing keeps its value from the
    // previous record of the same collection element. Their texts are gathered apart, by
    // fields_, and given to them once, when they are stored.
    RecordFieldReader fields_;
    Person person_;
    Task task_;
    Appointment appointment_;
    std::vector<int32_t> groups_;  // the person's groups as they are read
    ScheduleReader schedule_;      // what the appointment holds beyond version 16
    std::string uid_;              // the record's UID; unlike its fields, its own or none
    PhGroup group_;
    const Person* previousPerson_ = nullptr;
    const Task* previousTask_ = nullptr;
    const Appointment* previousAppointment_ = nullptr;
};

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
        fields_.startRecord();
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
        if (section_ == Section::User) fields_.fieldAttribute(contents_.user, name, value);
    } else if (depth_ == 4 && inOccurrence_) {
        schedule_.occurrenceAttribute(name, value);
    } else if (depth_ == 3 && inRecord_) {
        switch (section_) {
            case Section::Persons:
                if (!fields_.fieldAttribute(person_, name, value)) uidAttribute(name, value);
                break;
            case Section::Tasks:
                if (!fields_.fieldAttribute(task_, name, value)) uidAttribute(name, value);
                break;
            case Section::Appointments:
                if (!fields_.fieldAttribute(appointment_, name, value) &&
                    !uidAttribute(name, value))
                    schedule_.attribute(name, value);
                break;
            case Section::Groups:
                fields_.fieldAttribute(group_, name, value);
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
                fields_.takeTexts(person_, previousPerson_);
                person_.uid = uid_;
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
                fields_.takeTexts(task_, previousTask_);
                task_.uid = uid_;
                previousTask_ = readLast(contents_.tasks.insertLoaded(std::move(task_)), task_);
                break;
            case Section::Appointments:
                fields_.takeTexts(appointment_, previousAppointment_);
                appointment_.uid = uid_;
                schedule_.finish(appointment_.schedule, fields_.seconds());
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

// Runs the tokenizer, which reads `text` as a whole or a window of it, into `contents`.
Status readWith(XmlTokenizer& tokenizer, std::string_view text, PimContents& contents, DateTime now,
                TextRelease& release) {
    DocumentBuilder builder(contents, now, text, release);
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
    return readWith(tokenizer, bytes, contents, now, release);
}

// The window's text, as the tokenizer takes it.
class WindowText final : public XmlTextWindow {
public:
    explicit WindowText(FileWindow& window) : window_(window) {}
    std::string_view slide(const char* keep) override {
        window_.slide(keep);
        return window_.text();
    }
    [[nodiscard]] bool ended() const override { return window_.ended(); }

private:
    FileWindow& window_;
};

}  // namespace

std::optional<Status> readDocumentText(FileWindow& window, PimContents& contents, DateTime now) {
    WindowText text(window);
    XmlTokenizer tokenizer(window.text(), XmlTokenizer::References::Windows1252Utf8);
    // A record longer than this runs past the window's end: such a text is read whole.
    tokenizer.readInWindows(text, window.memory().size() / 8);
    TextRelease release(window.memory(), nullptr);
    const Status read = readWith(tokenizer, window.memory(), contents, now, release);
    if (!window.failure()) return window.failure();
    if (read.kind() == FailureKind::Syntax) return std::nullopt;
    return read;
}

Status readDocumentText(std::string_view bytes, PimContents& contents, DateTime now) {
    return readText(bytes, nullptr, contents, now);
}

Status readDocumentText(FileBytes& bytes, PimContents& contents, DateTime now) {
    return readText(bytes.view(), &bytes, contents, now);
}
