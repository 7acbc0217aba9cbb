#pragma once

#include <QValidator>

class QLineEdit;

namespace ui {

// Drops every double quote from what is typed, pasted or loaded into its
// line edit. The settings file quotes these texts without escaping, and the
// game reads a quote as the start of a quoted word, so a quote would shift the
// fields or the commands after it. A quote is never dropped unseen: the edit's
// tool tip then says why, and shows at once while the user types or pastes.
class QuoteFreeValidator : public QValidator {
    Q_OBJECT

public:
    // Belongs to the edit it serves.
    explicit QuoteFreeValidator(QLineEdit* edit);

    State validate(QString& input, int& position) const override;

private:
    void explain() const;

    QLineEdit* edit_;
};

} // namespace ui
