#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace persist {

// Reads the comma-separated fields of the launcher's text files. A field ends
// at a comma or a line end; one that begins with a double quote is quoted and
// the quotes are not part of its value. Blanks before a field and after an
// unquoted one are not part of it either.
//
// The writer does not escape quotes, so inside a quoted field a double quote
// closes the field only when a comma, a line end or the end of the bytes
// follows it, with nothing but blanks between: a name like Mr "X" reads back
// intact, and so does a file whose fields were padded after their quotes.
// Without such a quote the first quote closes it, and without any the field
// runs to the line end.
class FieldReader {
public:
    explicit FieldReader(QByteArray bytes);

    // The next field's raw bytes, or nothing when no bytes are left.
    std::optional<QByteArray> next();
    // The same without a copy: the bytes stay valid as long as the reader.
    std::optional<QByteArrayView> nextView();
    bool atEnd() const { return position_ >= bytes_.size(); }

private:
    QByteArrayView readQuoted();
    QByteArrayView readUnquoted();
    qsizetype findClosingQuote(qsizetype from);
    qsizetype findSeparator(qsizetype from) const;
    qsizetype skipBlanks(qsizetype from) const;
    void skipSeparator();

    // Never written: a write would copy bytes shared with the caller, a whole
    // server list of thousands of lines.
    const QByteArray bytes_;
    qsizetype position_ = 0;
    // The last quote search: from where, and the quote it found (or the end).
    // Fields only move forward, so a search that found nothing is never redone
    // and a file full of unclosed quotes reads in linear time.
    qsizetype closingSearchedFrom_ = 0;
    qsizetype closingQuote_ = -1;
};

// A check box value as the settings record stores it: a whole number from 0
// to 2, bare or quoted. An empty field is 0 and a fraction rounds to the
// nearest whole number, a half to the even one. Anything else is refused.
std::optional<int> readCheckValue(const QByteArray& field);

} // namespace persist
