#include "platform/qt/FileDialogSize.h"

#include <QDateTime>
#include <QEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLocale>
#include <QScreen>
#include <QScrollBar>
#include <QTreeView>

#include <algorithm>
#include <vector>

namespace {

// Texts as wide as a column usually holds: the name about the room Qt gives it, the type the
// descriptions of the program's own files and of text files, and the date is written the
// way the dialog's file model writes it, in the user's locale.
std::vector<QStringList> columnSamples() {
    const QDateTime late(QDate(2026, 12, 28), QTime(23, 59, 59));
    return {
        {QStringLiteral("wwwwwwwwwwwwwwwwwwwwwwwwww")},
        {QStringLiteral("1,023 bytes"), QStringLiteral("1023.99 KiB")},
        {QStringLiteral("Quillmate document"), QStringLiteral("plain text document")},
        {QLocale::system().toString(late, QLocale::ShortFormat)},
    };
}

// Widens the columns and returns the width the view needs to show all of them.
int widenColumns(QTreeView& tree) {
    QHeaderView* header = tree.header();
    const QFontMetrics metrics = tree.fontMetrics();
    const int padding = 2 * metrics.averageCharWidth() + 16;
    const std::vector<QStringList> samples = columnSamples();
    int width = tree.verticalScrollBar()->sizeHint().width() + 2 * tree.frameWidth();
    for (int i = 0; i < header->count(); ++i) {
        if (static_cast<size_t>(i) < samples.size()) {
            int wanted = header->sectionSize(i);
            for (const QString& text : samples[i])
                wanted = std::max(wanted, metrics.horizontalAdvance(text) + padding);
            header->resizeSection(i, wanted);
        }
        if (!header->isSectionHidden(i)) width += header->sectionSize(i);
    }
    return width;
}

// Grows the dialog once, when it is about to show: only then has its layout given the
// view its real width, and the window is not on the screen yet.
class ColumnFitter : public QObject {
public:
    ColumnFitter(QFileDialog& dialog, QTreeView& tree)
        : QObject(&dialog), dialog_(dialog), tree_(tree) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &dialog_ && event->type() == QEvent::Show) {
            dialog_.removeEventFilter(this);
            grow();
            deleteLater();
        }
        return false;
    }

private:
    void grow() {
        const int lacking = widenColumns(tree_) - tree_.width();
        QSize size = dialog_.size();
        size.rwidth() += std::max(0, lacking);
        size.rheight() = std::max(size.height(), size.width() * 3 / 5);
        if (const QScreen* screen = dialog_.screen())
            size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
        dialog_.resize(size.expandedTo(dialog_.size()));
    }

    QFileDialog& dialog_;
    QTreeView& tree_;
};

}  // namespace

void fitFileDialogColumns(QFileDialog& dialog) {
    // The detail view is the dialog's one tree view; a native dialog has none.
    auto* tree = dialog.findChild<QTreeView*>();
    if (tree == nullptr) return;
    dialog.installEventFilter(new ColumnFitter(dialog, *tree));
}
