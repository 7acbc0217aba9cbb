#include "QuoteFreeValidator.h"

#include <QLineEdit>
#include <QToolTip>

namespace ui {

QuoteFreeValidator::QuoteFreeValidator(QLineEdit* edit)
    : QValidator(edit)
    , edit_(edit)
{
}

QValidator::State QuoteFreeValidator::validate(QString& input, int& position) const
{
    constexpr QLatin1Char kQuote('"');
    if (!input.contains(kQuote))
        return Acceptable;
    // The cursor stays after the same character it was after.
    position -= int(QStringView(input).left(position).count(kQuote));
    input.remove(kQuote);
    explain();
    return Acceptable;
}

void QuoteFreeValidator::explain() const
{
    const QString why = QStringLiteral("Double quotes (\") cannot be part of a name, model or "
                                       "server: the game would read one as the start of a quoted "
                                       "word.");
    // Kept as the tool tip, so a text loaded without its quote says so when
    // the mouse rests on it.
    edit_->setToolTip(why);
    // Typed or pasted, nothing appeared: the reason shows where the user looks.
    if (edit_->hasFocus() && edit_->isVisible())
        QToolTip::showText(edit_->mapToGlobal(QPoint(0, edit_->height())), why, edit_);
}

} // namespace ui
