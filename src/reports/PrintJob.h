#pragma once

#include <string>

#include "platform/Status.h"

class PageCanvas;
class PageProvider;

// Where a print job puts its pages: a printer, or a PDF file. Any step may fail.
class PageSink {
public:
    virtual ~PageSink() = default;

    // Opens the output under the job's name; false when it cannot be opened.
    virtual bool startDocument(const std::string& name) = 0;
    // Starts the next page; false when it cannot be started.
    virtual bool startPage() = 0;
    // The canvas of the page started last.
    virtual PageCanvas& canvas() = 0;
    virtual bool endPage() = 0;
    // Finishes the document; false when it could not be finished.
    virtual bool endDocument() = 0;
    // Throws away what was started.
    virtual void abortDocument() = 0;
};

// Prints every page the provider has, in order, under `documentName`. A page that cannot
// be started, drawn or finished aborts the job and makes it a failure, which names the
// page; the sink's document is then aborted, never ended.
Status runPrintJob(PageProvider& pages, PageSink& sink, const std::string& documentName);
