#include "reports/ui/PdfReport.h"

#include <QBuffer>
#include <QPdfWriter>

#include "fileio/AtomicFile.h"
#include "reports/PageProvider.h"
#include "reports/PrintJob.h"
#include "reports/ui/PagedDeviceSink.h"
#include "reports/ui/PainterCanvas.h"

namespace {

// The resolution reports are laid out at in a PDF: fine enough that rounding to whole
// device units never shows.
constexpr int kPdfResolution = 1200;

}  // namespace

Status writePagesPdf(const std::string& path, PageProvider& pages, const QPageLayout& layout,
                     int resolution) {
    // An empty PDF would replace whatever the user chose to write over, for nothing.
    if (!pages.hasPage(0))
        return Status::failure(FailureKind::Content, path, "the report has no pages");
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QPdfWriter writer(&bytes);
    writer.setResolution(resolution);
    writer.setCreator(QStringLiteral("Quillmate"));
    writer.setPageLayout(layout);
    PagedDeviceSink sink(writer);
    if (Status printed = runPrintJob(pages, sink, "Quillmate Document"); !printed)
        return printed.inFile(path);
    return writeFileAtomically(
        path, std::string_view(bytes.data().constData(), size_t(bytes.data().size())));
}

Status writeReportPdf(const std::string& path, ReportKind kind, const ReportInputs& inputs,
                      const ReportSettings& settings, const QPageSize& paper,
                      const Locale& locale) {
    // The whole sheet is printable: the report's own margins place the text.
    const QPageLayout layout(paper, QPageLayout::Portrait, QMarginsF());
    QBuffer unused;
    QPdfWriter measuringWriter(&unused);
    measuringWriter.setResolution(kPdfResolution);
    measuringWriter.setPageLayout(layout);
    PainterCanvas measuring(nullptr, &measuringWriter, pagedDeviceMetrics(measuringWriter));
    const auto report = buildReport(kind, measuring, inputs, settings, locale);
    if (report == nullptr)
        return Status::failure(FailureKind::Usage, "", "this report cannot be drawn yet");
    ReportPageProvider pages(*report, nullptr);
    return writePagesPdf(path, pages, layout, kPdfResolution);
}
