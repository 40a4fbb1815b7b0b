#include "reports/ui/ReportController.h"

#include <QAction>
#include <QEvent>
#include <QFile>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPicture>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QToolBar>

#include <cmath>

#include "platform/Locale.h"
#include "platform/Translate.h"
#include "platform/UserPrompts.h"
#include "reports/PageProvider.h"
#include "reports/PersonChoice.h"
#include "reports/PlanReportLists.h"
#include "reports/PrintJob.h"
#include "reports/ReportFileName.h"
#include "reports/ui/PageBox.h"
#include "reports/ui/PagedDeviceSink.h"
#include "reports/ui/PainterCanvas.h"
#include "reports/ui/PdfReport.h"
#include "reports/ui/PersonSelectionDialog.h"
#include "reports/ui/PreviewWindow.h"
#include "shell/CommandId.h"
#include "workspace/Workspace.h"
#include "workspace/ui/FrameHost.h"

namespace {

constexpr const char* kDocumentName = N_("Quillmate Document");

// The report's own margins place the text, so the printer keeps only what it cannot
// print on: its printable area is the canvas.
void useWholePrintableArea(QPrinter& printer) {
    printer.setPageMargins(QMarginsF(), QPageLayout::Inch);
}

}  // namespace

ReportController::ReportController(Workspace& workspace, FrameHost& frame, UserPrompts& prompts,
                                   const Locale& locale, const Clock& clock,
                                   std::function<int32_t()> shownGroup)
    : QObject(frame.window()),
      workspace_(workspace),
      frame_(frame),
      prompts_(prompts),
      locale_(locale),
      clock_(clock),
      shownGroup_(std::move(shownGroup)) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Without a printer the pages are those of Qt's PDF printer, never a canvas without
    // metrics.
    printsToPdf_ = QPrinterInfo::availablePrinters().isEmpty();
    if (printsToPdf_) printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setDocName(QString::fromUtf8(_(kDocumentName)));
    useWholePrintableArea(*printer_);

    preview_ = new PreviewWindow(frame.window());
    preview_->hide();
    toolBar_ = new QToolBar(_("Print Preview"), frame.window());
    toolBar_->setObjectName(QStringLiteral("printPreviewToolBar"));
    toolBar_->setMovable(false);
    addPreviewAction(cmd::kPreviewPrevious, _("Prev Page"), _("Go to previous page"));
    addPreviewAction(cmd::kPreviewNext, _("Next Page"), _("Go to next page"));
    pageBox_ = new PageBox(toolBar_);
    toolBar_->addWidget(pageBox_);
    connect(pageBox_, &PageBox::pageChosen, this, [this](int page) {
        if (showing_) renderPage(page);
        updatePreviewActions();
    });
    toolBar_->addSeparator();
    addPreviewAction(cmd::kPrint, _("Print..."), _("Print the active document"));
    addPreviewAction(cmd::kPageSetup, _("Page Setup..."), _("Change the printing options"));
    toolBar_->addSeparator();
    addPreviewAction(cmd::kPreviewZoomIn, _("Zoom In"), _("Zoom In"));
    addPreviewAction(cmd::kPreviewZoomOut, _("Zoom Out"), _("Zoom Out"));
    toolBar_->addSeparator();
    addPreviewAction(cmd::kPreviewClose, _("Close"), _("Close Print Preview window"));
    // Escape leaves the preview, as it leaves any view that stands in for the usual one.
    previewAction(cmd::kPreviewClose)->setShortcut(QKeySequence(Qt::Key_Escape));
    toolBar_->hide();

    frame.setCommandHandler(cmd::kReportDaily,
                            [this] { chooseDatedReport(ReportKind::DailyPlan); });
    frame.setCommandHandler(cmd::kReportDailyTasks,
                            [this] { chooseDatedReport(ReportKind::DailyTasks); });
    frame.setCommandHandler(cmd::kReportDailyAppointments,
                            [this] { chooseDatedReport(ReportKind::DailyAppointments); });
    frame.setCommandHandler(cmd::kReportPhoneBook,
                            [this] { chooseAddressReport(ReportKind::PhoneBook); });
    frame.setCommandHandler(cmd::kReportEnvelopes,
                            [this] { chooseAddressReport(ReportKind::Envelopes); });
    frame.setCommandHandler(cmd::kReportWeekly,
                            [this] { chooseDatedReport(ReportKind::WeeklyPlan); });
    frame.setCommandHandler(cmd::kReportMonthly,
                            [this] { chooseDatedReport(ReportKind::MonthlyPlan); });
    frame.setCommandHandler(cmd::kPrintPreview, [this] { togglePreview(); });
    frame.setCommandHandler(cmd::kPreviewClose, [this] { togglePreview(); });
    frame.setCommandHandler(cmd::kPreviewNext, [this] { stepPage(1); });
    frame.setCommandHandler(cmd::kPreviewPrevious, [this] { stepPage(-1); });
    frame.setCommandHandler(cmd::kPreviewZoomIn, [this] { zoom(true); });
    frame.setCommandHandler(cmd::kPreviewZoomOut, [this] { zoom(false); });
    frame.setCommandHandler(cmd::kPageSetup, [this] { pageSetup(); });
    frame.setCommandHandler(cmd::kPrint, [this] { print(); });
    frame.setCommandHandler(cmd::kReportFont, [this] { chooseFont(); });
    // Closing the frame closes the preview first.
    frame.window()->installEventFilter(this);
}

ReportController::~ReportController() = default;

void ReportController::addPreviewAction(int id, const QString& text, const QString& prompt) {
    QAction* action = toolBar_->addAction(text);
    action->setData(id);
    action->setStatusTip(prompt);
    connect(action, &QAction::triggered, this, [this, id] { frame_.runCommand(id); });
}

QAction* ReportController::previewAction(int id) const {
    for (QAction* action : toolBar_->actions())
        if (action->data().toInt() == id && !action->isSeparator()) return action;
    return nullptr;
}

bool ReportController::eventFilter(QObject* watched, QEvent* event) {
    // The parent is the frame; the frame's other parts may be gone by its last events.
    if (watched == parent() && event->type() == QEvent::Close && showing_) closePreview();
    return QObject::eventFilter(watched, event);
}

void ReportController::chooseDatedReport(ReportKind kind) {
    const PimDocument& document = workspace_.document();
    showReport(kind, datedReportInputs(kind, document, document.currentDate(),
                                       DateTime::today(clock_), locale_.firstDayOfWeek()));
}

void ReportController::chooseAddressReport(ReportKind kind) {
    const PimDocument& document = workspace_.document();
    // The candidates are the members of the group the phone book panel shows.
    const bool phoneBook = kind == ReportKind::PhoneBook;
    const std::vector<PersonChoice> choices = personChoices(document, shownGroup_());
    PersonSelectionDialog dialog(phoneBook ? _("Phone Book") : _("Envelopes"), choices,
                                 frame_.window());
    connect(&dialog, &PersonSelectionDialog::helpRequested, this,
            [this](const QString& page) { frame_.showHelpPage(page); });
    if (dialog.exec() != QDialog::Accepted) return;
    ReportInputs inputs;
    inputs.persons = chosenPersons(document, choices, dialog.selectedLines());
    inputs.user = document.user();
    showReport(kind, std::move(inputs));
}

void ReportController::showReport(ReportKind kind, ReportInputs inputs) {
    inputs_ = std::move(inputs);
    kind_ = kind;
    frame_.setReportChosen(true);
    if (showing_) closePreview();
    frame_.runCommand(cmd::kPrintPreview);
}

void ReportController::buildReport() {
    report_.reset();
    PainterCanvas measuring(nullptr, printer_.get(), pagedDeviceMetrics(*printer_));
    report_ = ::buildReport(kind_, measuring, inputs_, settings_, locale_);
}

void ReportController::togglePreview() {
    if (showing_)
        closePreview();
    else if (kind_ != ReportKind::None)
        openPreview();
}

void ReportController::openPreview() {
    buildReport();
    if (report_ == nullptr) return;
    state_.start(report_->pageCount());
    showing_ = true;
    frame_.showInClient(preview_, toolBar_);
    // A report without pages shows a blank page rather than the last report's, which would
    // pass for this one.
    preview_->setPage(QPicture(), pagedDeviceMetrics(*printer_));
    renderPage(0);
    preview_->setZoom(0);
    updatePreviewActions();
}

void ReportController::closePreview() {
    showing_ = false;
    frame_.showInClient(nullptr, nullptr);
    report_.reset();
}

void ReportController::renderPage(int pageIndex) {
    if (report_ == nullptr) return;
    ReportPageProvider pages(*report_, [this](const std::string& text) {
        frame_.setStatusText(QString::fromStdString(text));
    });
    // A report without pages records nothing: the last page recorded stays on show.
    if (!pages.hasPage(pageIndex)) return;
    state_.setCurrentPage(pageIndex);
    const DeviceMetrics metrics = pagedDeviceMetrics(*printer_);
    QPicture picture;
    QPainter painter(&picture);
    PainterCanvas canvas(&painter, printer_.get(), metrics);
    pages.beforePage(pageIndex, canvas);
    pages.drawPage(pageIndex, canvas);
    pages.afterPage(pageIndex, canvas);
    painter.end();
    preview_->setPage(picture, metrics);
}

void ReportController::stepPage(int step) {
    if (!showing_) return;
    if (step > 0 && state_.canGoNext()) renderPage(state_.currentPage() + 1);
    if (step < 0 && state_.canGoPrevious()) renderPage(state_.currentPage() - 1);
    updatePreviewActions();
}

void ReportController::zoom(bool in) {
    if (!showing_) return;
    if (in ? state_.zoomIn() : state_.zoomOut()) preview_->setZoom(state_.zoom());
    updatePreviewActions();
}

void ReportController::updatePreviewActions() {
    pageBox_->showPage(state_.currentPage(), state_.lastPage() + 1);
    previewAction(cmd::kPreviewNext)->setEnabled(state_.canGoNext());
    previewAction(cmd::kPreviewPrevious)->setEnabled(state_.canGoPrevious());
    previewAction(cmd::kPreviewZoomIn)->setEnabled(state_.canZoomIn());
    previewAction(cmd::kPreviewZoomOut)->setEnabled(state_.canZoomOut());
}

void ReportController::pageSetup() {
    const Margins& m = settings_.margins;
    printer_->setPageMargins(QMarginsF(m[0] / 1000.0, m[1] / 1000.0, m[2] / 1000.0, m[3] / 1000.0),
                             QPageLayout::Inch);
    QPageSetupDialog dialog(printer_.get(), frame_.window());
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (accepted) {
        const QMarginsF chosen = printer_->pageLayout().margins(QPageLayout::Inch);
        settings_.margins = {
            int(std::lround(chosen.left() * 1000)), int(std::lround(chosen.top() * 1000)),
            int(std::lround(chosen.right() * 1000)), int(std::lround(chosen.bottom() * 1000))};
    }
    useWholePrintableArea(*printer_);
    if (!accepted || !showing_) return;
    buildReport();
    if (report_ == nullptr) return;
    state_.setPageCount(report_->pageCount());
    // A page that no longer exists leaves the old image on show.
    renderPage(state_.currentPage());
    updatePreviewActions();
}

void ReportController::print() {
    // Ctrl+P reaches here before any report was chosen.
    if (kind_ == ReportKind::None) return;
    QString pdfPath;
    if (printsToPdf_) {
        // The prompts open the dialog in the document's folder.
        const auto chosen =
            prompts_.askSavePath({reportPdfName(workspace_.document().path(), kind_),
                                  "",
                                  "pdf",
                                  {{_("PDF files"), "*.pdf"}},
                                  _("Print to PDF File")});
        if (!chosen) return;
        pdfPath = QString::fromStdString(*chosen);
    } else {
        QPrintDialog dialog(printer_.get(), frame_.window());
        // One job of every page: no ranges, no selection, no printing to a file.
        dialog.setOptions({});
        dialog.setMinMax(1, 1);
        if (dialog.exec() != QDialog::Accepted) return;
        useWholePrintableArea(*printer_);
    }
    // The preview's report is printed as it stands; otherwise one is made for this job.
    if (!showing_) buildReport();
    if (report_ == nullptr) return;
    ReportPageProvider pages(*report_, [this](const std::string& text) {
        frame_.setStatusText(QString::fromStdString(text));
    });
    Status printed;
    if (printsToPdf_) {
        printed = writePagesPdf(QFile::encodeName(pdfPath).toStdString(), pages,
                                printer_->pageLayout(), printer_->resolution());
    } else {
        printer_->setDocName(QString::fromUtf8(_(kDocumentName)));
        PagedDeviceSink sink(*printer_, [this] { printer_->abort(); });
        printed = runPrintJob(pages, sink, _(kDocumentName));
    }
    if (!showing_) {
        report_.reset();
        frame_.setStatusText(QString());
    }
    if (printed && printsToPdf_) frame_.setStatusText(QString(_("Printed to %1")).arg(pdfPath));
    if (!printed)
        prompts_.showMessage(fillIn(_("Printing failed: %s"), {printed.message()}), "Quillmate",
                             MessageIcon::Exclamation);
}

void ReportController::chooseFont() {
    bool ok = false;
    QFont initial(QString::fromStdString(settings_.faceName));
    initial.setPointSize(settings_.pointSize);
    const QFont chosen = QFontDialog::getFont(&ok, initial, frame_.window(), _("Report Font"),
                                              QFontDialog::ScalableFonts);
    if (!ok) return;
    // Whole points: 10.5 becomes 10.
    const int tenths = int(chosen.pointSizeF() * 10);
    if (tenths >= 10) settings_.pointSize = tenths / 10;
    settings_.faceName = chosen.family().toStdString();
}
