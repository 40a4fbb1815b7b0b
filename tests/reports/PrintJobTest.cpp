#include <gtest/gtest.h>

#include "reports/PageProvider.h"
#include "reports/PreviewState.h"
#include "reports/PrintJob.h"
#include "reports/RecordingCanvas.h"
#include "reports/ReportBuilder.h"
#include "support/FixedLocale.h"

namespace {

// Collects pages like a printer, failing at a chosen step.
class FlakySink : public PageSink {
public:
    enum class Step { None, StartDocument, StartPage, EndPage, EndDocument };
    FlakySink(Step failAt, int failPage) : failAt_(failAt), failPage_(failPage) {}

    bool startDocument(const std::string& name) override {
        documentName = name;
        return failAt_ != Step::StartDocument;
    }
    bool startPage() override {
        ++pagesStarted;
        return !(failAt_ == Step::StartPage && pagesStarted == failPage_);
    }
    PageCanvas& canvas() override { return canvas_; }
    bool endPage() override { return !(failAt_ == Step::EndPage && pagesStarted == failPage_); }
    bool endDocument() override {
        ended = true;
        return failAt_ != Step::EndDocument;
    }
    void abortDocument() override { aborted = true; }

    std::string documentName;
    int pagesStarted = 0;
    bool ended = false;
    bool aborted = false;
    RecordingCanvas canvas_{letterAt100Dpi()};

private:
    Step failAt_;
    int failPage_;
};

std::unique_ptr<PrintReport> tasksReport(PageCanvas& canvas, size_t count) {
    static const FixedLocale locale;
    ReportInputs inputs;
    inputs.tasks.resize(count);
    return buildReport(ReportKind::DailyTasks, canvas, inputs, {}, locale);
}

TEST(PrintJob, PrintsEveryPageAndAnnouncesEach) {
    FlakySink sink(FlakySink::Step::None, 0);
    const auto report = tasksReport(sink.canvas_, 100);  // 47 + 47 + 6 rows
    std::vector<std::string> statuses;
    ReportPageProvider pages(*report, [&](const std::string& text) { statuses.push_back(text); });
    EXPECT_TRUE(runPrintJob(pages, sink, "Quillmate Document"));
    EXPECT_EQ(sink.pagesStarted, 3);
    EXPECT_TRUE(sink.ended);
    EXPECT_FALSE(sink.aborted);
    EXPECT_EQ(sink.canvas_.depth, 0);  // every page's state restored
    EXPECT_EQ(statuses, (std::vector<std::string>{"Page 1 of 3", "Page 2 of 3", "Page 3 of 3"}));
    EXPECT_FALSE(pages.drawPage(3, sink.canvas_));

    FlakySink empty(FlakySink::Step::None, 0);
    const auto none = tasksReport(empty.canvas_, 0);
    ReportPageProvider noPages(*none, nullptr);
    EXPECT_TRUE(runPrintJob(noPages, empty, "job"));
    EXPECT_EQ(empty.pagesStarted, 0);
    EXPECT_TRUE(empty.ended) << "a report without pages prints an empty document";
}

TEST(PrintJob, FailuresAbortTheDocumentAndSaySo) {
    using Step = FlakySink::Step;
    struct Case {
        Step step;
        int page;
        const char* reason;
        bool aborted;
    };
    const Case cases[] = {
        {Step::StartDocument, 0, "the document could not be started", false},
        {Step::StartPage, 2, "page 2 could not be started", true},
        {Step::EndPage, 1, "page 1 could not be finished", true},
        {Step::EndDocument, 0, "the document could not be finished", false},
    };
    for (const Case& c : cases) {
        FlakySink sink(c.step, c.page);
        const auto report = tasksReport(sink.canvas_, 100);
        ReportPageProvider pages(*report, nullptr);
        const Status status = runPrintJob(pages, sink, "job");
        EXPECT_FALSE(status) << c.reason;
        EXPECT_EQ(status.reason(), c.reason);
        EXPECT_EQ(sink.aborted, c.aborted) << c.reason;
        EXPECT_EQ(sink.ended, c.step == Step::EndDocument) << c.reason;
    }
}

TEST(PreviewState, ZoomStepsPagesAndScrolling) {
    PreviewState state;
    state.start(3);
    EXPECT_FALSE(state.zoomOut());  // already at 0
    EXPECT_EQ(state.zoom(), 0);
    std::vector<int> zooms;
    for (int i = 0; i < 4; ++i) {
        state.zoomIn();
        zooms.push_back(state.zoom());
    }
    EXPECT_EQ(zooms, (std::vector<int>{200, 400, 800, 800}));
    EXPECT_FALSE(state.canZoomIn());
    zooms.clear();
    while (state.zoomOut())
        zooms.push_back(state.zoom());
    EXPECT_EQ(zooms, (std::vector<int>{400, 200, 0}));

    state.start(2);
    EXPECT_FALSE(state.canGoPrevious());
    EXPECT_TRUE(state.canGoNext());
    state.setCurrentPage(1);
    EXPECT_FALSE(state.canGoNext());
    state.start(0);  // a report without pages offers no page at all
    EXPECT_FALSE(state.canGoNext());
    EXPECT_FALSE(state.canGoPrevious());

    EXPECT_EQ(PreviewState::scrolledPosition(0, 0, 200, true), 100);
    EXPECT_EQ(PreviewState::scrolledPosition(75, 200, 400, true), 150);
    EXPECT_EQ(PreviewState::scrolledPosition(301, 800, 400, false), 150);
    EXPECT_EQ(PreviewState::scrolledPosition(150, 200, 0, true), 0);
}

}  // namespace
