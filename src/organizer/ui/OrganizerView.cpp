#include "organizer/ui/OrganizerView.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QShortcut>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include "records/PimDocument.h"

namespace {

// The view's designed size in dialog units.
constexpr int kDesignWidthDlu = 429;
constexpr int kDesignHeightDlu = 222;

QTreeView* makeList(const QStringList& columns, QWidget* parent) {
    auto* list = new QTreeView(parent);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Until the organizer's own model arrives, an empty one carries the column titles.
    auto* placeholder = new QStandardItemModel(0, static_cast<int>(columns.size()), list);
    placeholder->setHorizontalHeaderLabels(columns);
    list->setModel(placeholder);
    list->header()->setStretchLastSection(true);
    return list;
}

}  // namespace

OrganizerView::OrganizerView(PimDocument& document, ShellSettings& settings, const Locale& locale,
                             QWidget* parent)
    : QWidget(parent), document_(&document), settings_(settings), locale_(locale) {
    calendar_ = new QCalendarWidget(this);
    calendar_->setGridVisible(false);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar_->setWhatsThis(
        tr("The calendar: pick the day whose appointments and tasks "
           "are shown below."));
    connect(calendar_, &QCalendarWidget::clicked, this, &OrganizerView::calendarDateChosen);
    connect(calendar_, &QCalendarWidget::activated, this, &OrganizerView::calendarDateChosen);
    connect(calendar_, &QCalendarWidget::selectionChanged, this,
            [this] { calendarDateChosen(calendar_->selectedDate()); });

    phoneBookFrame_ = framed(tr("Phone Book"), nullptr);
    phoneBookFrame_->setWhatsThis(tr("The phone book: the persons of the chosen group."));
    phoneBookPanel_ = new QWidget(phoneBookFrame_);
    phoneBookFrame_->layout()->addWidget(phoneBookPanel_);

    dateLabel_ = new QLabel(tr("Date goes here!"), this);
    dateLabel_->setAlignment(Qt::AlignCenter);
    QFont bold = dateLabel_->font();
    bold.setBold(true);
    dateLabel_->setFont(bold);
    appointmentList_ = makeList({tr("Time"), tr("Appointment")}, this);
    QVBoxLayout* appointmentLayout = nullptr;
    QGroupBox* appointments = framed(tr("Appointments"), dateLabel_, &appointmentLayout);
    appointmentLayout->addWidget(appointmentList_);
    appointments->setWhatsThis(tr("The appointments of the chosen day, earliest first."));

    taskList_ = makeList({tr("Task"), tr("Original Due Date")}, this);
    QGroupBox* tasks = framed(tr("Tasks"), taskList_);
    tasks->setWhatsThis(
        tr("The tasks of the chosen day: those due that day, and on today "
           "also every open task that is overdue."));

    auto* grid = new QGridLayout(this);
    grid->addWidget(calendar_, 0, 0);
    grid->addWidget(phoneBookFrame_, 0, 1);
    grid->addWidget(appointments, 1, 0);
    grid->addWidget(tasks, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);

    // Context help and F1 over a pane open its help page.
    panePages_ = {{calendar_, QStringLiteral("calendar")},
                  {phoneBookFrame_, QStringLiteral("phonebook")},
                  {appointments, QStringLiteral("apptbook")},
                  {tasks, QStringLiteral("tasklist")}};
    for (const auto& [pane, page] : panePages_)
        const_cast<QWidget*>(pane)->installEventFilter(this);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    f1->setContext(Qt::WidgetWithChildrenShortcut);
    connect(f1, &QShortcut::activated, this, [this] {
        const QString page = helpPageFor(QApplication::focusWidget());
        if (!page.isEmpty()) emit helpRequested(page);
    });

    setMinimumSize(designedSize());
    alarm_ = settings_.readAlarmSettings();
    document_->attachView(*this);
    showSelectedDate();
}

OrganizerView::~OrganizerView() {
    settings_.writeUseAlarmSound(alarm_.useAlarmSound);
    if (document_ != nullptr) document_->detachView(*this);
}

QSize OrganizerView::designedSize() const {
    // Dialog units: a quarter of the average character width, an eighth of the height.
    const QFontMetrics metrics(font());
    return {kDesignWidthDlu * metrics.averageCharWidth() / 4,
            kDesignHeightDlu * metrics.height() / 8};
}

QGroupBox* OrganizerView::framed(const QString& title, QWidget* content, QVBoxLayout** layout) {
    auto* frame = new QGroupBox(title, this);
    auto* frameLayout = new QVBoxLayout(frame);
    if (content != nullptr) frameLayout->addWidget(content);
    if (layout != nullptr) *layout = frameLayout;
    return frame;
}

void OrganizerView::setPhoneBookPanel(QWidget* panel) {
    phoneBookFrame_->layout()->replaceWidget(phoneBookPanel_, panel);
    delete phoneBookPanel_;
    phoneBookPanel_ = panel;
}

void OrganizerView::fillSnapshot(ShellSnapshot& state) const {
    state.useAlarmSound = alarm_.useAlarmSound;
    // The lists arrive with the organizer; until then nothing is selected or shown.
    state.focusedList = FocusedList::None;
}

void OrganizerView::toggleAudibleAlarm() {
    alarm_.useAlarmSound = !alarm_.useAlarmSound;
    settings_.writeUseAlarmSound(alarm_.useAlarmSound);
    emit selectionChanged();
}

QString OrganizerView::helpPageFor(const QWidget* widget) const {
    for (; widget != nullptr && widget != this; widget = widget->parentWidget()) {
        if (const auto it = panePages_.find(widget); it != panePages_.end()) return it->second;
    }
    return {};
}

bool OrganizerView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WhatsThis) {
        const QString page = helpPageFor(qobject_cast<QWidget*>(watched));
        if (!page.isEmpty()) {
            emit helpRequested(page);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void OrganizerView::documentChanged() {
    showSelectedDate();
    emit selectionChanged();
}

void OrganizerView::documentClosing() {
    document_ = nullptr;
}

void OrganizerView::showSelectedDate() {
    if (document_ == nullptr) return;
    const DateTime date = document_->currentDate();
    dateLabel_->setText(QString::fromStdString(date.formatDate(locale_, DateStyle::Long)));
    if (const auto fields = date.fields()) {
        const QDate shown(fields->year, fields->month, fields->day);
        if (calendar_->selectedDate() != shown) calendar_->setSelectedDate(shown);
    }
}

void OrganizerView::calendarDateChosen(QDate date) {
    if (document_ == nullptr || !date.isValid()) return;
    const DateTime chosen = DateTime::fromFields(date.year(), date.month(), date.day());
    if (chosen == document_->currentDate()) return;
    document_->setCurrentDate(chosen);
    showSelectedDate();
    emit selectionChanged();
}
