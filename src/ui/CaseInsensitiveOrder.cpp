#include "CaseInsensitiveOrder.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

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
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if ((x | y) >= 0x80)
            return a.compare(b, Qt::CaseInsensitive);
        if (x >= u'A' && x <= u'Z')
            x += u'a' - u'A';
        if (y >= u'A' && y <= u'Z')
            y += u'a' - u'A';
        if (x != y)
            return int(x) - int(y);
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

void sortIgnoringCase(QStringList& texts, CaseTies ties)
{
    if (ties == CaseTies::KeepGivenOrder) {
        std::stable_sort(texts.begin(), texts.end(), [](const QString& a, const QString& b) {
            return compareIgnoringCase(a, b) < 0;
        });
        return;
    }
    std::sort(texts.begin(), texts.end(), [](const QString& a, const QString& b) {
        const int order = compareIgnoringCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });
}

} // namespace ui
