// Takes the place of quake3.exe in the demo directory, so the launcher can be tried without the
// game: it shows and logs exactly what the launcher started it with.

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTextStream>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const QString logFileName = QStringLiteral("quake3-standin.log");

QString describeStart(const QStringList& arguments)
{
    QString text;
    QTextStream out(&text);
    out << QDateTime::currentDateTime().toString(Qt::ISODate) << " stand-in game started\n";
    out << "  working directory: " << QDir::toNativeSeparators(QDir::currentPath()) << '\n';
#ifdef Q_OS_WIN
    // The real game reads this raw string rather than argv, so show what it would have seen
    // next to the C runtime's split.
    out << "  command line: " << QString::fromWCharArray(GetCommandLineW()) << '\n';
#endif
    out << "  argument count: " << arguments.size() << '\n';
    for (qsizetype i = 0; i < arguments.size(); ++i)
        out << "  argument " << i + 1 << ": \"" << arguments.at(i) << "\"\n";
    return text;
}

// Returns an empty string on success, otherwise why the log could not be written; a missing log
// must not stop the window from showing the arguments.
QString appendToLog(const QString& record)
{
    QFile log(QDir(QCoreApplication::applicationDirPath()).filePath(logFileName));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return QStringLiteral("Could not write %1: %2\n")
            .arg(QDir::toNativeSeparators(log.fileName()), log.errorString());
    QTextStream(&log) << record << '\n';
    return {};
}

} // namespace

int main(int argc, char* argv[])
{
    // QApplication removes the options it understands (-style, -platform, -geometry, ...) from
    // argv; the game's command line is recorded from the untouched argv, and Qt gets only the
    // program name so nothing the launcher passes can change how this window is set up.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    int qtArgumentCount = 1;
    char* qtArguments[] = {argv[0], nullptr};
    QApplication application(qtArgumentCount, qtArguments);

    QString record = describeStart(arguments);
    std::fputs(record.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
    const QString logProblem = appendToLog(record);
    if (!logProblem.isEmpty()) {
        std::fputs(logProblem.toLocal8Bit().constData(), stderr);
        record += '\n' + logProblem;
    }

    QWidget window;
    window.setWindowTitle(QStringLiteral("Stand-in game"));
    auto* view = new QPlainTextEdit(record);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* close = new QPushButton(QStringLiteral("Close"));
    QObject::connect(close, &QPushButton::clicked, &window, &QWidget::close);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(view);
    layout->addWidget(close, 0, Qt::AlignRight);
    window.resize(640, 360);
    window.show();
    return application.exec();
}
