#include "organizer/ui/DayLists.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QTreeView>

#include "organizer/DayView.h"
#include "organizer/ui/DayListModels.h"
#include "organizer/ui/RecordList.h"
#include "platform/Translate.h"
#include "shell/CommandId.h"

namespace {

// Room beside the time text for the alarm image.
constexpr int kImageWidth = 16;

}  // namespace

DayLists::DayLists(DayView& day, const Locale& locale, QWidget* parent)
    : QObject(parent), day_(day) {
    appointmentModel_ = new AppointmentListModel(day_, locale, this);
    appointmentList_ = makeRecordList(appointmentModel_, parent);
    appointmentList_->setObjectName(QStringLiteral("appointmentList"));
    appointmentList_->setAccessibleName(QString::fromUtf8(_("Appointments")));
    // The times, the image and the margins the style keeps around each of them.
    const int margin =
        2 * (appointmentList_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    appointmentList_->header()->resizeSection(
        0, appointmentList_->fontMetrics().horizontalAdvance(QStringLiteral("00:00 AM-00:00 AM")) +
               kImageWidth + 3 * margin);
    // Never so narrow that the "Appointment" heading is cut, whatever the font.
    const QFontMetrics heading = appointmentList_->header()->fontMetrics();
    appointmentList_->setMinimumWidth(appointmentList_->header()->sectionSize(0) +
                                      heading.horizontalAdvance(_("Appointment")) +
                                      4 * heading.averageCharWidth());

    taskModel_ = new TaskListModel(day_, locale, this);
    taskList_ = makeRecordList(taskModel_, parent);
    taskList_->setObjectName(QStringLiteral("taskList"));
    taskList_->setAccessibleName(QString::fromUtf8(_("Tasks")));

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
    connect(appointmentList_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (const int32_t person = day_.personAt(index.row())) emit personRequested(person);
    });
    connect(taskList_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        emit taskCompletionRequested(index.row());
        emit selectionChanged();
    });
}

bool DayLists::eventFilter(QObject* watched, QEvent* event) {
    for (QTreeView* list : {taskList_, appointmentList_}) {
        if ((watched == list || watched == list->viewport()) && listEvent(list, event)) return true;
    }
    return QObject::eventFilter(watched, event);
}

bool DayLists::listEvent(QTreeView* list, QEvent* event) {
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

void DayLists::fitColumns() {
    // The task column takes two thirds; the last column of each list takes the rest.
    const int width = taskList_->viewport()->width();
    taskList_->header()->resizeSection(0, width / 6 * 4);
}

void DayLists::refresh(const std::function<void()>& refill) {
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

void DayLists::showSelection(QTreeView* list, const ListSelection& selection) {
    const bool wasRefilling = refilling_;
    refilling_ = true;
    showSelectedRow(list, selection.row);
    refilling_ = wasRefilling;
}
