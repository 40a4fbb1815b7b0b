#pragma once

#include <QGroupBox>

#include <array>

class Locale;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QSpinBox;
class QWidget;
class RepeatForm;

// The "Repeat" frame of the appointment dialog: how often, every how many, on which
// weekdays or which day of the month, and until when, with the rule in words under it.
// It edits a RepeatForm, which holds every rule; a rule it cannot show is only said.
class RepeatBox : public QGroupBox {
    Q_OBJECT

public:
    RepeatBox(RepeatForm& form, const Locale& locale, QWidget* parent = nullptr);

    // Shows the form again, after its start moved.
    void showValues();

    [[nodiscard]] QComboBox* kindBox() const { return kind_; }
    [[nodiscard]] QSpinBox* intervalBox() const { return interval_; }
    // The check box of a weekday, 0 Monday to 6 Sunday.
    [[nodiscard]] QCheckBox* weekdayBox(int weekday) const { return weekdays_[size_t(weekday)]; }
    [[nodiscard]] QComboBox* monthlyBox() const { return monthly_; }
    [[nodiscard]] QComboBox* endingBox() const { return ending_; }
    [[nodiscard]] QSpinBox* countBox() const { return count_; }
    [[nodiscard]] QDateEdit* untilPicker() const { return until_; }
    [[nodiscard]] QLabel* wordsLabel() const { return words_; }

private:
    // Fills the month choices for the form's start; they name its day and weekday.
    void fillMonthly();
    // Shows the controls the chosen repeat uses and hides the others.
    void showControls();

    RepeatForm& form_;
    const Locale& locale_;
    bool showing_ = false;  // setting the controls, not the user
    QComboBox* kind_ = nullptr;
    QLabel* intervalLabel_ = nullptr;
    QSpinBox* interval_ = nullptr;
    QLabel* unit_ = nullptr;
    QWidget* weekdayRow_ = nullptr;
    std::array<QCheckBox*, 7> weekdays_{};
    QLabel* monthlyLabel_ = nullptr;
    QComboBox* monthly_ = nullptr;
    QLabel* endingLabel_ = nullptr;
    QComboBox* ending_ = nullptr;
    QSpinBox* count_ = nullptr;
    QLabel* countUnit_ = nullptr;
    QDateEdit* until_ = nullptr;
    QLabel* words_ = nullptr;
};
