#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QTextBrowser>

#include "platform/qt/QtUserPrompts.h"
#include "shell/ui/AboutDialog.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/ProgramPicture.h"

namespace {

TEST(HelpWindow, EveryPageTheProgramNamesIsThere) {
    HelpWindow help;
    for (const char* page : {"Introduction", "calendar", "apptbook", "tasklist", "phonebook",
                             "csvimport", "csvexport", "dlgpraddr"}) {
        const QString name = QString::fromLatin1(page);
        ASSERT_TRUE(QFile::exists(":/help/" + name + ".htm")) << page;
        help.showPage(name);
        EXPECT_EQ(help.browser()->source(), QUrl(HelpWindow::pageUrl(name))) << page;
        EXPECT_FALSE(help.browser()->documentTitle().isEmpty()) << page;
    }
    help.showPage(QStringLiteral("no-such-page"));
    EXPECT_EQ(help.browser()->source(), QUrl(HelpWindow::pageUrl(QStringLiteral("dlgpraddr"))));
}

TEST(AboutDialog, ShowsNameVersionAndPicture) {
    AboutDialog about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Quillmate"));
    QStringList texts;
    bool picture = false;
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) texts << label->text();
        if (!label->pixmap().isNull()) picture = true;
    }
    EXPECT_TRUE(texts.contains(QStringLiteral("Quillmate")));
    EXPECT_TRUE(texts.contains(QStringLiteral("VERSION 1.6")));
    EXPECT_TRUE(picture);
    EXPECT_FALSE(ProgramPicture::picture().isNull());
}

TEST(QtUserPrompts, FiltersKeepTheirTextsAndFilterByTheirPatterns) {
    const std::vector<FileFilter> filters = {{"Quillmate Files (*.pgr)", "*.pgr"},
                                             {"All Files (*.*)", "*"}};
    EXPECT_EQ(QtUserPrompts::nameFilters(filters),
              QStringLiteral("Quillmate Files (*.pgr);;All Files (*)"));
}

}  // namespace
