#include "organizer/ui/OrganizerView.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QContextMenuEvent>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QShortcut>
#include <QShowEvent>
#include <QTreeView>
#include <QVBoxLayout>

#include "organizer/AddressBookCommits.h"
#include "organizer/EditorCommits.h"
#include "organizer/ui/AppointmentDialog.h"
#include "organizer/ui/CalendarMarks.h"
#include "organizer/ui/CellToolTips.h"
#include "organizer/ui/DayListModels.h"
#include "organizer/ui/GroupsDialog.h"
#include "organizer/ui/PersonDialog.h"
#include "organizer/ui/PhoneBookPanel.h"
#include "organizer/ui/RecordList.h"
#include "organizer/ui/ReminderController.h"
#include "organizer/ui/TaskDialog.h"
#include "organizer/ui/UserDialog.h"
#include "records/PimDocument.h"
#include "shell/CommandId.h"

namespace {

// The view's designed size in dialog units.
constexpr int kDesignWidthDlu = 429;
constexpr int kDesignHeightDlu = 222;
// Room beside the time text for the alarm image.
constexpr int kImageWidth = 16;

}  // namespace

OrganizerView::OrganizerView(PimDocument& document, UndoHistory* history, ShellSettings& settings,
                             const Locale& locale, UserPrompts& prompts, ContactLauncher& launcher,
                             QWidget* parent)
    : QWidget(parent),
      document_(&document),
      history_(history),
      settings_(settings),
      locale_(locale),
      prompts_(prompts),
      day_(document, history),
      phoneBook_(document, history),
      contacts_(launcher, prompts) {
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
    connect(calendar_, &QCalendarWidget::currentPageChanged, this, [this] {
        if (document_ != nullptr) markCalendarDays(*calendar_, *document_);
    });

    buildPhoneBook();

    dateLabel_ = new QLabel(tr("Date goes here!"), this);
    dateLabel_->setAlignment(Qt::AlignCenter);
    QFont bold = dateLabel_->font();
    bold.setBold(true);
    dateLabel_->setFont(bold);
    buildLists();
    QVBoxLayout* appointmentLayout = nullptr;
    QGroupBox* appointments = framed(tr("Appointments"), dateLabel_, &appointmentLayout);
    appointmentLayout->addWidget(appointmentList_);
    appointments->setWhatsThis(tr("The appointments of the chosen day, earliest first."));
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
    grid->setRowStretch(0, 1);
    grid->setRowStretch(1, 1);
    setTabOrder(calendar_, phoneBookPanel_);
    setTabOrder(phoneBookPanel_, appointmentList_);
    setTabOrder(appointmentList_, taskList_);

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
    reminders_ = new ReminderController(*document_, history_, day_, alarm_, settings_, this);
    document_->attachView(*this);
    phoneBookPanel_->refill();
    refreshLists();
    showSelectedDate();
    markCalendarDays(*calendar_, *document_);
}

OrganizerView::~OrganizerView() {
    // The reminders look at the day view and the alarm settings, which go before children.
    delete reminders_;
    settings_.writeUseAlarmSound(alarm_.useAlarmSound);
    if (document_ != nullptr) document_->detachView(*this);
}

void OrganizerView::buildLists() {
    appointmentModel_ = new AppointmentListModel(day_, locale_, this);
    appointmentList_ = makeRecordList(appointmentModel_, this);
    appointmentList_->setObjectName(QStringLiteral("appointmentList"));
    appointmentList_->header()->resizeSection(0, appointmentList_->fontMetrics().horizontalAdvance(
                                                     QStringLiteral("00:00 AM-00:00 AM  ")) +
                                                     kImageWidth);
    // Never so narrow that the "Appointment" heading is cut, whatever the font.
    const QFontMetrics heading = appointmentList_->header()->fontMetrics();
    appointmentList_->setMinimumWidth(appointmentList_->header()->sectionSize(0) +
                                      heading.horizontalAdvance(tr("Appointment")) +
                                      6 * heading.averageCharWidth());

    taskModel_ = new TaskListModel(day_, locale_, this);
    taskList_ = makeRecordList(taskModel_, this);
    taskList_->setObjectName(QStringLiteral("taskList"));

    for (QTreeView* list : {appointmentList_, taskList_}) {
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
    }
    connect(taskList_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (refilling_) return;
        day_.selectTaskRow(selectedRow(taskList_));
        emit selectionChanged();
    });
    connect(appointmentList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] {
                if (refilling_) return;
                day_.selectAppointmentRow(selectedRow(appointmentList_));
                emit selectionChanged();
            });
    connect(taskList_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        day_.completeTaskAt(index.row());
        emit selectionChanged();
    });
}

void OrganizerView::buildPhoneBook() {
    phoneBookPanel_ = new PhoneBookPanel(phoneBook_, this);
    phoneBookFrame_ = framed(tr("Phone Book"), phoneBookPanel_);
    phoneBookFrame_->setWhatsThis(tr("The phone book: the persons of the chosen group."));
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

std::map<int, std::function<void()>> OrganizerView::commandHandlers() {
    return {
        {cmd::kTaskAdd, [this] { addTask(); }},
        {cmd::kTaskEdit, [this] { editTask(); }},
        {cmd::kTaskDelete, [this] { day_.deleteSelectedTask(); }},
        {cmd::kTaskComplete, [this] { day_.completeSelectedTask(); }},
        {cmd::kAppointmentAdd, [this] { addAppointment(); }},
        {cmd::kAppointmentEdit, [this] { editAppointment(); }},
        {cmd::kAppointmentDelete, [this] { day_.deleteSelectedAppointment(); }},
        {cmd::kPersonAdd, [this] { addPerson(); }},
        {cmd::kPersonEdit, [this] { editPerson(); }},
        {cmd::kEditUser,
         [this] {
             if (const auto user = UserDialog::ask(this, document_->user()))
                 updateUser(*document_, history_, *user);
         }},
        {cmd::kEditGroups, [this] { GroupsDialog::show(this, *document_, history_, prompts_); }},
        {cmd::kPersonDelete,
         [this] {
             if (day_.focusedList() == FocusedList::Persons) phoneBook_.deleteSelectedPerson();
         }},
        {cmd::kDialHomePhone, [this] { contact(PersonDetail::HomePhone); }},
        {cmd::kDialWorkPhone, [this] { contact(PersonDetail::WorkPhone); }},
        {cmd::kDialPager, [this] { contact(PersonDetail::Pager); }},
        {cmd::kDialCellPhone, [this] { contact(PersonDetail::CellPhone); }},
        {cmd::kMailPerson, [this] { contact(PersonDetail::EMail); }},
        {cmd::kOpenWebPage, [this] { contact(PersonDetail::WebPage); }},
        {cmd::kEmailGroup, [this] { contacts_.mailGroup(phoneBook_.listedAddresses()); }},
        {cmd::kAlarmSound, [this] { reminders_->chooseSound(prompts_); }},
    };
}

void OrganizerView::addPerson() {
    if (const auto form = PersonDialog::ask(this, PersonForm::forNew(*document_), false)) {
        // The new person is selected, so that it shows where it went.
        const int32_t id = ::addPerson(*document_, history_, *form);
        if (id != 0) {
            phoneBookPanel_->refill([&] { phoneBook_.select(id); });
            emit selectionChanged();
        }
    }
}

void OrganizerView::editPerson() {
    const Person* person =
        day_.focusedList() == FocusedList::Persons ? phoneBook_.selectedPerson() : nullptr;
    if (person == nullptr) return;
    if (const auto form = PersonDialog::ask(this, PersonForm::of(*document_, *person), true))
        updatePerson(*document_, history_, *form);
}

void OrganizerView::contact(PersonDetail detail) {
    const Person* person = phoneBook_.selectedPerson();
    if (person == nullptr) return;
    const std::string& field = detailField(*person, detail);
    if (detail == PersonDetail::EMail)
        contacts_.mail(field);
    else if (detail == PersonDetail::WebPage)
        contacts_.openWebPage(field);
    else
        contacts_.dial(field);
}

void OrganizerView::addTask() {
    if (const auto form = TaskDialog::ask(this, TaskForm::forNew(day_.shownDate()), false, locale_))
        ::addTask(*document_, history_, *form);
}

void OrganizerView::editTask() {
    const Task* task =
        day_.taskCommandsApply() ? document_->tasks().find(day_.taskSelection().id) : nullptr;
    if (task == nullptr) return;
    if (const auto form = TaskDialog::ask(this, TaskForm::of(*task), true, locale_))
        updateTask(*document_, history_, *form);
}

void OrganizerView::addAppointment() {
    const auto start = AppointmentForm::forNew(day_.shownDate(), DateTime::now(document_->clock()));
    if (const auto form = AppointmentDialog::ask(this, start, false, locale_))
        ::addAppointment(*document_, history_, *form);
}

void OrganizerView::editAppointment() {
    const Appointment* appointment =
        day_.appointmentCommandsApply()
            ? document_->appointments().find(day_.appointmentSelection().id)
            : nullptr;
    if (appointment == nullptr) return;
    if (const auto form =
            AppointmentDialog::ask(this, AppointmentForm::of(*appointment), true, locale_))
        updateAppointment(*document_, history_, *form);
}

void OrganizerView::fillSnapshot(ShellSnapshot& state) const {
    state.useAlarmSound = alarm_.useAlarmSound;
    state.focusedList = day_.focusedList();
    state.taskSelected = day_.taskSelection().id != -1;
    state.personSelected = phoneBook_.selection().id != -1;
    state.appointmentSelected = day_.appointmentSelection().id != -1;
    state.dayTaskRows = day_.taskRows().size();
    state.dayAppointmentRows = day_.appointmentRows().size();
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
    for (QTreeView* list : {taskList_, appointmentList_}) {
        if (watched == list || watched == list->viewport()) {
            if (listEvent(list, event)) return true;
            return QWidget::eventFilter(watched, event);
        }
    }
    if (event->type() == QEvent::WhatsThis) {
        const QString page = helpPageFor(qobject_cast<QWidget*>(watched));
        if (!page.isEmpty()) {
            emit helpRequested(page);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool OrganizerView::listEvent(QTreeView* list, QEvent* event) {
    const bool isTasks = list == taskList_;
    const FocusedList which = isTasks ? FocusedList::Tasks : FocusedList::Appointments;
    // A click takes effect once the list has moved its selection.
    const auto clicked = [&](QPoint pos) {
        const int hit = list->indexAt(pos).row();
        if (isTasks)
            day_.clickTaskList(hit);
        else
            day_.clickAppointmentList(hit >= 0);
        if (hit < 0)
            showSelection(list, isTasks ? day_.taskSelection() : day_.appointmentSelection());
        emit selectionChanged();
    };
    switch (event->type()) {
        case QEvent::FocusIn:
            day_.focusList(which);
            emit selectionChanged();
            return false;
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) clicked(mouse->position().toPoint());
            return false;
        }
        case QEvent::ContextMenu: {
            const auto* menu = static_cast<QContextMenuEvent*>(event);
            if (menu->reason() == QContextMenuEvent::Mouse) {
                selectRowAt(list, menu->pos());
                clicked(menu->pos());
            } else {
                day_.focusList(which);
            }
            emit listMenuRequested(which, menu->globalPos());
            return true;
        }
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() != Qt::Key_Delete || key->modifiers() != Qt::NoModifier) return false;
            const bool selected =
                isTasks ? day_.taskSelection().id != -1 : day_.appointmentSelection().id != -1;
            if (selected)
                emit commandRequested(isTasks ? cmd::kTaskDelete : cmd::kAppointmentDelete);
            return true;
        }
        case QEvent::Resize:
            fitColumns();
            return false;
        default:
            return false;
    }
}

void OrganizerView::fitColumns() {
    // The task column takes two thirds; the last column of each list takes the rest.
    const int width = taskList_->viewport()->width();
    taskList_->header()->resizeSection(0, width / 6 * 4);
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
    if (document_ == nullptr) return;
    refilling_ = true;
    taskModel_->beginRefill();
    appointmentModel_->beginRefill();
    if (refill)
        refill();
    else
        day_.refill();
    appointmentModel_->endRefill();
    taskModel_->endRefill();
    showSelection(taskList_, day_.taskSelection());
    showSelection(appointmentList_, day_.appointmentSelection());
    refilling_ = false;
}

void OrganizerView::showSelection(QTreeView* list, const ListSelection& selection) {
    const bool wasRefilling = refilling_;
    refilling_ = true;
    showSelectedRow(list, selection.row);
    refilling_ = wasRefilling;
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
