#include "reports/ui/PdfReport.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <optional>

#include "fileio/AtomicFile.h"
#include "reports/PageProvider.h"
#include "reports/PrintJob.h"
#include "reports/ui/PainterCanvas.h"

namespace {

// The resolution reports are laid out at in a PDF: fine enough that rounding to whole
// device units never shows.
constexpr int kPdfResolution = 1200;

// The pages of a PDF writer; the painter starts with the first.
class PdfPageSink : public PageSink {
public:
    explicit PdfPageSink(QPdfWriter& writer) : writer_(writer) {}

    bool startDocument(const std::string& name) override {
        writer_.setTitle(QString::fromStdString(name));
        return true;
    }
    bool startPage() override {
        if (!painter_.isActive()) {
            if (!painter_.begin(&writer_)) return false;
            canvas_.emplace(&painter_, &writer_, pagedDeviceMetrics(writer_));
            return true;
        }
        return writer_.newPage();
    }
    PageCanvas& canvas() override { return *canvas_; }
    bool endPage() override { return true; }
    bool endDocument() override { return !painter_.isActive() || painter_.end(); }
    void abortDocument() override {
        if (painter_.isActive()) painter_.end();
    }

private:
    QPdfWriter& writer_;
    QPainter painter_;
    std::optional<PainterCanvas> canvas_;
};

}  // namespace

Status writeReportPdf(const std::string& path, ReportKind kind, const ReportInputs& inputs,
                      const ReportSettings& settings, const QPageSize& paper,
                      const Locale& locale) {
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QPdfWriter writer(&bytes);
    writer.setResolution(kPdfResolution);
    writer.setCreator(QStringLiteral("Quillmate"));
    // The whole sheet is printable: the report's own margins place the text.
    writer.setPageLayout(QPageLayout(paper, QPageLayout::Portrait, QMarginsF()));

    PainterCanvas measuring(nullptr, &writer, pagedDeviceMetrics(writer));
    const auto report = buildReport(kind, measuring, inputs, settings, locale);
    if (report == nullptr)
        return Status::failure(FailureKind::Usage, "", "this report cannot be drawn yet");
    if (report->pageCount() == 0)
        return Status::failure(FailureKind::Content, path, "the report has no pages");

    PdfPageSink sink(writer);
    ReportPageProvider pages(*report, nullptr);
    if (Status printed = runPrintJob(pages, sink, "Quillmate Document"); !printed)
        return printed.inFile(path);
    return writeFileAtomically(
        path, std::string_view(bytes.data().constData(), size_t(bytes.data().size())));
}
