#pragma once

#include <QDialog>

#include "organizer/FindIndex.h"
#include "organizer/RecordSearch.h"
#include "records/DateTime.h"
#include "records/DocumentView.h"

class FoundListModel;
class Locale;
class PimDocument;
class Workspace;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeView;

// "Find": one box, and the persons, appointments and tasks holding what it says, listed
// while typing. The search runs in slices on the event loop, so the window stays usable and
// the first records show before the last are found. Enter or a double click goes to the
// record and hides the window; Escape hides it.
class FindDialog : public QDialog, public DocumentView {
    Q_OBJECT

public:
    FindDialog(Workspace& workspace, const Locale& locale, QWidget* parent = nullptr);
    ~FindDialog() override;

    [[nodiscard]] QLineEdit* textBox() const { return text_; }
    [[nodiscard]] QTreeView* resultList() const { return list_; }
    [[nodiscard]] QLabel* statusText() const { return status_; }
    // Whether the search for the box's text is still going on (or waiting for typing to
    // pause).
    [[nodiscard]] bool searching() const;

    void documentChanged() override;
    void documentClosing() override;

signals:
    // A found record was chosen; `day` is the day whose lists show it (null for a person).
    void recordChosen(const FoundRecord& record, DateTime day);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void startSearch();
    void slice();
    void showStatus();
    void goTo(const QModelIndex& index);
    [[nodiscard]] QModelIndex chosen() const;

    Workspace& workspace_;
    const PimDocument* document_;
    RecordSearch search_;
    FoundListModel* model_ = nullptr;
    QLineEdit* text_ = nullptr;
    QTreeView* list_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* goTo_ = nullptr;
    QTimer* typing_ = nullptr;  // waits for a pause in typing
    QTimer* slices_ = nullptr;  // runs the next slice when the window is idle
};
