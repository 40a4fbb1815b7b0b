#pragma once

#include <QDialog>

#include <cstdint>

class GroupListModel;
class DocumentDoor;
class PimDocument;
class QPushButton;
class QTreeView;
class UserPrompts;

// "Address Book Groups": the list of groups with Add, Delete and Edit. Each change is made
// at once through the document, as one undo step, and the list refills after it.
class GroupsDialog : public QDialog {
    Q_OBJECT

public:
    GroupsDialog(DocumentDoor& door, UserPrompts& prompts, QWidget* parent = nullptr);

    // Shows the list modally until "Close". The document tells its views of each change.
    static void show(QWidget* parent, DocumentDoor& door, UserPrompts& prompts);
    using QDialog::show;

    [[nodiscard]] QTreeView* list() const { return list_; }
    [[nodiscard]] const GroupListModel& model() const { return *model_; }
    [[nodiscard]] QPushButton* addButton() const { return add_; }
    [[nodiscard]] QPushButton* deleteButton() const { return delete_; }
    [[nodiscard]] QPushButton* editButton() const { return edit_; }
    [[nodiscard]] QPushButton* closeButton() const { return close_; }
    // The ID of the selected group; -1 for none.
    [[nodiscard]] int32_t selectedId() const;

private:
    void addClicked();
    void editClicked();
    void deleteClicked();
    // Refills the list and selects the row of `id` (none when it is not listed).
    void refill(int32_t id);
    [[nodiscard]] int selectedRow() const;
    void selectionChanged();

    DocumentDoor& door_;
    const PimDocument& document_;
    UserPrompts& prompts_;
    GroupListModel* model_ = nullptr;
    QTreeView* list_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* close_ = nullptr;
};
