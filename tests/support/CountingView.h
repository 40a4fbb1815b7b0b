#pragma once

#include <string>

#include "records/DocumentView.h"

// Counts what a document tells its views.
class CountingView : public DocumentView {
public:
    void documentChanged() override { ++changes; }
    void documentPathChanged(const std::string& path) override { lastPath = path; }
    void documentClosing() override { closed = true; }

    int changes = 0;
    std::string lastPath = "(unset)";
    bool closed = false;
};
