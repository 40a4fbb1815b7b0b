#include "docfile/DocumentWriter.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string_view>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "records/SecondsConverter.h"

namespace {

// Bytes a value cannot hold as they are.
constexpr std::array<bool, 256> kSpecial = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : {'&', '<', '>', '\'', '"', '\n', '\0'})
        table[c] = true;
    return table;
}();

class Writer {
public:
    explicit Writer(const PimDocument& document)
        : document_(document), todaySeconds_(seconds_.toSeconds(document.clock().today())) {}

    std::string run();

private:
    void line(int tabs, std::string_view text) {
        out_.append(static_cast<size_t>(tabs), '\t');
        out_ += text;
    }
    void end(std::string_view text) {
        out_ += text;
        out_ += "\r\n";
    }
    void number(int64_t value) {
        char buffer[24];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        out_.append(buffer, result.ptr);
    }
    void escaped(std::string_view value);
    void textAttribute(std::string_view name, std::string_view value) {
        attributeStart(name);
        escaped(value);
        out_ += '"';
    }
    void numberAttribute(std::string_view name, int64_t value) {
        attributeStart(name);
        number(value);
        out_ += '"';
    }
    void attributeStart(std::string_view name) {
        out_ += ' ';
        out_ += name;
        out_ += "=\"";
    }
    void collectionStart(std::string_view name, int32_t lastId) {
        line(1, "<");
        out_ += name;
        numberAttribute("LastID", lastId);
        end(">");
    }
    // Seconds of a date, or of today when the date has none.
    int64_t secondsOrToday(DateTime date) {
        const int64_t seconds = seconds_.toSeconds(date);
        return seconds == -1 ? todaySeconds_ : seconds;
    }

    void groups();
    void tasks();
    void persons();
    void appointments();
    void user();

    const PimDocument& document_;
    SecondsConverter seconds_;  // before todaySeconds_, which it computes
    const int64_t todaySeconds_;
    std::string out_;
};

void Writer::escaped(std::string_view value) {
    size_t done = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (!kSpecial[c]) continue;
        out_.append(value.data() + done, i - done);
        done = i + 1;
        switch (c) {
            case '&':
                out_ += "&amp;";
                break;
            case '<':
                out_ += "&lt;";
                break;
            case '>':
                out_ += "&gt;";
                break;
            case '\'':
                out_ += "&apos;";
                break;
            case '"':
                out_ += "&quot;";
                break;
            case '\n':
                // Lines end in CR LF; a CR LF already in the value stays one line break.
                out_ += (i > 0 && value[i - 1] == '\r') ? "\n" : "\r\n";
                break;
            default:
                // A raw zero byte would end the text when the file is read back.
                out_ += "&#0;";
                break;
        }
    }
    out_.append(value.data() + done, value.size() - done);
}

void Writer::groups() {
    collectionStart("PhGroups", document_.phGroups().lastId());
    for (const auto& [id, group] : document_.phGroups()) {
        line(2, "<PhGroup");
        numberAttribute("ID", group.ID);
        end(">");
        line(3, "<Desc>");
        escaped(group.Desc);
        end("</Desc>");
        line(2, "");
        end("</PhGroup>");
    }
    line(1, "");
    end("</PhGroups>");
}

void Writer::tasks() {
    collectionStart("Tasks", document_.tasks().lastId());
    for (const auto& [id, task] : document_.tasks()) {
        line(2, "<Task");
        numberAttribute("ID", task.ID);
        textAttribute("Description", task.Description);
        numberAttribute("Priority", task.Priority);
        numberAttribute("DueDate", secondsOrToday(task.DueDate));
        numberAttribute("DoneDate", task.isDone() ? secondsOrToday(task.DoneDate) : 0);
        end(" />");
    }
    line(1, "");
    end("</Tasks>");
}

void Writer::persons() {
    collectionStart("Persons", document_.persons().lastId());
    for (const auto& [id, p] : document_.persons()) {
        line(2, "<Person");
        numberAttribute("ID", p.ID);
        textAttribute("FName", p.FName);
        textAttribute("LName", p.LName);
        textAttribute("RName", p.RName);
        textAttribute("Company", p.Company);
        textAttribute("Position", p.Position);
        textAttribute("Addr1", p.Addr1);
        textAttribute("Addr2", p.Addr2);
        textAttribute("City", p.City);
        textAttribute("State", p.State);
        textAttribute("Zip", p.Zip);
        numberAttribute("YellowPages", p.YellowPages);
        numberAttribute("WhitePages", p.WhitePages);
        textAttribute("Notes", p.Notes);
        textAttribute("HmPhone", p.HmPhone);
        textAttribute("WkPhone", p.WkPhone);
        textAttribute("WkExt", p.WkExt);
        textAttribute("Fax", p.Fax);
        textAttribute("CelPhone", p.CelPhone);
        textAttribute("Pager", p.Pager);
        textAttribute("EMail", p.EMail);
        textAttribute("WebPage", p.WebPage);
        end(">");
        line(3, "");
        end("<PhGroups>");
        for (const int32_t group : p.PhGroups) {
            line(4, "<PhGroup>");
            number(group);
            end("</PhGroup>");
        }
        line(3, "");
        end("</PhGroups>");
        line(2, "");
        end("</Person>");
    }
    line(1, "");
    end("</Persons>");
}

void Writer::appointments() {
    collectionStart("Appointments", document_.appointments().lastId());
    for (const auto& [id, a] : document_.appointments()) {
        line(2, "<Appointment");
        numberAttribute("ID", a.ID);
        textAttribute("Description", a.Description);
        numberAttribute("DueDate", seconds_.toSeconds(a.DueDate));
        numberAttribute("StartTime", seconds_.toSeconds(a.StartTime));
        numberAttribute("EndTime", seconds_.toSeconds(a.EndTime));
        numberAttribute("Alarm", a.Alarm ? 1 : 0);
        numberAttribute("AlarmTime", a.Alarm ? seconds_.toSeconds(a.AlarmTime) : 0);
        numberAttribute("Done", a.Done ? 1 : 0);
        end(" />");
    }
    line(1, "");
    end("</Appointments>");
}

void Writer::user() {
    const User& u = document_.user();
    // The format has two spaces between the element name and the first attribute.
    line(1, "<User ");
    textAttribute("FName", u.FName);
    textAttribute("LName", u.LName);
    textAttribute("Company", u.Company);
    textAttribute("Position", u.Position);
    textAttribute("Addr1", u.Addr1);
    textAttribute("Addr2", u.Addr2);
    textAttribute("City", u.City);
    textAttribute("State", u.State);
    textAttribute("Zip", u.Zip);
    end(" />");
}

std::string Writer::run() {
    // Roughly what the records need, so the text grows without copying.
    out_.reserve(512 + document_.persons().size() * 640 + document_.tasks().size() * 128 +
                 document_.appointments().size() * 192 + document_.phGroups().size() * 64);
    end("<?xml version=\"1.0\"?>");
    end("<Pim Version=\"16\">");
    groups();
    tasks();
    persons();
    appointments();
    user();
    end("</Pim>");
    return std::move(out_);
}

}  // namespace

std::string formatDocument(const PimDocument& document) {
    return Writer(document).run();
}
