#include "organizer/ui/PhoneBookPanel.h"

#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "organizer/PhoneBookView.h"
#include "organizer/ui/ClearButton.h"
#include "organizer/ui/MonthDayEdit.h"
#include "organizer/ui/PersonListModel.h"
#include "organizer/ui/RecordList.h"
#include "platform/Translate.h"
#include "records/Person.h"
#include "shell/CommandId.h"

namespace {

// The characters of a usual telephone number or mail address ("030 1234-5678",
// "anna@example.org"), and the rows of persons, that a first window has room for.
constexpr int kUsualDetailChars = 26;
constexpr int kFirstWindowRows = 8;

// A detail button shows as much of a long address as fits and the whole in its tooltip.
class DetailButton : public QPushButton {
public:
    explicit DetailButton(QWidget* parent) : QPushButton(parent) {
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }
    // At least room for "Not Available", whatever the text: a long address is cut, not
    // widening the window. A first window asks for room for a usual number or address.
    QSize sizeHint() const override {
        const int usual = kUsualDetailChars * fontMetrics().averageCharWidth();
        return {std::max(minimumSizeHint().width(), usual), QPushButton::sizeHint().height()};
    }
    QSize minimumSizeHint() const override {
        const int width = fontMetrics().horizontalAdvance(QString::fromUtf8(_(kNotAvailable))) +
                          4 * fontMetrics().averageCharWidth();
        return {width, QPushButton::sizeHint().height()};
    }
    // The label beside the button, so that a screen reader says whose number it is.
    void setLabel(const QString& label) {
        label_ = label;
        setFullText(full_);
    }
    void setFullText(const QString& text) {
        full_ = text;
        setToolTip(text);
        setAccessibleName(text.isEmpty() ? label_ : label_ + u' ' + text);
        fit();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QPushButton::resizeEvent(event);
        fit();
    }

private:
    void fit() {
        const int room = width() - 2 * fontMetrics().averageCharWidth() - 8;
        setText(fontMetrics().elidedText(full_, Qt::ElideRight, qMax(room, 0)));
    }
    QString full_;
    QString label_;
};

struct DetailPlace {
    PersonDetail detail;
    const char* label;
    int command;  // 0 for the fax, which is only shown
    int row;
    int column;
    const char* help;
};

// Two columns of details; the days beside the web page.
constexpr DetailPlace kPlaces[] = {
    {PersonDetail::HomePhone, N_("Home Phone:"), cmd::kDialHomePhone, 0, 0,
     N_("Calls the home number through the desktop's phone program.")},
    {PersonDetail::WorkPhone, N_("Work Phone:"), cmd::kDialWorkPhone, 0, 2,
     N_("Calls the work number (without the extension shown after the x).")},
    {PersonDetail::Pager, N_("Pager:"), cmd::kDialPager, 1, 0, N_("Calls the pager.")},
    {PersonDetail::Fax, N_("Fax:"), 0, 1, 2, N_("The fax number.")},
    {PersonDetail::CellPhone, N_("Cel Phone:"), cmd::kDialCellPhone, 2, 0,
     N_("Calls the cell phone.")},
    {PersonDetail::EMail, N_("E-Mail:"), cmd::kMailPerson, 2, 2,
     N_("Writes a mail to this address with the desktop's mail program.")},
    {PersonDetail::WebPage, N_("Web Page:"), cmd::kOpenWebPage, 3, 0,
     N_("Opens the web page in the desktop's browser.")},
};

QString utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PhoneBookPanel::PhoneBookPanel(PhoneBookView& book, QWidget* parent)
    : QWidget(parent), book_(book) {
    groups_ = new QComboBox(this);
    groups_->setObjectName(QStringLiteral("groupBox"));
    groups_->setAccessibleName(QString::fromUtf8(_("Address book group")));
    groups_->setWhatsThis(_("The address-book group whose persons are listed below."));
    connect(groups_, &QComboBox::activated, this, [this](int index) {
        refill([&] { book_.chooseGroup(groups_->itemData(index).toInt()); });
        emit selectionChanged();
    });

    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("personFilter"));
    filter_->setAccessibleName(QString::fromUtf8(_("Filter persons")));
    filter_->setPlaceholderText(_("Filter"));
    giveClearButton(*filter_, QString::fromUtf8(_("Clear filter")));
    filter_->setWhatsThis(
        _("Type part of a name, company, phone number or e-mail address to list only the "
          "persons of the group that have it. Escape clears the filter."));
    filter_->installEventFilter(this);
    connect(filter_, &QLineEdit::textChanged, this, &PhoneBookPanel::filterEdited);

    model_ = new PersonListModel(book_, this);
    list_ = makeRecordList(model_, this);
    list_->setObjectName(QStringLiteral("personList"));
    list_->setAccessibleName(QString::fromUtf8(_("Persons")));
    list_->setWhatsThis(_("The persons of the group. Click a column heading to sort by it."));
    list_->header()->setSectionsClickable(true);
    list_->header()->setSortIndicatorShown(true);
    list_->header()->setSortIndicator(static_cast<int>(book_.sort()), Qt::AscendingOrder);
    connect(list_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        refill([&] { book_.sortBy(column == 1 ? PersonSort::Company : PersonSort::Name); });
        emit selectionChanged();
    });
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (refilling_) return;
        book_.selectRow(selectedRow(list_));
        showDetails();
        emit selectionChanged();
    });
    connect(list_, &QTreeView::doubleClicked, this, [this] {
        if (book_.selection().id != -1) emit commandRequested(cmd::kPersonEdit);
    });
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The group and the filter share a line, so that the list keeps its rows.
    auto* choose = new QHBoxLayout;
    choose->addWidget(groups_, 1);
    choose->addWidget(filter_, 1);
    layout->addLayout(choose);
    layout->addWidget(list_, 1);
    layout->addWidget(buildDetails());
    setFocusProxy(groups_);
}

QWidget* PhoneBookPanel::buildDetails() {
    auto* details = new QWidget(this);
    auto* grid = new QGridLayout(details);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    for (const DetailPlace& place : kPlaces) {
        grid->addWidget(new QLabel(_(place.label), details), place.row, place.column);
        QWidget* shown = nullptr;
        if (place.command == 0) {
            fax_ = new QLabel(details);
            fax_->setTextInteractionFlags(Qt::TextSelectableByMouse);
            shown = fax_;
        } else {
            auto* button = new DetailButton(details);
            const int command = place.command;
            connect(button, &QPushButton::clicked, this,
                    [this, command] { emit commandRequested(command); });
            buttons_[static_cast<size_t>(place.detail)] = button;
            shown = button;
        }
        shown->setWhatsThis(_(place.help));
        const int span = 1;
        grid->addWidget(shown, place.row, place.column + 1, 1, span);
        // The label names the detail; the help says what its button does.
        auto* label = static_cast<QLabel*>(grid->itemAtPosition(place.row, place.column)->widget());
        label->setBuddy(shown);
        shown->setAccessibleDescription(shown->whatsThis());
        if (place.command != 0) static_cast<DetailButton*>(shown)->setLabel(label->text());
    }
    // The days are only shown, beside the web page, in the room of one line.
    auto* label = new QLabel(_("Dates:"), details);
    dates_ = new QLabel(details);
    dates_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    dates_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    dates_->setWhatsThis(_("The person's birthday and anniversary."));
    label->setBuddy(dates_);
    grid->addWidget(label, 3, 2);
    grid->addWidget(dates_, 3, 3);
    return details;
}

QSize PhoneBookPanel::sizeHint() const {
    // The list's least height, and room for the rows a first window shows.
    const int rowHeight = std::max(list_->sizeHintForRow(0), list_->fontMetrics().height() + 6);
    const int rows = list_->header()->sizeHint().height() + kFirstWindowRows * rowHeight +
                     2 * list_->frameWidth();
    const int grown = rows - list_->minimumSizeHint().height();
    return {QWidget::sizeHint().width(), minimumSizeHint().height() + std::max(grown, 0)};
}

QPushButton* PhoneBookPanel::detailButton(PersonDetail detail) const {
    return buttons_[static_cast<size_t>(detail)];
}

void PhoneBookPanel::refill(const std::function<void()>& change) {
    refilling_ = true;
    model_->beginRefill();
    if (change)
        change();
    else
        book_.refill();
    model_->endRefill();

    groups_->clear();
    for (const GroupEntry& group : book_.groups())
        groups_->addItem(utf8(group.desc), group.id);
    groups_->setCurrentIndex(groups_->findData(book_.groupId()));
    list_->header()->setSortIndicator(static_cast<int>(book_.sort()), Qt::AscendingOrder);
    showSelectedRow(list_, book_.selection().row);
    refilling_ = false;
    showDetails();
    if (filter_->hasFocus() || !filter_->text().isEmpty()) prepareFilterSoon();
}

void PhoneBookPanel::prepareFilterSoon() {
    // Made once the window has nothing else to do, so that the first key typed is quick;
    // only for a filter in use, as a large document pays a walk of every person for it.
    QTimer::singleShot(0, this, [this] { book_.prepareFilter(); });
}

void PhoneBookPanel::showDetails() {
    const auto details = book_.details();
    for (const DetailPlace& place : kPlaces) {
        const DetailText& shown = details[static_cast<size_t>(place.detail)];
        if (place.command == 0) {
            fax_->setText(utf8(shown.text));
            fax_->setEnabled(shown.enabled);
            continue;
        }
        auto* button = static_cast<DetailButton*>(detailButton(place.detail));
        button->setFullText(utf8(shown.text));
        button->setEnabled(shown.enabled);
    }
    const Person* person = book_.selectedPerson();
    QStringList days;
    if (person != nullptr && person->Birthday.isSet())
        days << QString::fromStdString(
            fillIn(_("Birthday %s"), {monthDayText(person->Birthday).toStdString()}));
    if (person != nullptr && person->Anniversary.isSet())
        days << QString::fromStdString(
            fillIn(_("Anniversary %s"), {monthDayText(person->Anniversary).toStdString()}));
    const QString text =
        days.isEmpty() ? QString::fromUtf8(_(kNotAvailable)) : days.join(QStringLiteral(", "));
    dates_->setText(text);
    dates_->setToolTip(days.isEmpty() ? QString() : text);
    dates_->setEnabled(!days.isEmpty());
}

void PhoneBookPanel::filterEdited(const QString& text) {
    refill([&] { book_.setFilter(text.toStdString()); });
    emit selectionChanged();
}

bool PhoneBookPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == filter_ && event->type() == QEvent::FocusIn) prepareFilterSoon();
    if (watched == filter_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && !filter_->text().isEmpty()) {
            filter_->clear();
            return true;
        }
        if (key->key() == Qt::Key_Down && model_->rowCount() > 0) {
            list_->setFocus(Qt::TabFocusReason);
            if (book_.selection().row < 0) list_->setCurrentIndex(model_->index(0, 0));
            return true;
        }
        return false;
    }
    if (watched != list_ && watched != list_->viewport())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::MouseButtonPress:
            emit listFocused();
            return false;
        case QEvent::ContextMenu: {
            const auto* menu = static_cast<QContextMenuEvent*>(event);
            if (menu->reason() == QContextMenuEvent::Mouse) selectRowAt(list_, menu->pos());
            emit listFocused();
            emit listMenuRequested(menu->globalPos());
            return true;
        }
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() != Qt::Key_Delete || key->modifiers() != Qt::NoModifier) return false;
            if (book_.selection().id != -1) emit commandRequested(cmd::kPersonDelete);
            return true;
        }
        case QEvent::Resize:
            list_->header()->resizeSection(0, list_->viewport()->width() / 2);
            return false;
        default:
            return false;
    }
}
