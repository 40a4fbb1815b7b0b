#pragma once

#include <string>

// A window that shows a document and is told when it changes.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    // The contents changed: refill everything shown.
    virtual void documentChanged() = 0;
    // The document now lives under another path ("" for a new document).
    virtual void documentPathChanged(const std::string& /*path*/) {}
    // The document is going away; the view must drop its reference.
    virtual void documentClosing() {}
};
