#pragma once

#include <QPageSize>

#include <string>

#include "platform/Status.h"
#include "reports/ReportBuilder.h"

class Locale;
class PageProvider;
class QPageLayout;

// Writes every page of `pages` into a PDF file of `layout` at `resolution` dots per inch,
// whole or not at all.
Status writePagesPdf(const std::string& path, PageProvider& pages, const QPageLayout& layout,
                     int resolution);

// Draws the report of `kind` into a PDF file of `paper`-sized pages, one PDF page per
// report page, with no printer involved. The file is written whole or not at all; a
// report without pages writes nothing and is a Content failure. Needs a QGuiApplication
// (any platform, offscreen included) for its fonts.
Status writeReportPdf(const std::string& path, ReportKind kind, const ReportInputs& inputs,
                      const ReportSettings& settings, const QPageSize& paper, const Locale& locale);
