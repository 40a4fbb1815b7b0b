#include "reports/PageProvider.h"
#include "platform/Translate.h"

#include "reports/PageCanvas.h"
#include "reports/PrintReport.h"

ReportPageProvider::ReportPageProvider(PrintReport& report, StatusSink status)
    : report_(report), status_(std::move(status)) {}

void ReportPageProvider::beforePage(int, PageCanvas& canvas) {
    canvas.saveState();
}

void ReportPageProvider::afterPage(int, PageCanvas& canvas) {
    canvas.restoreState();
}

bool ReportPageProvider::hasPage(int pageIndex) const {
    return pageIndex >= 0 && pageIndex < report_.pageCount();
}

bool ReportPageProvider::drawPage(int pageIndex, PageCanvas& canvas) {
    if (!hasPage(pageIndex)) return false;
    if (status_) {
        status_(fillIn(_("Page %s of %s"),
                       {std::to_string(pageIndex + 1), std::to_string(report_.pageCount())}));
    }
    report_.printPage(canvas, pageIndex);
    return true;
}
