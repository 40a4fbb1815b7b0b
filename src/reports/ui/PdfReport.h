#pragma once

#include <QPageSize>

#include <string>

#include "fileio/AtomicFile.h"
#include "platform/Status.h"
#include "reports/ReportBuilder.h"

class Locale;
class PageProvider;
class QPageLayout;

// Draws every page of `pages` as a PDF of `layout` at `resolution` dots per inch, handing
// its bytes to `sink` page by page as they are drawn, so that no more than a page of it is
// held in memory. A report without pages hands over nothing and is a Content failure; a
// piece the sink refuses stops the drawing with a Write failure.
Status streamPagesPdf(const ByteSink& sink, PageProvider& pages, const QPageLayout& layout,
                      int resolution);

// As above, into the PDF file at `path`, whole or not at all.
Status writePagesPdf(const std::string& path, PageProvider& pages, const QPageLayout& layout,
                     int resolution);

// Draws the report of `kind` as a PDF of `paper`-sized pages, one PDF page per report page,
// with no printer involved, and hands its bytes to `sink` as streamPagesPdf does. Needs a
// QGuiApplication (any platform, offscreen included) for its fonts.
Status streamReportPdf(const ByteSink& sink, ReportKind kind, ReportInputs inputs,
                       const ReportSettings& settings, const QPageSize& paper,
                       const Locale& locale);

// As above, into the PDF file at `path`, whole or not at all; a report without pages
// writes nothing.
Status writeReportPdf(const std::string& path, ReportKind kind, ReportInputs inputs,
                      const ReportSettings& settings, const QPageSize& paper, const Locale& locale);
