#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace ui {

// The text broken into lines no wider than `room`, and cut short with an
// ellipsis where more lines than fit its height would follow. Nothing else
// changes: only line breaks are added, and only the end may go.
QString fittedTipText(const QString& text, const QFont& font, const QSize& room);

} // namespace ui
