#include "organizer/ui/FieldPages.h"
#include "platform/Translate.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

#include "organizer/ui/EditorWidgets.h"

namespace {

// Wide enough for a long street address or e-mail address without scrolling.
constexpr int kFieldColumns = 36;

}  // namespace

QWidget* makeFieldPage(const std::vector<PageField>& fields, QWidget* below) {
    auto* page = new QWidget;
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (const PageField& field : fields) {
        auto* label = new QLabel(field.label, page);
        auto* edit = new QLineEdit(QString::fromStdString(*field.value), page);
        // Records have no length limit; Qt's default of 32767 would cut a long value.
        edit->setMaxLength(std::numeric_limits<int>::max());
        edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * kFieldColumns);
        label->setBuddy(edit);
        setEditorHelp({label, edit}, field.helpNumber);
        std::string* value = field.value;
        QObject::connect(edit, &QLineEdit::textEdited, edit,
                         [value](const QString& text) { *value = text.toStdString(); });
        form->addRow(label, edit);
    }
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    if (below != nullptr) {
        below->setParent(page);
        layout->addWidget(below, 1);
    } else {
        layout->addStretch(1);
    }
    return page;
}

QPushButton* layOutSheet(QDialog* dialog, QTabWidget* pages) {
    QPushButton* ok = nullptr;
    QDialogButtonBox* buttons = makeEditorButtons(dialog, &ok);
    // A sheet's buttons carry no mnemonics: its pages already use C and O for fields.
    ok->setText(_("OK"));
    for (QAbstractButton* button : buttons->buttons()) {
        if (buttons->buttonRole(button) == QDialogButtonBox::RejectRole)
            button->setText(_("Cancel"));
    }
    // One label width for every page, so that the fields stay put when the page changes.
    const QList<QLabel*> labels = pages->findChildren<QLabel*>();
    int widest = 0;
    for (const QLabel* label : labels)
        widest = std::max(widest, label->sizeHint().width());
    for (QLabel* label : labels)
        label->setMinimumWidth(widest);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(pages);
    layout->addWidget(buttons);
    pages->setCurrentIndex(0);
    return ok;
}
