#include "FieldReader.h"

#include <cmath>
#include <utility>

namespace persist {
namespace {

constexpr char kQuote = '"';

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}
bool isSeparator(char c)
{
    return c == ',' || isLineEnd(c);
}
bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

qsizetype skipDigits(QByteArrayView text, qsizetype at)
{
    while (at < text.size() && text[at] >= '0' && text[at] <= '9')
        ++at;
    return at;
}

// A decimal number as a settings file may hold one: a sign, digits with a
// point among, before or after them, and an exponent, as in "+1", "1.",
// ".5" or "2e0". Read by hand: the program starts with these, and a regular
// expression costs more to compile than the whole file takes to read.
bool isDecimalNumber(QByteArrayView text)
{
    qsizetype at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    const qsizetype wholeStart = at;
    at = skipDigits(text, at);
    bool hasDigits = at > wholeStart;
    if (at < text.size() && text[at] == '.') {
        const qsizetype fractionStart = ++at;
        at = skipDigits(text, at);
        hasDigits = hasDigits || at > fractionStart;
    }
    if (!hasDigits)
        return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            ++at;
        const qsizetype exponentStart = at;
        at = skipDigits(text, at);
        if (at == exponentStart)
            return false;
    }
    return at == text.size();
}

} // namespace

FieldReader::FieldReader(QByteArray bytes)
    : bytes_(std::move(bytes))
{
}

std::optional<QByteArray> FieldReader::next()
{
    const auto field = nextView();
    if (!field)
        return std::nullopt;
    return field->toByteArray();
}

std::optional<QByteArrayView> FieldReader::nextView()
{
    if (atEnd())
        return std::nullopt;
    position_ = skipBlanks(position_);
    const QByteArrayView field =
        position_ < bytes_.size() && bytes_[position_] == kQuote ? readQuoted() : readUnquoted();
    skipSeparator();
    return field;
}

QByteArrayView FieldReader::readQuoted()
{
    const qsizetype start = position_ + 1;
    const qsizetype closing = findClosingQuote(start);
    if (closing < bytes_.size()) {
        position_ = skipBlanks(closing + 1);
        return QByteArrayView(bytes_).sliced(start, closing - start);
    }
    const qsizetype firstQuote = bytes_.indexOf(kQuote, start);
    if (firstQuote < 0) {
        // Only a line end can stop an unclosed quote; commas belong to it.
        position_ = start;
        while (position_ < bytes_.size() && !isLineEnd(bytes_[position_]))
            ++position_;
        return QByteArrayView(bytes_).sliced(start, position_ - start);
    }
    // Text after the closing quote is not part of any field.
    position_ = findSeparator(firstQuote + 1);
    return QByteArrayView(bytes_).sliced(start, firstQuote - start);
}

// The first quote from here on that a comma, a line end or the end of the
// bytes follows, with nothing but blanks between; the size when there is none.
qsizetype FieldReader::findClosingQuote(qsizetype from)
{
    if (closingQuote_ >= 0 && from >= closingSearchedFrom_ && from <= closingQuote_)
        return closingQuote_;
    closingSearchedFrom_ = from;
    for (qsizetype at = from; at < bytes_.size(); ++at) {
        if (bytes_[at] != kQuote)
            continue;
        const qsizetype after = skipBlanks(at + 1);
        if (after == bytes_.size() || isSeparator(bytes_[after]))
            return closingQuote_ = at;
    }
    return closingQuote_ = bytes_.size();
}

QByteArrayView FieldReader::readUnquoted()
{
    const qsizetype start = position_;
    position_ = findSeparator(start);
    qsizetype end = position_;
    while (end > start && isBlank(bytes_[end - 1]))
        --end;
    return QByteArrayView(bytes_).sliced(start, end - start);
}

qsizetype FieldReader::findSeparator(qsizetype from) const
{
    while (from < bytes_.size() && !isSeparator(bytes_[from]))
        ++from;
    return from;
}

qsizetype FieldReader::skipBlanks(qsizetype from) const
{
    while (from < bytes_.size() && isBlank(bytes_[from]))
        ++from;
    return from;
}

void FieldReader::skipSeparator()
{
    if (atEnd())
        return;
    const char c = bytes_[position_++];
    if (c == '\r' && position_ < bytes_.size() && bytes_[position_] == '\n')
        ++position_;
}

std::optional<int> readCheckValue(const QByteArray& field)
{
    const QByteArray text = field.trimmed();
    if (text.isEmpty())
        return 0;
    if (!isDecimalNumber(text))
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    double whole = std::floor(value);
    const double rest = value - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (whole < 0.0 || whole > 2.0)
        return std::nullopt;
    return static_cast<int>(whole);
}

} // namespace persist
