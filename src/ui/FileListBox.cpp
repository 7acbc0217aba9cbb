#include "FileListBox.h"

#include "CaseInsensitiveOrder.h"
#include "platform/FolderListing.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalBlocker>

#include <algorithm>
#include <optional>

namespace ui {
namespace {

// One pattern of a file list, such as "*.bsp", matched without regard to
// case. Folders of thousands of files are matched name by name, so the
// common wildcards are matched here; character classes and escapes go to
// QRegularExpression.
class NamePattern {
public:
    explicit NamePattern(const QString& wildcard)
        : folded_(wildcard.toCaseFolded())
        , endingOnly_(folded_.startsWith(QLatin1Char('*')) &&
                      !folded_.sliced(1).contains(QLatin1Char('*')) &&
                      !folded_.contains(QLatin1Char('?')))
    {
        if (wildcard.contains(QLatin1Char('[')) || wildcard.contains(QLatin1Char(']')) ||
            wildcard.contains(QLatin1Char('\\')))
            expression_.emplace(QRegularExpression::wildcardToRegularExpression(wildcard),
                                QRegularExpression::CaseInsensitiveOption);
    }

    bool matches(const QString& name) const
    {
        if (expression_)
            return expression_->match(name).hasMatch();
        if (endingOnly_)
            return matchesEnding(name);
        // Greedy, going back only to the last star: linear for the patterns
        // file lists use.
        qsizetype n = 0;
        qsizetype p = 0;
        qsizetype star = -1;
        qsizetype nameAtStar = 0;
        while (n < name.size()) {
            if (p < folded_.size() && folded_[p] == QLatin1Char('*')) {
                star = p++;
                nameAtStar = n;
            } else if (p < folded_.size() &&
                       (folded_[p] == QLatin1Char('?') || folded_[p] == folded(name[n]))) {
                ++p;
                ++n;
            } else if (star >= 0) {
                p = star + 1;
                n = ++nameAtStar;
            } else {
                return false;
            }
        }
        while (p < folded_.size() && folded_[p] == QLatin1Char('*'))
            ++p;
        return p == folded_.size();
    }

private:
    // "*.bsp" and its like, the usual patterns: only the name's end decides.
    bool matchesEnding(const QString& name) const
    {
        const qsizetype length = folded_.size() - 1;
        if (name.size() < length)
            return false;
        const qsizetype start = name.size() - length;
        for (qsizetype i = 0; i < length; ++i) {
            if (folded_[1 + i] != folded(name[start + i]))
                return false;
        }
        return true;
    }

    static QChar folded(QChar c)
    {
        // Unicode's tables are needed beyond ASCII only.
        if (c.unicode() >= 0x80)
            return c.toCaseFolded();
        return c.unicode() >= u'A' && c.unicode() <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c;
    }

    QString folded_;
    bool endingOnly_ = false;
    std::optional<QRegularExpression> expression_;
};

QList<NamePattern> namePatterns(const QString& pattern)
{
    QList<NamePattern> patterns;
    for (const QString& part : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString wildcard = part.trimmed();
        if (!wildcard.isEmpty())
            patterns.append(NamePattern(wildcard));
    }
    return patterns;
}

bool matchesAny(const QString& name, const QList<NamePattern>& patterns)
{
    return std::any_of(patterns.begin(), patterns.end(),
                       [&name](const NamePattern& pattern) { return pattern.matches(name); });
}

} // namespace

FileListBox::FileListBox(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row is one line of the same font. Without this the view measures
    // each of a folder's thousands of names before it can first be drawn.
    setUniformItemSizes(true);
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
    const QList<NamePattern> patterns = namePatterns(pattern_);
    QStringList names = platform::fileNamesIn(path_, [&patterns](const QString& name) {
                            return matchesAny(name, patterns);
                        }).value_or(QStringList());
    sortIgnoringCase(names, CaseTies::CaseSensitive);
    const QSignalBlocker blocker(this);
    clear();
    addItems(names);
}

} // namespace ui
