#include <QMenuBar>
#include <QPrinter>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolBar>

#include "FrameFixture.h"
#include "reports/ui/PageBox.h"
#include "reports/ui/PreviewWindow.h"
#include "reports/ui/ReportController.h"

namespace {

class ReportPreviewTest : public FrameFixture {
protected:
    ReportPreviewTest() : FrameFixture(LocalTime{2026, 5, 12, 9, 0, 0, 0}) {}
    void SetUp() override {
        start();
        reports = new ReportController(*workspace, *frame, prompts, locale, clock,
                                       [this] { return organizer->shownGroup(); });
        frame->resize(900, 700);
        frame->show();
    }
    // Which of the preview's Previous, Next, Zoom In and Zoom Out are enabled.
    QString previewEnabled() const {
        const std::pair<int, const char*> buttons[] = {{cmd::kPreviewPrevious, "previous"},
                                                       {cmd::kPreviewNext, "next"},
                                                       {cmd::kPreviewZoomIn, "in"},
                                                       {cmd::kPreviewZoomOut, "out"}};
        QStringList on;
        for (const auto& [id, name] : buttons)
            if (reports->previewAction(id)->isEnabled()) on << name;
        return on.join(' ');
    }
    QWidget* client() const {
        return static_cast<QStackedWidget*>(frame->centralWidget())->currentWidget();
    }

    ReportController* reports = nullptr;
};

TEST_F(ReportPreviewTest, PreviewStepsPagesZoomsAndClosesByCommandOrEscape) {
    for (int i = 1; i <= 120; ++i)  // three pages on letter or A4 paper at 10 points
        add(taskDue("errand " + std::to_string(i), DateTime::today(clock)));
    frame->updateCommandStates();
    EXPECT_FALSE(enabled(cmd::kPrintPreview));

    frame->runCommand(cmd::kReportDailyTasks);
    ASSERT_TRUE(reports->previewShowing());
    EXPECT_EQ(client(), reports->previewWindow());
    EXPECT_TRUE(frame->menuBar()->isHidden());
    EXPECT_TRUE(frame->commands().toolBar()->isHidden());
    EXPECT_FALSE(reports->previewToolBar()->isHidden());
    EXPECT_EQ(statusText(), "Page 1 of 3");
    EXPECT_EQ(previewEnabled(), "next in");

    // The page is drawn white inside the grey surround.
    QApplication::processEvents();
    const QImage shown = reports->previewWindow()->grab().toImage();
    const QRect page = reports->previewWindow()->pageRect();
    EXPECT_EQ(shown.pixelColor(page.left() + 2, page.center().y()), QColor(Qt::white));
    EXPECT_NE(shown.pixelColor(3, 3), QColor(Qt::white));

    reports->previewAction(cmd::kPreviewNext)->trigger();
    frame->runCommand(cmd::kPreviewNext);
    EXPECT_EQ(statusText(), "Page 3 of 3");
    EXPECT_EQ(reports->previewPageBox()->text(), "3 of 3");
    // A page typed into the page box is shown at once.
    reports->previewPageBox()->selectAll();
    QTest::keyClicks(reports->previewPageBox(), "1");
    QTest::keyClick(reports->previewPageBox(), Qt::Key_Return);
    EXPECT_EQ(statusText(), "Page 1 of 3");
    EXPECT_EQ(previewEnabled(), "next in");
    frame->runCommand(cmd::kPreviewNext);
    frame->runCommand(cmd::kPreviewNext);
    EXPECT_EQ(previewEnabled(), "previous in");
    frame->runCommand(cmd::kPreviewNext);  // nothing beyond the last page
    EXPECT_EQ(reports->previewState().currentPage(), 2);
    frame->runCommand(cmd::kPreviewPrevious);
    EXPECT_EQ(statusText(), "Page 2 of 3");

    const QSize window = reports->previewWindow()->contentsRect().size();
    for (int i = 0; i < 4; ++i)
        frame->runCommand(cmd::kPreviewZoomIn);
    EXPECT_EQ(previewEnabled(), "previous next out");
    EXPECT_EQ(reports->previewWindow()->widget()->size(), window + QSize(800, 800));
    EXPECT_GT(reports->previewWindow()->horizontalScrollBar()->value(), 0);

    frame->runCommand(cmd::kPreviewClose);
    EXPECT_FALSE(reports->previewShowing());
    EXPECT_EQ(client(), organizer);
    EXPECT_FALSE(frame->menuBar()->isHidden());
    EXPECT_FALSE(frame->commands().toolBar()->isHidden());
    EXPECT_TRUE(reports->previewToolBar()->isHidden());
    EXPECT_EQ(statusText(), "Ready");
    // Once chosen, the report can be previewed and printed again.
    EXPECT_TRUE(enabled(cmd::kPrintPreview));
    EXPECT_TRUE(enabled(cmd::kPrint));

    // A busy day of the week, to look at (what it says is the plan's own rule); Escape
    // closes the preview.
    for (int i = 0; i < 13; ++i) {
        const DateTime start = DateTime::fromFields(2026, 5, 12, 8 + i / 2, i % 2 * 30);
        add(appointmentAt("Meeting " + std::to_string(i + 1), start, start));
    }
    frame->resize(1000, 1300);
    frame->runCommand(cmd::kReportWeekly);
    ASSERT_TRUE(reports->previewShowing());
    QApplication::processEvents();
    screenshot(*reports->previewWindow(), "weekly-plan-more");
    QApplication::setActiveWindow(frame.get());
    QTest::keyClick(reports->previewWindow(), Qt::Key_Escape);
    EXPECT_FALSE(reports->previewShowing());
}

TEST_F(ReportPreviewTest, EmptyReportKeepsTheLastImageAndClosingTheFrameClosesThePreview) {
    // Never a canvas without metrics, printer or none.
    EXPECT_GT(reports->printer().resolution(), 0);
    EXPECT_GT(
        reports->printer().pageLayout().fullRectPixels(reports->printer().resolution()).width(), 0);
    EXPECT_TRUE(!reports->printsToPdf() ||
                reports->printer().outputFormat() == QPrinter::PdfFormat);

    frame->runCommand(cmd::kReportDailyAppointments);
    ASSERT_TRUE(reports->previewShowing());
    EXPECT_EQ(reports->previewState().lastPage(), -1);
    EXPECT_FALSE(previewEnabled().contains("next"));
    EXPECT_EQ(statusText(), "Ready");  // nothing was drawn, so nothing announced
    frame->close();
    EXPECT_FALSE(reports->previewShowing());
    EXPECT_EQ(client(), organizer);
}

}  // namespace
