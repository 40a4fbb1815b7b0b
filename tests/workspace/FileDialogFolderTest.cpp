#include "workspace/FileDialogFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "reports/ReportFileName.h"

namespace {

TEST(FileDialogFolder, TheDocumentsFolderOrTheDocumentsOwnAndAPdfNamedForBoth) {
    const std::string documents = "/home/ann/Documents";
    const std::string current = std::filesystem::current_path().string();
    const std::pair<const char*, std::string> cases[] = {
        {"/data/home.pgr", "/data"},
        {"", documents},
        {"Untitled", documents},
        {"home.pgr", current},  // opened from the command line, named without a folder
    };
    for (const auto& [path, folder] : cases)
        EXPECT_EQ(fileDialogFolder(path, documents), folder) << path;

    // The PDF of a report is offered under the document's name and the report's.
    const std::tuple<const char*, ReportKind, const char*> pdfs[] = {
        {"/data/home.pgr", ReportKind::WeeklyPlan, "home - Weekly Plan.pdf"},
        {"/data/club.notes.pgr", ReportKind::PhoneBook, "club.notes - Phone Book.pdf"},
        {"", ReportKind::MonthlyPlan, "Untitled - Monthly Plan.pdf"},
        {"Untitled", ReportKind::DailyPlan, "Untitled - Daily Tasks and Appointments.pdf"},
    };
    for (const auto& [path, kind, name] : pdfs)
        EXPECT_EQ(reportPdfName(path, kind), name) << path;
}

}  // namespace
