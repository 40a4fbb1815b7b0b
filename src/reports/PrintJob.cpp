#include "reports/PrintJob.h"
#include "platform/Translate.h"

#include "reports/PageProvider.h"

Status runPrintJob(PageProvider& pages, PageSink& sink, const std::string& documentName) {
    if (!sink.startDocument(documentName))
        return Status::failure(FailureKind::Write, "", _("the document could not be started"));
    // A sink has a canvas only once a page is started, so the job begins on the first.
    bool aborted = false;
    std::string failure;
    bool begun = false;
    int index = 0;
    for (; pages.hasPage(index); ++index) {
        if (!sink.startPage()) {
            failure = fillIn(_("page %s could not be started"), {std::to_string(index + 1)});
            aborted = true;
            break;
        }
        PageCanvas& canvas = sink.canvas();
        if (!begun) {
            pages.beginJob(canvas);
            begun = true;
        }
        pages.beforePage(index, canvas);
        aborted = !pages.drawPage(index, canvas);
        pages.afterPage(index, canvas);
        if (!sink.endPage() && !aborted) {
            failure = fillIn(_("page %s could not be finished"), {std::to_string(index + 1)});
            aborted = true;
        }
        if (aborted) {
            if (failure.empty())
                failure = fillIn(_("page %s was not drawn"), {std::to_string(index + 1)});
            break;
        }
    }
    if (begun) pages.endJob(sink.canvas(), aborted);
    if (aborted) {
        sink.abortDocument();
        return Status::failure(FailureKind::Write, "", failure);
    }
    if (!sink.endDocument())
        return Status::failure(FailureKind::Write, "", _("the document could not be finished"));
    return {};
}
