#include "CaseInsensitiveOrder.h"

#include <algorithm>

namespace ui {

int compareIgnoringCase(QStringView a, QStringView b)
{
    // QString folds each character through Unicode's tables; names and
    // server addresses are nearly always plain ASCII, where folding is a
    // matter of the capitals alone.
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
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
