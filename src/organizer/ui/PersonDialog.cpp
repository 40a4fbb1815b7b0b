#include "organizer/ui/PersonDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextDocument>
#include <QVBoxLayout>

#include "organizer/ui/EditorWidgets.h"
#include "organizer/ui/FieldPages.h"
#include "organizer/ui/MonthDayEdit.h"
#include "platform/Translate.h"
#include "records/LineBreaks.h"

namespace {

// Rows of the group list shown without scrolling.
constexpr int kGroupRows = 6;
// Lines of notes shown without scrolling.
constexpr int kNoteLines = 12;

}  // namespace

PersonDialog::PersonDialog(PersonForm start, bool editing, QWidget* parent)
    : QDialog(parent), form_(std::move(start)) {
    setWindowTitle(editing ? _("Edit Person") : _("Add Person"));
    using namespace AddressBookHelp;
    PersonTextFields& person = form_.texts;

    pages_ = new QTabWidget(this);
    QWidget* general = makeFieldPage(
        nameFields(person, kPersonFirstName, kPersonLastName, kPersonCompany), makeGroupFrame());
    pages_->addTab(general, _("General"));
    pages_->addTab(makeFieldPage({{_("&Home Phone:"), &person.HmPhone, kHomePhone},
                                  {_("&Work Phone:"), &person.WkPhone, kWorkPhone},
                                  {_("E&xt:"), &person.WkExt, kExtension},
                                  {_("&Fax:"), &person.Fax, kFax},
                                  {_("&E-Mail:"), &person.EMail, kEMail},
                                  {_("&Pager:"), &person.Pager, kPager},
                                  {_("&Cel Phone:"), &person.CelPhone, kCellPhone},
                                  {_("Web &Page:"), &person.WebPage, kWebPage}}),
                   _("Phone"));
    pages_->addTab(makeFieldPage(addressFields(person)), _("Address"));
    pages_->addTab(makeNotesPage(), _("Notes"));
    pages_->addTab(makeDatesPage(), _("Dates"));
    ok_ = layOutSheet(this, pages_);

    // The name fields decide OK; the rest of the page may react too, as it costs nothing.
    for (QLineEdit* field : general->findChildren<QLineEdit*>())
        connect(field, &QLineEdit::textEdited, this, &PersonDialog::updateOk);
    connect(pages_, &QTabWidget::currentChanged, this, &PersonDialog::updateOk);
    updateOk();
    general->findChild<QLineEdit*>()->setFocus();
}

QWidget* PersonDialog::makeGroupFrame() {
    auto* frame = new QGroupBox(_("Address Book"));
    groups_ = new QListWidget(frame);
    // A click adds or takes back one group without touching the others: with the usual
    // extended selection a plain click would silently drop every other group.
    groups_->setSelectionMode(QAbstractItemView::MultiSelection);
    groups_->setAccessibleName(frame->title());
    for (const GroupChoice& group : form_.groups) {
        auto* item = new QListWidgetItem(QString::fromStdString(group.desc), groups_);
        item->setData(Qt::UserRole, group.id);
        item->setSelected(group.chosen);
    }
    groups_->setMinimumHeight(groups_->fontMetrics().height() * kGroupRows +
                              2 * groups_->frameWidth());
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(groups_);
    setEditorHelp({frame, groups_}, AddressBookHelp::kPersonGroups);
    connect(groups_, &QListWidget::itemSelectionChanged, this, &PersonDialog::groupsChosen);
    return frame;
}

QWidget* PersonDialog::makeDatesPage() {
    auto* page = new QWidget;
    auto* layout = new QFormLayout(page);
    const auto add = [&](const char* label, const char* name, MonthDay value, int help,
                         MonthDay PersonForm::*field) {
        auto* edit = new MonthDayEdit(QString::fromUtf8(name), value, page);
        auto* caption = new QLabel(QString::fromUtf8(label), page);
        caption->setBuddy(edit->monthBox());
        layout->addRow(caption, edit);
        setEditorHelp({caption, edit->monthBox(), edit->dayBox(), edit->yearBox()}, help);
        connect(edit, &MonthDayEdit::edited, this,
                [this, edit, field] { form_.*field = edit->value(); });
        return edit;
    };
    birthday_ = add(_("&Birthday:"), _("Birthday"), form_.birthday, AddressBookHelp::kBirthday,
                    &PersonForm::birthday);
    anniversary_ = add(_("A&nniversary:"), _("Anniversary"), form_.anniversary,
                       AddressBookHelp::kAnniversary, &PersonForm::anniversary);
    return page;
}

QWidget* PersonDialog::makeNotesPage() {
    auto* page = new QWidget;
    // Records keep CR LF; the field shows each as one line break.
    QString shown = QString::fromStdString(form_.texts.Notes);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    notes_ = new QPlainTextEdit(shown, page);
    // Tab moves on to the buttons rather than being typed, so the keyboard can leave.
    notes_->setTabChangesFocus(true);
    notes_->setAccessibleName(QString::fromUtf8(_("Notes")));
    notes_->setMinimumHeight(notes_->fontMetrics().lineSpacing() * kNoteLines);
    setEditorHelp({notes_}, AddressBookHelp::kNotes);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(notes_);
    // Notes nobody edited keep their bytes, whatever line breaks they hold.
    connect(notes_, &QPlainTextEdit::textChanged, this, &PersonDialog::notesEdited);
    return page;
}

void PersonDialog::groupsChosen() {
    for (int row = 0; row < groups_->count(); ++row)
        form_.groups[static_cast<size_t>(row)].chosen = groups_->item(row)->isSelected();
    updateOk();
}

void PersonDialog::notesEdited() {
    // The raw text keeps non-breaking spaces, which the plain-text export turns to spaces.
    QString text = notes_->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    form_.texts.Notes = withCrLf(text.toStdString());
}

void PersonDialog::updateOk() {
    ok_->setEnabled(form_.canConfirm());
}

std::optional<PersonForm> PersonDialog::ask(QWidget* parent, PersonForm start, bool editing) {
    PersonDialog dialog(std::move(start), editing, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.form();
}
