#include "organizer/ui/GroupsDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <QTreeView>
#include <QVBoxLayout>

#include "organizer/AddressBookCommits.h"
#include "organizer/GroupTexts.h"
#include "organizer/ListSelection.h"
#include "organizer/ui/AddressBookHelp.h"
#include "organizer/ui/EditorWidgets.h"
#include "organizer/ui/GroupDetailsDialog.h"
#include "organizer/ui/GroupListModel.h"
#include "platform/Translate.h"
#include "platform/UserPrompts.h"
#include "records/DocumentDoor.h"

namespace {

// The list shows this many groups and this many characters of each without scrolling.
constexpr int kListRows = 10;
constexpr int kListColumns = 30;

}  // namespace

GroupsDialog::GroupsDialog(DocumentDoor& door, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), door_(door), document_(door.document()), prompts_(prompts) {
    setWindowTitle(_("Address Book Groups"));
    using namespace AddressBookHelp;

    model_ = new GroupListModel(this);
    list_ = new QTreeView(this);
    list_->setModel(model_);
    list_->setAccessibleName(QString::fromUtf8(_("Groups")));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setItemsExpandable(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->header()->setSectionsClickable(false);
    list_->header()->setSectionsMovable(false);
    list_->setMinimumSize(list_->fontMetrics().averageCharWidth() * kListColumns,
                          list_->fontMetrics().height() * kListRows);
    setEditorHelp({list_}, kGroupList);

    add_ = new QPushButton(_("&Add"), this);
    delete_ = new QPushButton(_("&Delete"), this);
    edit_ = new QPushButton(C_("a button that edits the chosen group", "&Edit"), this);
    close_ = new QPushButton(_("&Close"), this);
    // Enter closes, as in any dialog; a group is edited by the button or a double click.
    close_->setDefault(true);
    setEditorHelp({add_}, kAddGroup);
    setEditorHelp({delete_}, kDeleteGroup);
    setEditorHelp({edit_}, kEditGroup);
    setEditorHelp({close_}, kCloseGroups);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {add_, delete_, edit_})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(close_);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connect(add_, &QPushButton::clicked, this, &GroupsDialog::addClicked);
    connect(edit_, &QPushButton::clicked, this, &GroupsDialog::editClicked);
    connect(delete_, &QPushButton::clicked, this, &GroupsDialog::deleteClicked);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QTreeView::doubleClicked, this, &GroupsDialog::editClicked);
    auto* deleteKey = new QShortcut(QKeySequence::Delete, list_);
    deleteKey->setContext(Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, &GroupsDialog::deleteClicked);

    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &GroupsDialog::selectionChanged);
    refill(-1);
    // The first group is selected, so that the keyboard can go straight to Edit or Delete.
    if (model_->rowCount() > 0)
        list_->selectionModel()->setCurrentIndex(model_->index(0, 0),
                                                 QItemSelectionModel::ClearAndSelect);
    list_->setFocus();
}

int GroupsDialog::selectedRow() const {
    const QModelIndexList rows = list_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

int32_t GroupsDialog::selectedId() const {
    return rowSelection(model_->rows(), selectedRow()).id;
}

void GroupsDialog::selectionChanged() {
    const bool chosen = selectedRow() >= 0;
    delete_->setEnabled(chosen);
    edit_->setEnabled(chosen);
}

void GroupsDialog::refill(int32_t id) {
    model_->refill(document_);
    const int row = model_->rowOf(id);
    if (row >= 0) {
        const QModelIndex index = model_->index(row, 0);
        list_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        list_->scrollTo(index);
    }
    selectionChanged();
}

void GroupsDialog::addClicked() {
    GroupDetailsDialog details(
        QString(), [this](const std::string& desc) { return addGroup(door_, desc); }, prompts_,
        this);
    if (details.exec() == QDialog::Accepted) refill(document_.phGroups().lastId());
}

void GroupsDialog::editClicked() {
    const int32_t id = selectedId();
    if (id < 0) return;
    const QString desc = QString::fromStdString(model_->rows()[size_t(selectedRow())].desc);
    GroupDetailsDialog details(
        desc, [this, id](const std::string& text) { return renameGroup(door_, id, text); },
        prompts_, this);
    if (details.exec() == QDialog::Accepted) refill(id);
}

void GroupsDialog::deleteClicked() {
    const int row = selectedRow();
    const int32_t id = selectedId();
    if (id < 0) return;
    // Refuse a group in use before asking, not after the user said yes.
    if (groupDeletion(document_, id) == GroupChange::InUse) {
        prompts_.showMessage(_(kGroupInUseMessage), _(kDeleteGroupCaption),
                             MessageIcon::Information);
        return;
    }
    if (prompts_.showMessage(_(kDeleteGroupQuestion), _(kDeleteGroupCaption),
                             MessageIcon::Information, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    const auto& rows = model_->rows();
    const ListSelection next =
        selectionAfterRemoving(rows.size(), row, [&rows](size_t index) { return rows[index].id; });
    switch (deleteGroup(door_, id)) {
        case GroupChange::InUse:
            prompts_.showMessage(_(kGroupInUseMessage), _(kDeleteGroupCaption),
                                 MessageIcon::Information);
            return;
        case GroupChange::Done:
            refill(next.id);
            return;
        default:
            refill(id);
            return;
    }
}

void GroupsDialog::show(QWidget* parent, DocumentDoor& door, UserPrompts& prompts) {
    GroupsDialog dialog(door, prompts, parent);
    dialog.exec();
}
