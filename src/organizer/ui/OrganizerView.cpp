#include "organizer/ui/OrganizerView.h"

#include <algorithm>
#include <cstdlib>

#include <QCalendarWidget>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "organizer/ui/CalendarMarks.h"
#include "organizer/ui/DayLists.h"
#include "organizer/ui/FindDialog.h"
#include "organizer/ui/OrganizerCommands.h"
#include "organizer/ui/PaneHelp.h"
#include "organizer/ui/PhoneBookPanel.h"
#include "organizer/ui/ReminderController.h"
#include "platform/Translate.h"
#include "records/DocumentDoor.h"
#include "shell/CommandId.h"
#include "workspace/Workspace.h"
#include "workspace/ui/FrameHost.h"

namespace {

// The view's designed size in dialog units.
constexpr int kDesignWidthDlu = 429;
constexpr int kDesignHeightDlu = 222;

}  // namespace

OrganizerView::OrganizerView(Workspace& workspace, FrameHost& frame, SettingsStore& settings,
                             const Locale& locale, UserPrompts& prompts, ContactLauncher& launcher)
    : workspace_(workspace),
      door_(workspace.door()),
      document_(&door_.document()),
      settings_(settings),
      locale_(locale),
      prompts_(prompts),
      day_(door_),
      phoneBook_(door_),
      contacts_(launcher, prompts) {
    calendar_ = new QCalendarWidget(this);
    calendar_->setGridVisible(false);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar_->setAccessibleName(QString::fromUtf8(_("Calendar")));
    // The days are a table of their own, which takes the focus for the calendar.
    if (QWidget* days = calendar_->focusProxy())
        days->setAccessibleName(calendar_->accessibleName());
    // The month buttons show only arrows.
    if (auto* previous =
            calendar_->findChild<QToolButton*>(QStringLiteral("qt_calendar_prevmonth")))
        previous->setAccessibleName(QString::fromUtf8(_("Previous month")));
    if (auto* next = calendar_->findChild<QToolButton*>(QStringLiteral("qt_calendar_nextmonth")))
        next->setAccessibleName(QString::fromUtf8(_("Next month")));
    calendar_->setWhatsThis(
        _("The calendar: pick the day whose appointments and tasks "
          "are shown below."));
    connect(calendar_, &QCalendarWidget::clicked, this, &OrganizerView::calendarDateChosen);
    connect(calendar_, &QCalendarWidget::activated, this, &OrganizerView::calendarDateChosen);
    connect(calendar_, &QCalendarWidget::selectionChanged, this,
            [this] { calendarDateChosen(calendar_->selectedDate()); });
    connect(calendar_, &QCalendarWidget::currentPageChanged, this, [this](int year, int month) {
        if (document_ != nullptr) markCalendarDays(*calendar_, *document_);
        // Paging moves the calendar's outline to the same day of the new month; the day
        // chosen goes with it, so that the outline and the lists below show one day.
        const QDate chosen = calendar_->selectedDate();
        if (chosen.year() == year && chosen.month() == month) return;
        const QDate first(year, month, 1);
        calendar_->setSelectedDate(first.addDays(std::min(chosen.day(), first.daysInMonth()) - 1));
    });

    buildPhoneBook();

    dateLabel_ = new QLabel(_("Date goes here!"), this);
    dateLabel_->setAlignment(Qt::AlignCenter);
    QFont bold = dateLabel_->font();
    bold.setBold(true);
    dateLabel_->setFont(bold);
    lists_ = new DayLists(day_, locale_, this);
    appointmentList_ = lists_->appointmentList();
    taskList_ = lists_->taskList();
    connect(lists_, &DayLists::selectionChanged, this, &OrganizerView::selectionChanged);
    connect(lists_, &DayLists::commandRequested, this, &OrganizerView::commandRequested);
    connect(lists_, &DayLists::listMenuRequested, this, &OrganizerView::listMenuRequested);
    connect(lists_, &DayLists::taskCompletionRequested, this,
            [this](int row) { commands_->completeTaskAt(row); });
    connect(lists_, &DayLists::personRequested, this,
            [this](int32_t person) { commands_->editPersonOf(person); });
    QVBoxLayout* appointmentLayout = nullptr;
    QGroupBox* appointments = framed(_("Appointments"), dateLabel_, &appointmentLayout);
    appointmentLayout->addWidget(appointmentList_);
    appointments->setWhatsThis(_("The appointments of the chosen day, earliest first."));
    QGroupBox* tasks = framed(_("Tasks"), taskList_);
    tasks->setWhatsThis(
        _("The tasks of the chosen day: those due that day, and on today "
          "also every open task that is overdue."));

    auto* grid = new QGridLayout(this);
    grid->addWidget(calendar_, 0, 0);
    grid->addWidget(phoneBookFrame_, 0, 1);
    grid->addWidget(appointments, 1, 0);
    grid->addWidget(tasks, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(1, 1);
    setTabOrder(calendar_, phoneBookPanel_);
    setTabOrder(phoneBookPanel_, appointmentList_);
    setTabOrder(appointmentList_, taskList_);

    help_ = new PaneHelp(*this, {{calendar_, QStringLiteral("calendar")},
                                 {phoneBookFrame_, QStringLiteral("phonebook")},
                                 {appointments, QStringLiteral("apptbook")},
                                 {tasks, QStringLiteral("tasklist")}});
    connect(help_, &PaneHelp::helpRequested, this, &OrganizerView::helpRequested);

    setMinimumSize(designedSize());
    settings_.writeMissingDefaults();
    alarm_ = settings_.read();
    reminders_ = new ReminderController(door_, alarm_, settings_, locale_, this);
    commands_ = std::make_unique<OrganizerCommands>(OrganizerCommands::Parts{
        *this, door_, day_, phoneBook_, *phoneBookPanel_, contacts_, *reminders_, prompts_, locale_,
        [this] { emit selectionChanged(); }});
    door_.attachView(*this);
    phoneBookPanel_->refill();
    refreshLists();
    showSelectedDate();
    markCalendarDays(*calendar_, *document_);
    plugInto(frame);
}

void OrganizerView::plugInto(FrameHost& frame) {
    for (auto& [id, handler] : commands_->handlers())
        frame.setCommandHandler(id, std::move(handler));
    frame.setCommandHandler(cmd::kAudibleAlarm, [this] { toggleAudibleAlarm(); });
    frame.setCommandHandler(cmd::kFind, [this] { showFind(); });
    frame.setSelectionFacts([this](SelectionFacts& facts) { fillFacts(facts); });
    connect(this, &OrganizerView::helpRequested, this,
            [&frame](const QString& page) { frame.showHelpPage(page); });
    connect(this, &OrganizerView::commandRequested, this,
            [&frame](int id) { frame.runCommand(id); });
    connect(this, &OrganizerView::listMenuRequested, this,
            [&frame](FocusedList list, const QPoint& pos) {
                // Each list's menu is the one holding its Add command.
                frame.showMenuOf(list == FocusedList::Tasks     ? cmd::kTaskAdd
                                 : list == FocusedList::Persons ? cmd::kPersonAdd
                                                                : cmd::kAppointmentAdd,
                                 pos);
            });
    connect(this, &OrganizerView::selectionChanged, this,
            [this] { workspace_.commandStatesChanged(); });
    // An alarm that fell due while the program was closed shows at once.
    openedListener_ = workspace_.onDocumentEvent([this](DocumentEvent event) {
        if (event == DocumentEvent::Opened) reminders_->checkSoon();
    });
    frame.setHomePage(this, firstSize());
}

OrganizerView::~OrganizerView() {
    // The reminders look at the day view and the alarm settings, which go before children.
    delete reminders_;
    settings_.writeUseAlarmSound(alarm_.useAlarmSound);
    workspace_.forget(openedListener_);
    if (document_ != nullptr) door_.detachView(*this);
}

void OrganizerView::buildPhoneBook() {
    phoneBookPanel_ = new PhoneBookPanel(phoneBook_, this);
    phoneBookFrame_ = framed(_("Phone Book"), phoneBookPanel_);
    phoneBookFrame_->setWhatsThis(_("The phone book: the persons of the chosen group."));
    connect(phoneBookPanel_, &PhoneBookPanel::listFocused, this, [this] {
        day_.focusList(FocusedList::Persons);
        emit selectionChanged();
    });
    connect(phoneBookPanel_, &PhoneBookPanel::selectionChanged, this,
            &OrganizerView::selectionChanged);
    connect(phoneBookPanel_, &PhoneBookPanel::commandRequested, this,
            &OrganizerView::commandRequested);
    connect(phoneBookPanel_, &PhoneBookPanel::listMenuRequested, this,
            [this](const QPoint& pos) { emit listMenuRequested(FocusedList::Persons, pos); });
}

QSize OrganizerView::designedSize() const {
    // Dialog units: a quarter of the average character width, an eighth of the height.
    const QFontMetrics metrics(font());
    return {kDesignWidthDlu * metrics.averageCharWidth() / 4,
            kDesignHeightDlu * metrics.height() / 8};
}

QSize OrganizerView::firstSize() const {
    // The two rows, and the two columns, share the room equally: each gets what the larger
    // of them asks for.
    auto* grid = static_cast<QGridLayout*>(layout());
    const auto hint = [grid](int row, int column) {
        const QLayoutItem* item = grid->itemAtPosition(row, column);
        return item != nullptr ? item->sizeHint() : QSize();
    };
    const int top = std::max(hint(0, 0).height(), hint(0, 1).height());
    const int bottom = std::max(hint(1, 0).height(), hint(1, 1).height());
    const int left = std::max(hint(0, 0).width(), hint(1, 0).width());
    const int right = std::max(hint(0, 1).width(), hint(1, 1).width());
    const QSize panes = grid->sizeHint();
    return sizeHint().expandedTo(
        QSize(panes.width() + std::abs(left - right), panes.height() + std::abs(top - bottom)));
}

QSize OrganizerView::sizeHint() const {
    return designedSize().expandedTo(minimumSizeHint());
}

QGroupBox* OrganizerView::framed(const QString& title, QWidget* content, QVBoxLayout** layout) {
    auto* frame = new QGroupBox(title, this);
    auto* frameLayout = new QVBoxLayout(frame);
    if (content != nullptr) frameLayout->addWidget(content);
    if (layout != nullptr) *layout = frameLayout;
    return frame;
}

void OrganizerView::showFind() {
    if (find_ == nullptr) {
        find_ = new FindDialog(workspace_, locale_, this);
        connect(find_, &FindDialog::recordChosen, this, &OrganizerView::goToFound);
    }
    find_->show();
    find_->raise();
    find_->activateWindow();
}

void OrganizerView::goToFound(const FoundRecord& record, DateTime day) {
    if (document_ == nullptr) return;
    if (record.kind == FoundKind::Person) {
        goToPerson(record.id);
        return;
    }
    const bool task = record.kind == FoundKind::Task;
    const auto rowOf = [&](const auto& rows) {
        const auto it = std::find_if(rows.begin(), rows.end(),
                                     [&](const auto& row) { return row.id == record.id; });
        return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
    };
    refreshLists([&] {
        if (!day.isNull()) day_.showDate(day);
        if (task) {
            day_.clickTaskList(rowOf(day_.taskRows()));
        } else {
            day_.focusList(FocusedList::Appointments);
            day_.selectAppointmentRow(rowOf(day_.appointmentRows()));
        }
    });
    showSelectedDate();
    (task ? taskList_ : appointmentList_)->setFocus(Qt::OtherFocusReason);
    emit selectionChanged();
}

void OrganizerView::goToPerson(int32_t id) {
    const Person* person = document_->persons().find(id);
    if (person == nullptr) return;
    // The group shown when it lists the person, else the first that does.
    const auto lists = [&](int32_t group) {
        return std::find(person->PhGroups.begin(), person->PhGroups.end(), group) !=
               person->PhGroups.end();
    };
    int32_t group = phoneBook_.groupId();
    for (auto entry = phoneBook_.groups().begin();
         !lists(group) && entry != phoneBook_.groups().end(); ++entry)
        group = entry->id;
    if (!lists(group)) return;
    // A filter typed in the phone book could hide the person.
    phoneBookPanel_->filterBox()->clear();
    phoneBookPanel_->refill([&] {
        if (group != phoneBook_.groupId()) phoneBook_.chooseGroup(group);
        phoneBook_.select(id);
    });
    day_.focusList(FocusedList::Persons);
    phoneBookPanel_->personList()->setFocus(Qt::OtherFocusReason);
    emit selectionChanged();
    if (phoneBook_.selection().id == id) emit commandRequested(cmd::kPersonEdit);
}

void OrganizerView::fillFacts(SelectionFacts& state) const {
    state.useAlarmSound = alarm_.useAlarmSound;
    state.taskSelected = day_.taskCommandsApply();
    state.personSelected =
        day_.focusedList() == FocusedList::Persons && phoneBook_.selection().id != -1;
    state.appointmentSelected = day_.appointmentCommandsApply();
    state.dayTaskRows = day_.taskRows().size();
    state.dayAppointmentRows = day_.appointmentRows().size();
}

void OrganizerView::toggleAudibleAlarm() {
    alarm_.useAlarmSound = !alarm_.useAlarmSound;
    settings_.writeUseAlarmSound(alarm_.useAlarmSound);
    emit selectionChanged();
}

QString OrganizerView::helpPageFor(const QWidget* widget) const {
    return help_->pageFor(widget);
}

void OrganizerView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) calendar_->setFocus(Qt::OtherFocusReason);
}

void OrganizerView::documentChanged() {
    if (document_ == nullptr) return;
    phoneBookPanel_->refill();
    refreshLists();
    showSelectedDate();
    markCalendarDays(*calendar_, *document_);
    emit selectionChanged();
}

void OrganizerView::documentClosing() {
    document_ = nullptr;
}

void OrganizerView::refreshLists(const std::function<void()>& refill) {
    if (document_ != nullptr) lists_->refresh(refill);
}

void OrganizerView::showSelectedDate() {
    if (document_ == nullptr) return;
    const DateTime date = day_.shownDate();
    dateLabel_->setText(QString::fromStdString(date.formatDate(locale_, DateStyle::Long)));
    if (const auto fields = date.fields()) {
        const QDate shown(fields->year, fields->month, fields->day);
        if (calendar_->selectedDate() != shown) calendar_->setSelectedDate(shown);
    }
}

void OrganizerView::calendarDateChosen(QDate date) {
    if (document_ == nullptr || !date.isValid()) return;
    const DateTime chosen = DateTime::fromFields(date.year(), date.month(), date.day());
    if (chosen == day_.shownDate()) return;
    refreshLists([&] { day_.showDate(chosen); });
    showSelectedDate();
    emit selectionChanged();
}
