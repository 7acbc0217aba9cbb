#pragma once

#include <QValidator>

namespace ui {

// Drops every double quote from what is typed or pasted. The settings file
// quotes these texts without escaping, and the game reads a quote as the
// start of a quoted word, so a quote would shift the fields or the commands
// after it.
class QuoteFreeValidator : public QValidator {
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override;
};

} // namespace ui
