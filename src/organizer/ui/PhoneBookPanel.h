#pragma once

#include <QWidget>

#include <array>
#include <functional>

#include "organizer/PhoneBookRows.h"

class PersonListModel;
class PhoneBookView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

// The "Phone Book" frame's content: the group box, the filter box, the person list and
// the selected person's details as buttons that call, mail or browse. It shows what the
// phone book view computes and sends every command on as a command id.
class PhoneBookPanel : public QWidget {
    Q_OBJECT

public:
    explicit PhoneBookPanel(PhoneBookView& book, QWidget* parent = nullptr);

    // Refills the group box, the list and the details around `change` to the phone book
    // view (its refill when none is given).
    void refill(const std::function<void()>& change = {});

    [[nodiscard]] QComboBox* groupBox() const { return groups_; }
    [[nodiscard]] QLineEdit* filterBox() const { return filter_; }
    [[nodiscard]] QTreeView* personList() const { return list_; }
    // The button of a detail; nullptr for the fax, which is text.
    [[nodiscard]] QPushButton* detailButton(PersonDetail detail) const;
    [[nodiscard]] QLabel* faxText() const { return fax_; }
    // The panel asks for room for eight rows of the list and whole detail buttons; beyond
    // that, the list takes what the window gives.
    [[nodiscard]] QSize sizeHint() const override;

signals:
    // The person list took the keyboard focus or a click.
    void listFocused();
    // The selected person changed.
    void selectionChanged();
    // A key, a double click or a detail button asks for a command.
    void commandRequested(int id);
    // A right click on the list asks for the phone book menu.
    void listMenuRequested(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildDetails();
    void showDetails();
    void filterEdited(const QString& text);
    void prepareFilterSoon();

    PhoneBookView& book_;
    PersonListModel* model_ = nullptr;
    QComboBox* groups_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QTreeView* list_ = nullptr;
    std::array<QPushButton*, kPersonDetailCount> buttons_{};
    QLabel* fax_ = nullptr;
    QLabel* dates_ = nullptr;  // the birthday and anniversary
    bool refilling_ = false;
};
