#include "organizer/ui/OccurrenceQuestion.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/Translate.h"

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// A button's text without its mnemonic, for a screen reader.
QString spoken(const char* text) {
    return QString::fromUtf8(text).remove(u'&');
}

}  // namespace

OccurrenceQuestion::OccurrenceQuestion(Action action, const std::string& description,
                                       const std::string& day, QWidget* parent)
    : QDialog(parent) {
    const bool deleting = action == Action::Delete;
    setWindowTitle(deleting ? _("Delete Repeating Appointment")
                            : _("Change Repeating Appointment"));

    auto* icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()
                        ->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this)
                        .pixmap(QSize(side, side), devicePixelRatioF()));
    icon->setAccessibleName(_("Question"));

    const char* pattern =
        deleting ? _("\"%s\" on %s is one occurrence of a repeating appointment. Which "
                     "occurrences do you want to delete?")
                 : _("\"%s\" on %s is one occurrence of a repeating appointment. Which "
                     "occurrences do you want to change?");
    message_ = new QLabel(qt(fillIn(pattern, {description, day})), this);
    message_->setWordWrap(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    message_->setFocusPolicy(Qt::NoFocus);
    setAccessibleDescription(message_->text());

    // The answers stand one under another: side by side they outgrow the screen at large
    // text sizes.
    auto* answers = new QVBoxLayout;
    const std::array<const char*, 3> texts = {_("&This Occurrence"), _("This and &Following"),
                                              _("&All Occurrences")};
    const std::array<std::string, 3> explained = {
        fillIn(_("Only the occurrence on %s"), {day}),
        fillIn(_("The occurrence on %s and every later one"), {day}),
        _("Every occurrence of the repeating appointment")};
    for (size_t i = 0; i < texts.size(); ++i) {
        auto* button = new QPushButton(QString::fromUtf8(texts[i]), this);
        button->setAccessibleName(spoken(texts[i]));
        button->setAccessibleDescription(qt(explained[i]));
        connect(button, &QPushButton::clicked, this, [this, i] {
            answer_ = OccurrenceScope(i);
            accept();
        });
        answers->addWidget(button);
        buttons_[i] = button;
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* cancel = buttons->addButton(_("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setAccessibleName(spoken(_("&Cancel")));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const bool oneOffered = action != Action::ChangeRepeat;
    buttons_[0]->setVisible(oneOffered);
    // The least the user can lose is the answer Enter gives.
    QPushButton* least = buttons_[oneOffered ? 0 : 1];
    least->setDefault(true);
    least->setFocus();

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(message_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(answers);
    layout->addWidget(buttons);
    // Wide enough that the question reads as a sentence, not a column of words.
    message_->setMinimumWidth(message_->fontMetrics().averageCharWidth() * 45);
}

std::optional<OccurrenceScope> OccurrenceQuestion::ask(QWidget* parent, Action action,
                                                       const std::string& description,
                                                       const std::string& day) {
    OccurrenceQuestion question(action, description, day, parent);
    if (question.exec() != QDialog::Accepted) return std::nullopt;
    return question.answer();
}
