#include "FileListBox.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalBlocker>

#include <algorithm>

namespace ui {
namespace {

QList<QRegularExpression> patternExpressions(const QString& pattern)
{
    QList<QRegularExpression> expressions;
    for (const QString& part : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString wildcard = part.trimmed();
        if (!wildcard.isEmpty())
            expressions.append(
                QRegularExpression(QRegularExpression::wildcardToRegularExpression(wildcard),
                                   QRegularExpression::CaseInsensitiveOption));
    }
    return expressions;
}

bool matchesAny(const QString& name, const QList<QRegularExpression>& expressions)
{
    return std::any_of(expressions.begin(), expressions.end(),
                       [&name](const QRegularExpression& e) { return e.match(name).hasMatch(); });
}

} // namespace

FileListBox::FileListBox(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!selectedItems().isEmpty())
            emit fileClicked();
    });
}

QItemSelectionModel::SelectionFlags FileListBox::selectionCommand(const QModelIndex& index,
                                                                  const QEvent* event) const
{
    // The view's mouse and key handling asks here before it changes the
    // selection. Control with a click or the space bar would deselect the
    // chosen file, and a press, drag or release away from every file would
    // clear it; the window would then save no map while its arguments still
    // name one.
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    if (command.testFlag(QItemSelectionModel::Deselect) ||
        (!index.isValid() && command.testFlag(QItemSelectionModel::Clear)))
        return QItemSelectionModel::NoUpdate;
    return command;
}

bool FileListBox::setPath(const QString& path)
{
    const QFileInfo folder(path);
    if (path.isEmpty() || !folder.isDir() || !folder.isReadable())
        return false;
    path_ = path;
    refill();
    return true;
}

void FileListBox::setPattern(const QString& pattern)
{
    pattern_ = pattern;
    if (!path_.isEmpty())
        refill();
}

QString FileListBox::fileName() const
{
    const QList<QListWidgetItem*> chosen = selectedItems();
    return chosen.isEmpty() ? QString() : chosen.first()->text();
}

void FileListBox::refill()
{
    const QList<QRegularExpression> expressions = patternExpressions(pattern_);
    QStringList names;
    for (const QString& name : QDir(path_).entryList(QDir::Files)) {
        if (matchesAny(name, expressions))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    const QSignalBlocker blocker(this);
    clear();
    addItems(names);
}

} // namespace ui
