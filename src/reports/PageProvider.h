#pragma once

#include <functional>
#include <string>

class PageCanvas;
class PrintReport;

// What the preview and the print job ask of the pages they show or print.
class PageProvider {
public:
    virtual ~PageProvider() = default;

    virtual void beginJob(PageCanvas& canvas) = 0;
    virtual void endJob(PageCanvas& canvas, bool aborted) = 0;
    virtual void beforePage(int pageIndex, PageCanvas& canvas) = 0;
    // Draws the page; false when there is no such page.
    virtual bool drawPage(int pageIndex, PageCanvas& canvas) = 0;
    virtual void afterPage(int pageIndex, PageCanvas& canvas) = 0;
    [[nodiscard]] virtual bool hasPage(int pageIndex) const = 0;
};

// The pages of one report. Each page drawn is announced as "Page n of m".
class ReportPageProvider : public PageProvider {
public:
    using StatusSink = std::function<void(const std::string& text)>;

    ReportPageProvider(PrintReport& report, StatusSink status);

    void beginJob(PageCanvas&) override {}
    void endJob(PageCanvas&, bool) override {}
    // The canvas state is saved around every page, so no page leaks into the next.
    void beforePage(int pageIndex, PageCanvas& canvas) override;
    bool drawPage(int pageIndex, PageCanvas& canvas) override;
    void afterPage(int pageIndex, PageCanvas& canvas) override;
    [[nodiscard]] bool hasPage(int pageIndex) const override;

private:
    PrintReport& report_;
    StatusSink status_;
};
