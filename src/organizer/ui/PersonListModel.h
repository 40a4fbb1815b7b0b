#pragma once

#include "organizer/ui/TwoColumnListModel.h"

class PhoneBookView;

// "Name", "Company": the persons the phone book lists, in its order.
class PersonListModel : public TwoColumnListModel {
    Q_OBJECT

public:
    explicit PersonListModel(const PhoneBookView& book, QObject* parent = nullptr);
    QVariant data(const QModelIndex& index, int role) const override;

protected:
    [[nodiscard]] size_t rows() const override;

private:
    const PhoneBookView& book_;
};
