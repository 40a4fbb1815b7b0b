#include <gtest/gtest.h>

#include "reports/ListPagination.h"
#include "reports/PageProvider.h"
#include "reports/PreviewState.h"
#include "reports/PrintJob.h"
#include "reports/RecordingCanvas.h"

namespace {

// The daily task list of tasks "task 0" to "task <count - 1>".
std::unique_ptr<PrintReport> tasksReport(PageCanvas& canvas, size_t count,
                                         const ReportSettings& settings = {}) {
    ReportInputs inputs;
    inputs.tasks.resize(count);
    for (size_t i = 0; i < count; ++i)
        inputs.tasks[i].Description = "task " + std::to_string(i);
    return layOut(ReportKind::DailyTasks, canvas, inputs, settings);
}

// Collects pages like a printer, failing at a chosen step.
class FlakySink : public PageSink {
public:
    enum class Step { None, StartDocument, StartPage, EndPage, EndDocument };
    FlakySink(Step failAt, int failPage) : failAt_(failAt), failPage_(failPage) {}

    bool startDocument(const std::string& name) override {
        documentName = name;
        return !fails(Step::StartDocument);
    }
    bool startPage() override {
        ++pagesStarted;
        return !fails(Step::StartPage);
    }
    PageCanvas& canvas() override { return canvas_; }
    bool endPage() override { return !fails(Step::EndPage); }
    bool endDocument() override {
        ended = true;
        return !fails(Step::EndDocument);
    }
    void abortDocument() override { aborted = true; }

    std::string documentName;
    int pagesStarted = 0;
    bool ended = false, aborted = false;
    RecordingCanvas canvas_{letterAt100Dpi()};

private:
    // Pages count from 1; a step of the document fails whatever the page.
    bool fails(Step step) const {
        return failAt_ == step && (failPage_ == 0 || pagesStarted == failPage_);
    }

    Step failAt_;
    int failPage_;
};

TEST(PrintJob, PrintsEveryPageAndAnnouncesEach) {
    FlakySink sink(FlakySink::Step::None, 0);
    const auto report = tasksReport(sink.canvas_, 100);  // 47 + 47 + 6 rows
    std::vector<std::string> statuses;
    ReportPageProvider pages(*report, [&](const std::string& text) { statuses.push_back(text); });
    EXPECT_TRUE(runPrintJob(pages, sink, "Quillmate Document"));
    EXPECT_EQ(std::tuple(sink.documentName, sink.pagesStarted, sink.ended, sink.aborted),
              std::tuple("Quillmate Document", 3, true, false));
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
    // The step and page that fail, the reason given, whether the document is aborted.
    const std::tuple<Step, int, const char*, bool> cases[] = {
        {Step::StartDocument, 0, "the document could not be started", false},
        {Step::StartPage, 2, "page 2 could not be started", true},
        {Step::EndPage, 1, "page 1 could not be finished", true},
        {Step::EndDocument, 0, "the document could not be finished", false},
    };
    for (const auto& [step, page, reason, aborted] : cases) {
        FlakySink sink(step, page);
        const auto report = tasksReport(sink.canvas_, 100);
        ReportPageProvider pages(*report, nullptr);
        const Status status = runPrintJob(pages, sink, "job");
        EXPECT_FALSE(status) << reason;
        EXPECT_EQ(status.reason(), reason);
        EXPECT_EQ(std::pair(sink.aborted, sink.ended),
                  std::pair(aborted, step == Step::EndDocument))
            << reason;
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
    EXPECT_EQ(std::pair(state.canGoPrevious(), state.canGoNext()), std::pair(false, true));
    state.setCurrentPage(1);
    EXPECT_FALSE(state.canGoNext());
    state.start(0);  // a report without pages offers no page at all
    EXPECT_EQ(std::pair(state.canGoPrevious(), state.canGoNext()), std::pair(false, false));

    EXPECT_EQ(PreviewState::scrolledPosition(0, 0, 200, true), 100);
    EXPECT_EQ(PreviewState::scrolledPosition(75, 200, 400, true), 150);
    EXPECT_EQ(PreviewState::scrolledPosition(301, 800, 400, false), 150);
    EXPECT_EQ(PreviewState::scrolledPosition(150, 200, 0, true), 0);
}

TEST(ReportEngine, ContentRectangleFontsAndColumnsComeFromTheDevice) {
    // 8.5 x 11 inches at 600 dots per inch, printable area 25 units in.
    RecordingCanvas canvas({600, 600, 5100, 6600, 25, 25});
    const auto report = tasksReport(canvas, 1);
    EXPECT_EQ(report->contentRect(), (PageRect{575, 575, 4475, 5975}));
    // 600 x 10 / 72 = 83.3: a character height, so negative.
    EXPECT_EQ(report->normalFont(), (FontSpec{-83, 400, "Times New Roman"}));
    EXPECT_EQ(report->boldFont(), (FontSpec{-83, 700, "Times New Roman"}));
    EXPECT_EQ(report->lineHeight(), 83 + RecordingCanvas::kLeading);
    EXPECT_EQ(report->firstColumnX(), 575 + 41);
    EXPECT_EQ(report->secondColumnX(), 575 + 41 + 3900 / 2);

    // The columns are measured while the 10-point default (13 high, 6 wide) is in force.
    RecordingCanvas letter(letterAt100Dpi());
    ReportSettings settings;
    settings.faceName = "Courier";
    settings.pointSize = 20;
    const auto courier = tasksReport(letter, 1, settings);
    EXPECT_EQ(courier->normalFont(), (FontSpec{-27, 400, "Courier"}));
    EXPECT_EQ(courier->averageCharWidth(), 13);
    EXPECT_EQ(courier->firstColumnX(), 100 + 6);

    RecordingCanvas noResolution(DeviceMetrics{});
    const auto none = tasksReport(noResolution, 3);
    none->printPage(noResolution, 0);
    EXPECT_EQ(none->normalFont().height, 0) << "no division by zero";
}

TEST(ReportEngine, PagesDrawRowsFromBelowTheHeadsInsideABracketFrame) {
    RecordingCanvas canvas(letterAt100Dpi());
    const auto report = tasksReport(canvas, 48);
    ASSERT_EQ(report->pageCount(), 2);

    report->printPage(canvas, 0);
    EXPECT_EQ(canvas.find("task 0")->y, 100 + 3 * 18);
    EXPECT_EQ(canvas.find("task 46")->y, 100 + 49 * 18);
    EXPECT_EQ(canvas.find("task 47"), nullptr);
    // Edges, and one-inch stubs along the top and the bottom.
    const std::vector<RecordingCanvas::Line> frame = {
        {100, 100, 100, 1000}, {750, 100, 750, 1000},  {100, 100, 200, 100},
        {750, 100, 650, 100},  {100, 1000, 200, 1000}, {750, 1000, 650, 1000},
    };
    EXPECT_EQ(canvas.lines, frame);
    // A page too short for any row still takes one row at a time, never none.
    EXPECT_EQ(paginateList(3, 100, 120, 18).size(), 3u);

    canvas.clear();
    report->printPage(canvas, 1);
    EXPECT_EQ(canvas.find("task 47")->y, 100 + 3 * 18);
    // The footer is bold and centred on the line above the content bottom.
    EXPECT_EQ(canvas.at("Page 2").font.weight, 700);
    EXPECT_EQ(canvas.at("Page 2").y, 1000 - 18);
    // A page beyond the last draws its header and footer but no rows.
    canvas.clear();
    report->printPage(canvas, 2);
    EXPECT_NE(canvas.find("Page 3"), nullptr);
    EXPECT_EQ(canvas.find("task 0"), nullptr);
}

TEST(ReportEngine, NarrowPaperPrintsAtEightPoints) {
    const std::tuple<int, int, int> cases[] = {{850, -13, 2}, {690, -11, 1}, {700, -13, 2}};
    for (const auto& [widthHundredths, fontHeight, pages] : cases) {
        RecordingCanvas canvas(letterAt100Dpi(widthHundredths));
        const auto report = tasksReport(canvas, 50);
        EXPECT_EQ(report->pageCount(), pages) << widthHundredths;
        report->printPage(canvas, 0);
        EXPECT_EQ(canvas.find("task 0")->font.height, fontHeight) << widthHundredths;
    }
}

}  // namespace
