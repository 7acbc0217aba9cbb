#include "FileListBox.h"

#include "CaseInsensitiveOrder.h"
#include "PictureTipWindow.h"
#include "platform/FolderListing.h"

#include <QFileInfo>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QSet>
#include <QSignalBlocker>

#include <algorithm>
#include <optional>
#include <utility>

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

// A file's name reaches the game as one word of its command line, which the
// game splits at blanks (and any other control character) into words, reads
// a word starting with "+" as a command of its own, a double quote as the
// start of a quoted word and a ";" as the end of a command. A name holding
// one would start something else than the file; a double quote cannot stand
// in a Windows file name anyway.
bool isListable(const QString& name)
{
    if (name.startsWith(QLatin1Char('+')))
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() <= u' ' || c.unicode() == 0x7f || c == QLatin1Char('"') ||
               c == QLatin1Char(';');
    });
}

bool matchesAny(const QString& name, const QList<NamePattern>& patterns)
{
    return std::any_of(patterns.begin(), patterns.end(),
                       [&name](const NamePattern& pattern) { return pattern.matches(name); });
}

// Shift, Control, Meta, Alt and the locks, which leave a tool tip up.
bool isModifierKey(int key)
{
    return key >= Qt::Key_Shift && key <= Qt::Key_ScrollLock;
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

void FileListBox::setTipSource(PictureTipSource source)
{
    hideTip();
    tipSource_ = std::move(source);
    // A tip shown for one file must go when the mouse moves to another.
    if (tipSource_)
        viewport()->setMouseTracking(true);
}

bool FileListBox::viewportEvent(QEvent* event)
{
    if (!tipSource_)
        return QListWidget::viewportEvent(event);
    switch (event->type()) {
    case QEvent::ToolTip: {
        const auto* help = static_cast<const QHelpEvent*>(event);
        showTipAtCursor(indexAt(help->pos()), help->globalPos());
        return true;
    }
    case QEvent::MouseMove:
        // Like Qt's tips: the next file's tip waits until the mouse rests.
        if (tipEntry_ != indexAt(static_cast<const QMouseEvent*>(event)->position().toPoint()))
            hideTip();
        break;
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        hideTip();
        break;
    default:
        break;
    }
    return QListWidget::viewportEvent(event);
}

void FileListBox::keyPressEvent(QKeyEvent* event)
{
    const QPersistentModelIndex before = currentIndex();
    QListWidget::keyPressEvent(event);
    if (!tipSource_)
        return;
    if (currentIndex() != before)
        showTipBesideRow(currentIndex());
    else if (!isModifierKey(event->key()))
        hideTip();
}

void FileListBox::mousePressEvent(QMouseEvent* event)
{
    // A click on the chosen file changes no selection, so nothing else would
    // tell the window of it. Control's click is a list's way to deselect,
    // refused here: it chooses nothing.
    const QModelIndex pressed = indexAt(event->position().toPoint());
    const bool reclick = event->button() == Qt::LeftButton &&
                         !event->modifiers().testFlag(Qt::ControlModifier) &&
                         selectionModel()->isSelected(pressed);
    reclicked_ = reclick ? QPersistentModelIndex(pressed) : QPersistentModelIndex();
    QListWidget::mousePressEvent(event);
}

void FileListBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QPersistentModelIndex reclicked = std::exchange(reclicked_, QPersistentModelIndex());
    QListWidget::mouseReleaseEvent(event);
    // Released elsewhere, it was a drag.
    if (event->button() == Qt::LeftButton && reclicked.isValid() &&
        reclicked == indexAt(event->position().toPoint()) &&
        selectionModel()->isSelected(reclicked))
        emit fileClicked();
}

void FileListBox::focusOutEvent(QFocusEvent* event)
{
    hideTip();
    QListWidget::focusOutEvent(event);
}

void FileListBox::hideEvent(QHideEvent* event)
{
    hideTip();
    QListWidget::hideEvent(event);
}

bool FileListBox::event(QEvent* event)
{
    // Its window's deactivation, passed down to the window's widgets.
    if (event->type() == QEvent::WindowDeactivate)
        hideTip();
    return QListWidget::event(event);
}

void FileListBox::showTipAtCursor(const QModelIndex& entry, const QPoint& cursor)
{
    // Where Qt puts a tool tip: below right of the cursor, clear of the
    // pointer's shape, or above left of it near the screen's edges.
    const QRect pointer(cursor - QPoint(2, 8), cursor + QPoint(2, 16));
    showTip(entry, pointer.bottomRight(), pointer);
}

void FileListBox::showTipBesideRow(const QModelIndex& entry)
{
    // Beside the list rather than below the row, so the rows the keys move
    // to next stay in sight.
    constexpr int gap = 2;
    const QRect row = visualRect(entry).intersected(viewport()->rect());
    const QRect spared(mapToGlobal(QPoint(-gap, 0)).x(), viewport()->mapToGlobal(row.topLeft()).y(),
                       width() + 2 * gap, row.height());
    showTip(entry, spared.topRight() + QPoint(1, 0), spared);
}

void FileListBox::showTip(const QModelIndex& entry, const QPoint& at, const QRect& spared)
{
    // The source is the caller's code, which may refill the list meanwhile.
    const QPersistentModelIndex shown = entry;
    const PictureTipContent content =
        shown.isValid() ? tipSource_(shown.data().toString()) : PictureTipContent();
    if (content.isEmpty() || !shown.isValid()) {
        hideTip();
        return;
    }
    if (!tip_)
        tip_ = new PictureTipWindow(this);
    tipEntry_ = shown;
    tip_->showTip(content, at, spared);
}

void FileListBox::hideTip()
{
    tipEntry_ = QPersistentModelIndex();
    if (tip_)
        tip_->hide();
}

bool FileListBox::setPath(const QString& path)
{
    return setPath(path, {});
}

bool FileListBox::setPath(const QString& path, const QStringList& elsewhere)
{
    const QFileInfo folder(path);
    if (elsewhere.isEmpty() && (path.isEmpty() || !folder.isDir() || !folder.isReadable()))
        return false;
    path_ = path;
    elsewhere_ = elsewhere;
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
                            return isListable(name) && matchesAny(name, patterns);
                        }).value_or(QStringList());
    if (!elsewhere_.isEmpty()) {
        QSet<QString> listed;
        listed.reserve(names.size() + elsewhere_.size());
        for (const QString& name : std::as_const(names))
            listed.insert(name.toCaseFolded());
        for (const QString& name : std::as_const(elsewhere_)) {
            if (isListable(name) && !listed.contains(name.toCaseFolded())) {
                listed.insert(name.toCaseFolded());
                names.append(name);
            }
        }
    }
    sortIgnoringCase(names, CaseTies::CaseSensitive);
    hideTip();
    const QSignalBlocker blocker(this);
    clear();
    addItems(names);
}

} // namespace ui
