#include <QGuiApplication>
#include <QPageSize>

#include <array>
#include <charconv>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/PrivateRuntimeDir.h"
#include "cli/commands/CommandSupport.h"
#include "cli/commands/QtApplication.h"
#include "cli/commands/QtCommandTexts.h"
#include "docfile/DocumentFile.h"
#include "platform/Locale.h"
#include "platform/Translate.h"
#include "records/PimDocument.h"
#include "reports/PersonChoice.h"
#include "reports/PlanReportLists.h"
#include "reports/ui/PdfReport.h"

namespace {

// Sizes a font dialog could offer; anything else is a typing error.
constexpr int kLargestPointSize = 999;

bool readInt(std::string_view text, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

Status readKind(const std::string& name, ReportKind& kind) {
    if (name == "daily-plan")
        kind = ReportKind::DailyPlan;
    else if (name == "daily-tasks")
        kind = ReportKind::DailyTasks;
    else if (name == "daily-appointments")
        kind = ReportKind::DailyAppointments;
    else if (name == "weekly")
        kind = ReportKind::WeeklyPlan;
    else if (name == "monthly")
        kind = ReportKind::MonthlyPlan;
    else if (name == "phonebook")
        kind = ReportKind::PhoneBook;
    else if (name == "envelopes")
        kind = ReportKind::Envelopes;
    else
        return usageFailure(fillIn(_("unknown report \"%s\""), {name}));
    return {};
}

// Four whole thousandths of an inch that leave some of the paper to print on.
Status readMargins(const std::string& text, const QPageSize& paper, Margins& margins) {
    const auto bad = [&] {
        return usageFailure(fillIn(_("%s wants four thousandths of an inch L,T,R,B, not \"%s\""),
                                   {"--margins", text}));
    };
    size_t from = 0;
    for (size_t i = 0; i < margins.size(); ++i) {
        const size_t comma = i + 1 < margins.size() ? text.find(',', from) : text.size();
        if (comma == std::string::npos) return bad();
        if (!readInt(std::string_view(text).substr(from, comma - from), margins[i]) ||
            margins[i] < 0) {
            return bad();
        }
        from = comma + 1;
    }
    const QSizeF inches = paper.size(QPageSize::Inch) * 1000;
    if (margins[0] + int64_t{margins[2]} >= inches.width() ||
        margins[1] + int64_t{margins[3]} >= inches.height()) {
        return usageFailure(
            fillIn(_("%s leave nothing of the paper to print on"), {"--margins " + text}));
    }
    return {};
}

Status readSettings(const CliArgs& args, QPageSize& paper, ReportSettings& settings) {
    const std::string paperName = args.value("paper").value_or("letter");
    if (paperName == "letter")
        paper = QPageSize(QPageSize::Letter);
    else if (paperName == "a4")
        paper = QPageSize(QPageSize::A4);
    else
        return usageFailure(fillIn(_("unknown %s \"%s\""), {"--paper", paperName}));
    if (const auto margins = args.value("margins")) {
        if (Status status = readMargins(*margins, paper, settings.margins); !status) return status;
    }
    if (const auto face = args.value("font")) {
        if (face->empty()) return usageFailure(fillIn(_("%s needs a face name"), {"--font"}));
        settings.faceName = *face;
    }
    if (const auto size = args.value("size")) {
        if (!readInt(*size, settings.pointSize) || settings.pointSize < 1 ||
            settings.pointSize > kLargestPointSize) {
            return usageFailure(fillIn(_("%s wants whole points from 1 to %s, not \"%s\""),
                                       {"--size", std::to_string(kLargestPointSize), *size}));
        }
    }
    return {};
}

// What the report of `kind` prints from `document`: the records around `date`, or every
// member of the address-book group `group`.
Status gatherInputs(ReportKind kind, const PimDocument& document, DateTime date, DateTime today,
                    int firstDayOfWeek, const std::string& group, ReportInputs& inputs) {
    switch (kind) {
        case ReportKind::PhoneBook:
        case ReportKind::Envelopes: {
            const auto groupId = groupNamed(document, group);
            if (!groupId)
                return usageFailure(fillIn(_("no address-book group is named \"%s\""), {group}));
            inputs.persons = groupMembers(document, *groupId);
            inputs.user = document.user();
            return {};
        }
        default:
            inputs = datedReportInputs(kind, document, date, today, firstDayOfWeek);
            return {};
    }
}

// Fonts need a QGuiApplication. A report needs no display, so the program picks the
// offscreen platform itself rather than fail where there is none.
std::unique_ptr<QGuiApplication> guiForFonts() {
    if (QCoreApplication::instance() != nullptr) return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return makeQtApplication<QGuiApplication>();
}

Status runReport(CliContext& context, const std::vector<std::string>& argList) {
    CliArgs args;
    if (Status status = parseArguments(
            argList, 2, {"o", "date", "group", "paper", "margins", "font", "size"}, {}, args);
        !status) {
        return status;
    }
    ReportKind kind = ReportKind::None;
    if (Status status = readKind(args.positional()[0], kind); !status) return status;
    const auto output = args.value("o");
    if (!output || output->empty())
        return usageFailure(fillIn(_("%s names the PDF file to write"), {"-o"}));
    if (Status other = checkNotTheDocument(*output, args.positional()[1]); !other) return other;
    DateTime date = DateTime::today(context.clock);
    if (Status status = readDateOption(args, date); !status) return status;
    QPageSize paper;
    ReportSettings settings;
    if (Status status = readSettings(args, paper, settings); !status) return status;

    CliWorkspace files(context);
    if (Status loaded = files.read(args.positional()[1]); !loaded) return loaded;
    const PimDocument& document = files.document();
    ReportInputs inputs;
    if (Status status = gatherInputs(kind, document, date, DateTime::today(context.clock),
                                     context.locale.firstDayOfWeek(),
                                     args.value("group").value_or("All"), inputs);
        !status) {
        return status;
    }

    const PrivateRuntimeDir runtime;
    const auto app = guiForFonts();
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return Status::failure(FailureKind::Content, "", _("reports need Qt Gui"));
    if (*output != kStandardStream)
        return writeReportPdf(*output, kind, std::move(inputs), settings, paper, context.locale);
    const auto toOutput = [&](std::string_view bytes) {
        return bool(context.out.write(bytes.data(), std::streamsize(bytes.size())));
    };
    if (Status written =
            streamReportPdf(toOutput, kind, std::move(inputs), settings, paper, context.locale);
        !written)
        return written.inFile(_(kStandardOutputName));
    return {};
}

const std::array<CliCommand, 1> kCommands = {{{"report", kReportUsage, kReportSummary, runReport}}};

}  // namespace

std::span<const CliCommand> reportCommands() {
    return kCommands;
}
