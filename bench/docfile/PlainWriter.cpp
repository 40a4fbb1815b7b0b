#include "PlainWriter.h"

#include <string>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "records/SecondsConverter.h"

namespace {

void escaped(std::FILE* out, std::string_view value) {
    char previous = 0;
    for (const char c : value) {
        switch (c) {
            case '&':
                std::fputs("&amp;", out);
                break;
            case '<':
                std::fputs("&lt;", out);
                break;
            case '>':
                std::fputs("&gt;", out);
                break;
            case '\'':
                std::fputs("&apos;", out);
                break;
            case '"':
                std::fputs("&quot;", out);
                break;
            case '\n':
                std::fputs(previous == '\r' ? "\n" : "\r\n", out);
                break;
            case '\0':
                std::fputs("&#0;", out);
                break;
            default:
                std::fputc(c, out);
        }
        previous = c;
    }
}

void text(std::FILE* out, const char* name, std::string_view value) {
    std::fprintf(out, " %s=\"", name);
    escaped(out, value);
    std::fputc('"', out);
}

}  // namespace

void writePlainly(const PimDocument& d, std::FILE* out) {
    // Dates convert as in the program's save, so that only the writing is compared.
    SecondsConverter converter;
    const auto secondsOf = [&](DateTime date) {
        return static_cast<long long>(converter.toSeconds(date));
    };
    const long long today = secondsOf(DateTime::today(d.clock()));
    const auto orToday = [&](DateTime date) {
        const long long seconds = secondsOf(date);
        return seconds == -1 ? today : seconds;
    };
    std::fprintf(out, "<?xml version=\"1.0\"?>\r\n<Pim Version=\"16\">\r\n");
    std::fprintf(out, "\t<PhGroups LastID=\"%d\">\r\n", d.phGroups().lastId());
    for (const auto& [id, g] : d.phGroups()) {
        std::fprintf(out, "\t\t<PhGroup ID=\"%d\">\r\n\t\t\t<Desc>", g.ID);
        escaped(out, g.Desc);
        std::fprintf(out, "</Desc>\r\n\t\t</PhGroup>\r\n");
    }
    std::fprintf(out, "\t</PhGroups>\r\n\t<Tasks LastID=\"%d\">\r\n", d.tasks().lastId());
    for (const auto& [id, t] : d.tasks()) {
        std::fprintf(out, "\t\t<Task ID=\"%d\"", t.ID);
        text(out, "Description", t.Description);
        std::fprintf(out, " Priority=\"%d\" DueDate=\"%lld\" DoneDate=\"%lld\" />\r\n", t.Priority,
                     orToday(t.DueDate), t.isDone() ? orToday(t.DoneDate) : 0);
    }
    std::fprintf(out, "\t</Tasks>\r\n\t<Persons LastID=\"%d\">\r\n", d.persons().lastId());
    for (const auto& [id, p] : d.persons()) {
        std::fprintf(out, "\t\t<Person ID=\"%d\"", p.ID);
        text(out, "FName", p.FName());
        text(out, "LName", p.LName());
        text(out, "RName", p.RName());
        text(out, "Company", p.Company());
        text(out, "Position", p.Position());
        text(out, "Addr1", p.Addr1());
        text(out, "Addr2", p.Addr2());
        text(out, "City", p.City());
        text(out, "State", p.State());
        text(out, "Zip", p.Zip());
        std::fprintf(out, " YellowPages=\"%d\" WhitePages=\"%d\"", p.YellowPages, p.WhitePages);
        text(out, "Notes", p.Notes());
        text(out, "HmPhone", p.HmPhone());
        text(out, "WkPhone", p.WkPhone());
        text(out, "WkExt", p.WkExt());
        text(out, "Fax", p.Fax());
        text(out, "CelPhone", p.CelPhone());
        text(out, "Pager", p.Pager());
        text(out, "EMail", p.EMail());
        text(out, "WebPage", p.WebPage());
        std::fprintf(out, ">\r\n\t\t\t<PhGroups>\r\n");
        for (const int32_t group : p.PhGroups)
            std::fprintf(out, "\t\t\t\t<PhGroup>%d</PhGroup>\r\n", group);
        std::fprintf(out, "\t\t\t</PhGroups>\r\n\t\t</Person>\r\n");
    }
    std::fprintf(out, "\t</Persons>\r\n\t<Appointments LastID=\"%d\">\r\n",
                 d.appointments().lastId());
    for (const auto& [id, a] : d.appointments()) {
        std::fprintf(out, "\t\t<Appointment ID=\"%d\"", a.ID);
        text(out, "Description", a.Description);
        std::fprintf(out,
                     " DueDate=\"%lld\" StartTime=\"%lld\" EndTime=\"%lld\" Alarm=\"%d\" "
                     "AlarmTime=\"%lld\" Done=\"%d\" />\r\n",
                     secondsOf(a.DueDate), secondsOf(a.StartTime), secondsOf(a.EndTime),
                     a.Alarm ? 1 : 0, a.Alarm ? secondsOf(a.AlarmTime) : 0LL, a.Done ? 1 : 0);
    }
    std::fprintf(out, "\t</Appointments>\r\n\t<User ");
    const User& u = d.user();
    text(out, "FName", u.FName);
    text(out, "LName", u.LName);
    text(out, "Company", u.Company);
    text(out, "Position", u.Position);
    text(out, "Addr1", u.Addr1);
    text(out, "Addr2", u.Addr2);
    text(out, "City", u.City);
    text(out, "State", u.State);
    text(out, "Zip", u.Zip);
    std::fprintf(out, " />\r\n</Pim>\r\n");
}
