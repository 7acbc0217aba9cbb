#include "CaseInsensitiveOrder.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace ui {
namespace {

constexpr std::uint64_t kLanes = 0x0001'0001'0001'0001;
constexpr std::uint64_t kBeyondAscii = kLanes * 0xff80;

// Four UTF-16 units below 0x80 at once, their capitals made small: adding to
// each unit sets its bit 7 from 'A' on, or past 'Z', and no sum carries over.
std::uint64_t foldedAscii(std::uint64_t units)
{
    const std::uint64_t fromA = units + kLanes * (0x80 - 'A');
    const std::uint64_t pastZ = units + kLanes * (0x80 - 'Z' - 1);
    const std::uint64_t capitals = fromA & ~pastZ & (kLanes * 0x80);
    return units | (capitals >> 2);
}

// One UTF-16 unit below 0x80, its capital made small.
char16_t foldedAscii(char16_t unit)
{
    return unit >= u'A' && unit <= u'Z' ? char16_t(unit + (u'a' - u'A')) : unit;
}

} // namespace

int compareIgnoringCase(QStringView a, QStringView b)
{
    // QString folds each character through Unicode's tables; names and
    // server addresses are nearly always plain ASCII, where folding is a
    // matter of the capitals alone, four characters at a time.
    const qsizetype common = std::min(a.size(), b.size());
    qsizetype i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 4 <= common; i += 4) {
            std::uint64_t x = 0;
            std::uint64_t y = 0;
            std::memcpy(&x, a.data() + i, sizeof x);
            std::memcpy(&y, b.data() + i, sizeof y);
            if (((x | y) & kBeyondAscii) != 0)
                break;
            if (x == y)
                continue;
            x = foldedAscii(x);
            y = foldedAscii(y);
            if (x != y) {
                const int shift = std::countr_zero(x ^ y) / 16 * 16;
                return int((x >> shift) & 0xffff) - int((y >> shift) & 0xffff);
            }
        }
    }
    for (; i < common; ++i) {
        const char16_t x = foldedAscii(a[i].unicode());
        const char16_t y = foldedAscii(b[i].unicode());
        if ((x | y) >= 0x80)
            return a.compare(b, Qt::CaseInsensitive);
        if (x != y)
            return int(x) - int(y);
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

namespace {

// The first 16 characters of a text, when all are ASCII, folded into a pair
// of numbers that order as the characters do. Comparing two of them settles
// most pairs of names or addresses at once; the rest compare in full.
struct SortKey {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    qsizetype index = 0;
};

constexpr qsizetype kKeyLength = 16;
// Folded ASCII never fills a byte, so no known text has this key.
constexpr std::uint64_t kUnknown = ~std::uint64_t(0);

SortKey sortKey(QStringView text, qsizetype index)
{
    SortKey key{0, 0, index};
    for (qsizetype i = 0; i < kKeyLength; ++i) {
        const char16_t unit = foldedAscii(i < text.size() ? text[i].unicode() : u'\0');
        if (unit >= 0x80)
            return SortKey{kUnknown, kUnknown, index};
        std::uint64_t& half = i < kKeyLength / 2 ? key.high : key.low;
        half = (half << 8) | unit;
    }
    return key;
}

// Moves each text to the place its key was sorted to, one cycle of the
// order at a time: no second list of thousands is made.
void placeInOrder(QStringList& texts, std::vector<SortKey>& keys)
{
    for (qsizetype place = 0; place < texts.size(); ++place) {
        if (keys[std::size_t(place)].index == place)
            continue;
        QString first = std::move(texts[place]);
        qsizetype to = place;
        for (;;) {
            const qsizetype from = keys[std::size_t(to)].index;
            keys[std::size_t(to)].index = to;
            if (from == place) {
                texts[to] = std::move(first);
                break;
            }
            texts[to] = std::move(texts[from]);
            to = from;
        }
    }
}

} // namespace

void sortIgnoringCase(QStringList& texts, CaseTies ties)
{
    std::vector<SortKey> keys;
    keys.reserve(std::size_t(texts.size()));
    for (qsizetype i = 0; i < texts.size(); ++i)
        keys.push_back(sortKey(texts.at(i), i));
    // Equals are told apart by the tie rule and then by their places, so a
    // plain sort keeps the given order without the buffer a stable one takes.
    std::sort(keys.begin(), keys.end(), [&texts, ties](const SortKey& a, const SortKey& b) {
        const QString& x = texts.at(a.index);
        const QString& y = texts.at(b.index);
        const bool known = a.high != kUnknown && b.high != kUnknown;
        int order = 0;
        if (known && (a.high != b.high || a.low != b.low))
            order = a.high != b.high ? (a.high < b.high ? -1 : 1) : (a.low < b.low ? -1 : 1);
        else if (!known || x.size() != y.size() || x.size() > kKeyLength)
            order = compareIgnoringCase(x, y);
        if (order == 0 && ties == CaseTies::CaseSensitive)
            order = x.compare(y);
        return order != 0 ? order < 0 : a.index < b.index;
    });
    placeInOrder(texts, keys);
}

} // namespace ui
