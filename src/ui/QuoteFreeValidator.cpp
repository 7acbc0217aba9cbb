#include "QuoteFreeValidator.h"

namespace ui {

QValidator::State QuoteFreeValidator::validate(QString& input, int& position) const
{
    constexpr QLatin1Char kQuote('"');
    // The cursor stays after the same character it was after.
    position -= int(QStringView(input).left(position).count(kQuote));
    input.remove(kQuote);
    return Acceptable;
}

} // namespace ui
