#pragma once

#include <QDialog>

#include <array>
#include <optional>
#include <string>

#include "organizer/OccurrenceEdits.h"

class QLabel;
class QPushButton;

// Asks which occurrences of a repeating appointment a change or a delete takes: this one,
// this and the following, or all. Enter answers "this one", Escape cancels.
class OccurrenceQuestion : public QDialog {
    Q_OBJECT

public:
    // A change of the repeat itself cannot be kept by one occurrence: it is not offered.
    enum class Action { Change, ChangeRepeat, Delete };

    // `description` and `day` name the occurrence ("Standup", "Thursday, January 14, 2027").
    OccurrenceQuestion(Action action, const std::string& description, const std::string& day,
                       QWidget* parent = nullptr);

    // Shows it modally; the scope chosen, or nothing when cancelled.
    [[nodiscard]] static std::optional<OccurrenceScope> ask(QWidget* parent, Action action,
                                                            const std::string& description,
                                                            const std::string& day);

    [[nodiscard]] QPushButton* button(OccurrenceScope scope) const {
        return buttons_[static_cast<size_t>(scope)];
    }
    [[nodiscard]] QLabel* message() const { return message_; }
    [[nodiscard]] std::optional<OccurrenceScope> answer() const { return answer_; }

private:
    QLabel* message_ = nullptr;
    std::array<QPushButton*, 3> buttons_{};
    std::optional<OccurrenceScope> answer_;
};
