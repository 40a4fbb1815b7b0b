#pragma once

#include <cstdint>
#include <functional>

#include <QObject>

#include <memory>

#include "reports/PreviewState.h"
#include "reports/PrintReport.h"
#include "reports/ReportBuilder.h"
#include "reports/ReportSettings.h"

class Clock;
class FrameHost;
class Locale;
class PageBox;
class PreviewWindow;
class QAction;
class QPrinter;
class QToolBar;
class UserPrompts;
class Workspace;

// The Report menu's daily reports, the print preview that takes the organizer's place in
// the frame, printing, Page Setup and the report font. It installs the frame's handlers
// for those commands and holds the report settings while the program runs.
class ReportController : public QObject {
    Q_OBJECT

public:
    // The address reports offer the persons of the group `shownGroup` names (the group the
    // phone book shows).
    ReportController(Workspace& workspace, FrameHost& frame, UserPrompts& prompts,
                     const Locale& locale, const Clock& clock, std::function<int32_t()> shownGroup);
    ~ReportController() override;

    [[nodiscard]] bool previewShowing() const { return showing_; }
    [[nodiscard]] const PreviewState& previewState() const { return state_; }
    [[nodiscard]] PreviewWindow* previewWindow() const { return preview_; }
    [[nodiscard]] QToolBar* previewToolBar() const { return toolBar_; }
    [[nodiscard]] QAction* previewAction(int id) const;
    [[nodiscard]] PageBox* previewPageBox() const { return pageBox_; }
    [[nodiscard]] const ReportSettings& settings() const { return settings_; }
    [[nodiscard]] QPrinter& printer() const { return *printer_; }
    // Whether the system offers no printer, so that printing writes a PDF file.
    [[nodiscard]] bool printsToPdf() const { return printsToPdf_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A daily report, the week or the month, of the day the calendar shows.
    void chooseDatedReport(ReportKind kind);
    // The phone book or envelopes: the persons come from the selection dialog.
    void chooseAddressReport(ReportKind kind);
    // Makes `kind` the chosen report over `inputs` and shows its preview.
    void showReport(ReportKind kind, ReportInputs inputs);
    void togglePreview();
    void openPreview();
    void closePreview();
    void renderPage(int pageIndex);
    void stepPage(int step);
    void zoom(bool in);
    void pageSetup();
    void print();
    void chooseFont();
    // Builds the report of the chosen kind for the current printer.
    void buildReport();
    void updatePreviewActions();
    void addPreviewAction(int id, const QString& text, const QString& prompt);

    Workspace& workspace_;
    FrameHost& frame_;
    UserPrompts& prompts_;
    const Locale& locale_;
    const Clock& clock_;
    std::function<int32_t()> shownGroup_;
    ReportSettings settings_;
    ReportKind kind_ = ReportKind::None;
    ReportInputs inputs_;
    std::unique_ptr<QPrinter> printer_;
    bool printsToPdf_ = false;
    std::unique_ptr<PrintReport> report_;

    bool showing_ = false;
    PreviewState state_;
    PreviewWindow* preview_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    PageBox* pageBox_ = nullptr;
};
