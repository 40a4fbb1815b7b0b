#include "reports/ui/PdfReport.h"
#include "platform/Translate.h"

#include <QBuffer>
#include <QPdfWriter>

#include <memory>
#include <new>

#include "reports/PageProvider.h"
#include "reports/PrintJob.h"
#include "reports/ui/PagedDeviceSink.h"
#include "reports/ui/PainterCanvas.h"

namespace {

// The resolution reports are laid out at in a PDF: fine enough that rounding to whole
// device units never shows.
constexpr int kPdfResolution = 1200;

// A device that hands what the PDF writer writes straight on to a byte sink.
class SinkDevice : public QIODevice {
public:
    explicit SinkDevice(const ByteSink& sink) : sink_(sink) { open(QIODevice::WriteOnly); }

    [[nodiscard]] bool isSequential() const override { return true; }
    [[nodiscard]] bool refused() const { return refused_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override {
        if (refused_ || !sink_(std::string_view(data, size_t(length)))) {
            refused_ = true;
            return -1;
        }
        return length;
    }

private:
    const ByteSink& sink_;
    bool refused_ = false;
};

Status noPages(const std::string& path) {
    return Status::failure(FailureKind::Content, path, _("the report has no pages"));
}

// Lays out the report of `kind` and hands its pages and page layout to `use`.
template <class Use>
Status withReportPages(ReportKind kind, ReportInputs inputs, const ReportSettings& settings,
                       const QPageSize& paper, const Locale& locale, Use use) {
    // The whole sheet is printable: the report's own margins place the text.
    const QPageLayout layout(paper, QPageLayout::Portrait, QMarginsF());
    QBuffer unused;
    QPdfWriter measuringWriter(&unused);
    measuringWriter.setResolution(kPdfResolution);
    measuringWriter.setPageLayout(layout);
    PainterCanvas measuring(nullptr, &measuringWriter, pagedDeviceMetrics(measuringWriter));
    const auto report = buildReport(kind, measuring, std::move(inputs), settings, locale);
    if (report == nullptr)
        return Status::failure(FailureKind::Usage, "", _("this report cannot be drawn yet"));
    ReportPageProvider pages(*report, nullptr);
    return use(pages, layout);
}

}  // namespace

Status streamPagesPdf(const ByteSink& sink, PageProvider& pages, const QPageLayout& layout,
                      int resolution) {
    // An empty PDF would replace whatever the user chose to write over, for nothing.
    if (!pages.hasPage(0)) return noPages("");
    SinkDevice device(sink);
    auto writer = std::make_unique<QPdfWriter>(&device);
    writer->setResolution(resolution);
    writer->setCreator(QStringLiteral("Quillmate"));
    writer->setPageLayout(layout);
    Status printed;
    try {
        PagedDeviceSink pageSink(*writer);
        printed = runPrintJob(pages, pageSink, _("Quillmate Document"));
    } catch (const std::bad_alloc&) {
        // The sink left its painter unended; the writer it paints on is left too, since
        // destroying it would end the job, which needs the memory there is not.
        (void)writer.release();
        return Status::failure(FailureKind::Write, "", _("not enough memory to draw the report"));
    }
    if (device.refused())
        return Status::failure(FailureKind::Write, "", _("the PDF was not taken"));
    return printed;
}

Status writePagesPdf(const std::string& path, PageProvider& pages, const QPageLayout& layout,
                     int resolution) {
    if (!pages.hasPage(0)) return noPages(path);
    Status drawn;
    bool refused = false;
    const Status written = writeFileAtomically(path, [&](const ByteSink& sink) {
        drawn = streamPagesPdf(
            [&](std::string_view bytes) { return (refused = !sink(bytes)) == false; }, pages,
            layout, resolution);
        return bool(drawn);
    });
    // A piece the file refused is the file's failure; anything else, the drawing's.
    if (!drawn && !refused) return drawn.inFile(path);
    return written;
}

Status streamReportPdf(const ByteSink& sink, ReportKind kind, ReportInputs inputs,
                       const ReportSettings& settings, const QPageSize& paper,
                       const Locale& locale) {
    return withReportPages(kind, std::move(inputs), settings, paper, locale,
                           [&](PageProvider& pages, const QPageLayout& layout) {
                               return streamPagesPdf(sink, pages, layout, kPdfResolution);
                           });
}

Status writeReportPdf(const std::string& path, ReportKind kind, ReportInputs inputs,
                      const ReportSettings& settings, const QPageSize& paper,
                      const Locale& locale) {
    return withReportPages(kind, std::move(inputs), settings, paper, locale,
                           [&](PageProvider& pages, const QPageLayout& layout) {
                               return writePagesPdf(path, pages, layout, kPdfResolution);
                           });
}
