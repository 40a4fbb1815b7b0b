#include "organizer/ui/TaskDialog.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "organizer/ui/EditorWidgets.h"
#include "platform/Translate.h"

namespace {

constexpr int kTaskTextHelp = 1301;
constexpr int kPriorityHelp = 1302;
constexpr int kDueDateHelp = 1300;

}  // namespace

TaskDialog::TaskDialog(TaskForm start, bool editing, const Locale& locale, QWidget* parent)
    : QDialog(parent), form_(std::move(start)) {
    setWindowTitle(editing ? _("Edit Task") : _("Add Task"));

    auto* textLabel = new QLabel(_("&Task:"), this);
    text_ = new QLineEdit(QString::fromStdString(form_.description), this);
    text_->setMinimumWidth(text_->fontMetrics().averageCharWidth() * kEditorTextColumns);
    textLabel->setBuddy(text_);
    setEditorHelp({textLabel, text_}, kTaskTextHelp);

    auto* priorityFrame = new QGroupBox(_("Priority"), this);
    auto* priorityRow = new QHBoxLayout(priorityFrame);
    priorities_ = new QButtonGroup(this);
    const QString names[] = {_("&High"), _("&Medium"), _("&Low"), _("Do&ne")};
    for (int priority = Task::High; priority <= Task::Done; ++priority) {
        auto* option = new QRadioButton(names[priority], priorityFrame);
        priorities_->addButton(option, priority);
        priorityRow->addWidget(option);
        setEditorHelp({option}, kPriorityHelp);
    }
    setEditorHelp({priorityFrame}, kPriorityHelp);
    // A priority no option names (from another program) stays until an option is chosen.
    if (QAbstractButton* chosen = priorities_->button(form_.priority)) chosen->setChecked(true);
    connect(priorities_, &QButtonGroup::idToggled, this, [this](int priority, bool checked) {
        if (checked) form_.priority = priority;
    });

    auto* dateFrame = new QGroupBox(this);
    auto* dateLabel = new QLabel(_("&Due Date:"), dateFrame);
    date_ = makeDatePicker(EditorDates::around(form_.dueDate), form_.dueDate, locale, dateFrame);
    dateLabel->setBuddy(date_);
    auto* dateRow = new QHBoxLayout(dateFrame);
    dateRow->addWidget(dateLabel);
    dateRow->addWidget(date_);
    dateRow->addStretch();
    setEditorHelp({dateLabel, date_}, kDueDateHelp);
    connect(date_, &QDateEdit::dateChanged, this,
            [this](QDate date) { form_.chooseDueDate(fromQDate(date)); });

    QDialogButtonBox* buttons = makeEditorButtons(this, &ok_);

    auto* textRow = new QHBoxLayout;
    textRow->addWidget(textLabel);
    textRow->addWidget(text_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(textRow);
    layout->addWidget(priorityFrame);
    layout->addWidget(dateFrame);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(text_, &QLineEdit::textChanged, this, &TaskDialog::textChanged);
    textChanged(text_->text());
    setTabOrder(text_, priorities_->checkedButton() ? priorities_->checkedButton()
                                                    : priorities_->button(Task::High));
    text_->setFocus();
}

QAbstractButton* TaskDialog::priorityButton(int priority) const {
    return priorities_->button(priority);
}

void TaskDialog::textChanged(const QString& text) {
    form_.description = text.toStdString();
    ok_->setEnabled(form_.canConfirm());
}

std::optional<TaskForm> TaskDialog::ask(QWidget* parent, TaskForm start, bool editing,
                                        const Locale& locale) {
    TaskDialog dialog(std::move(start), editing, locale, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.form();
}
