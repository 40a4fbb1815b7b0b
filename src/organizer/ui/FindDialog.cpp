#include "organizer/ui/FindDialog.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "organizer/FoundRow.h"
#include "organizer/ui/ClearButton.h"
#include "organizer/ui/FoundListModel.h"
#include "platform/Translate.h"
#include "records/PimDocument.h"
#include "workspace/Workspace.h"

namespace {

// A search starts once typing pauses this long, so that a fast typist's keys do not each
// start one.
constexpr int kTypingPauseMs = 150;
// What one slice looks through: a millisecond or two, short enough for the window to
// answer keys and paint between slices.
constexpr size_t kSliceBytes = size_t{2} << 20;
// The list shows this many rows and characters without scrolling.
constexpr int kListRows = 14;
constexpr int kListColumns = 80;

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

}  // namespace

FindDialog::FindDialog(Workspace& workspace, const Locale& locale, QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      document_(&workspace.document()),
      search_(workspace.document()) {
    setWindowTitle(_("Find"));

    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("findText"));
    text_->setAccessibleName(QString::fromUtf8(_("Text to find")));
    giveClearButton(*text_, QString::fromUtf8(_("Clear")));
    text_->setWhatsThis(
        _("Type part of a name, address, number, note or description: the persons, "
          "appointments and tasks holding it are listed below, without regard to case or "
          "accents. Down moves to the list; Enter goes to the record."));
    auto* label = new QLabel(_("Fi&nd:"), this);
    label->setBuddy(text_);

    model_ = new FoundListModel(workspace.document(), search_, locale, this);
    list_ = new QTreeView(this);
    list_->setObjectName(QStringLiteral("foundList"));
    list_->setModel(model_);
    list_->setAccessibleName(QString::fromUtf8(_("Found records")));
    list_->setWhatsThis(
        _("The records holding the text, by kind, with the day of an appointment (the next "
          "one of a series) and the due date of a task. Enter or a double click goes to the "
          "record."));
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setSectionsMovable(false);
    // What matched takes the room; the dates need the width of one.
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    const QFontMetrics metrics = list_->fontMetrics();
    const QString longDate =
        QString::fromStdString(DateTime::fromFields(2026, 12, 28).formatDate(locale));
    list_->header()->resizeSection(
        1, std::max(metrics.horizontalAdvance(longDate),
                    list_->header()->fontMetrics().horizontalAdvance(_("Date"))) +
               4 * metrics.averageCharWidth());
    list_->setMinimumSize(metrics.averageCharWidth() * kListColumns, metrics.height() * kListRows);
    // Headings come as their first record is found, and are never folded.
    connect(model_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex& parent, int first, int last) {
                if (parent.isValid()) return;
                for (int row = first; row <= last; ++row)
                    list_->expand(model_->index(row, 0));
            });
    connect(list_, &QTreeView::doubleClicked, this, &FindDialog::goTo);

    status_ = new QLabel(this);
    goTo_ = new QPushButton(_("&Go To"), this);
    goTo_->setWhatsThis(_("Goes to the chosen record."));
    auto* close = new QPushButton(_("&Close"), this);
    // Enter is the list's and the box's own: it goes to a record, never presses a button.
    for (QPushButton* button : {goTo_, close})
        button->setAutoDefault(false);
    connect(goTo_, &QPushButton::clicked, this, [this] { goTo(chosen()); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* find = new QHBoxLayout;
    find->addWidget(label);
    find->addWidget(text_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(goTo_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(find);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    typing_ = new QTimer(this);
    typing_->setSingleShot(true);
    typing_->setInterval(kTypingPauseMs);
    connect(typing_, &QTimer::timeout, this, &FindDialog::startSearch);
    slices_ = new QTimer(this);
    slices_->setSingleShot(true);
    slices_->setInterval(0);
    connect(slices_, &QTimer::timeout, this, &FindDialog::slice);
    connect(text_, &QLineEdit::textChanged, this, [this] {
        typing_->start();
        showStatus();
    });
    text_->installEventFilter(this);
    list_->installEventFilter(this);
    workspace_.attachView(*this);
    showStatus();
}

FindDialog::~FindDialog() {
    if (document_ != nullptr) workspace_.detachView(*this);
}

bool FindDialog::searching() const {
    return typing_->isActive() || (!search_.filter().empty() && !search_.done());
}

void FindDialog::startSearch() {
    typing_->stop();
    if (document_ == nullptr) return;
    model_->reset([&] { search_.start(text_->text().toStdString()); });
    slice();
}

void FindDialog::slice() {
    if (document_ == nullptr || !isVisible()) return;
    bool more = false;
    if (search_.filter().empty()) {
        // Made while the box is empty, so that the first key typed is answered at once.
        more = !search_.prepare(kSliceBytes);
    } else {
        search_.more(kSliceBytes);
        model_->update();
        more = !search_.done();
    }
    showStatus();
    if (more) slices_->start();
}

void FindDialog::showStatus() {
    QString text;
    if (search_.filter().empty() && !typing_->isActive())
        text.clear();
    else if (searching())
        text = QString::fromUtf8(_("Searching..."));
    else if (search_.results().empty())
        text = QString::fromUtf8(_("Nothing found"));
    else
        text = QString::fromStdString(
            countText(NP_("%d record found", "%d records found"), search_.results().size()));
    status_->setText(text);
    goTo_->setEnabled(chosen().isValid());
}

QModelIndex FindDialog::chosen() const {
    const QModelIndex current = list_->currentIndex();
    if (model_->record(current) != nullptr) return current;
    return model_->firstRecord();
}

void FindDialog::goTo(const QModelIndex& index) {
    const FoundRecord* found = model_->record(index);
    if (found == nullptr || document_ == nullptr) return;
    // Hiding lets the list go, so the record is kept here.
    const FoundRecord record = *found;
    const DateTime day = foundRow(*document_, record, search_.filter()).day;
    hide();
    emit recordChosen(record, day);
}

bool FindDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == text_ && key->key() == Qt::Key_Down && model_->firstRecord().isValid()) {
        list_->setFocus(Qt::TabFocusReason);
        if (model_->record(list_->currentIndex()) == nullptr)
            list_->setCurrentIndex(model_->firstRecord());
        return true;
    }
    if ((watched == text_ || watched == list_) && isEnter(key)) {
        // Typing may not have paused yet: the search for what the box says comes first.
        if (watched == text_ && typing_->isActive()) startSearch();
        goTo(watched == text_ ? chosen() : list_->currentIndex());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FindDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window brought back from the task bar still has its list.
    if (event->spontaneous()) return;
    text_->selectAll();
    text_->setFocus(Qt::OtherFocusReason);
    startSearch();
}

void FindDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous()) return;
    typing_->stop();
    slices_->stop();
    // The index holds a copy of every text: it is made again when the window comes back.
    model_->reset([&] { search_.release(); });
}

void FindDialog::documentChanged() {
    if (isVisible()) typing_->start();
}

void FindDialog::documentClosing() {
    document_ = nullptr;
    typing_->stop();
    slices_->stop();
    model_->reset([&] { search_.release(); });
}
