#include "Form1Fixture.h"

#include <QDir>
#include <QFile>
#include <QTest>

Form1Fixture::~Form1Fixture()
{
    // The window goes before the directory it was started in.
    window_.reset();
}

QString Form1Fixture::makeGame(const QStringList& maps, const QString& folder)
{
    const QString game = directory_.filePath(folder);
    QDir().mkpath(game + QStringLiteral("/baseq3/maps"));
    for (const QString& map : maps) {
        QFile file(game + QStringLiteral("/baseq3/maps/") + map);
        file.open(QIODevice::WriteOnly);
    }
    return game + QLatin1Char('/');
}

void Form1Fixture::writeValidFiles(const QString& gameDirectory)
{
    write(QStringLiteral("vortline.cfg"), record(gameDirectory));
    write(QStringLiteral("servers.vtl"), "0.0.0.0\r\n");
}

void Form1Fixture::write(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(name));
    file.write(bytes);
}

QByteArray Form1Fixture::read(const QString& name) const
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool Form1Fixture::exists(const QString& name) const
{
    return QFile::exists(name);
}

QStringList Form1Fixture::fileNames() const
{
    return QDir().entryList(QDir::Files, QDir::Name);
}

app::Form1& Form1Fixture::start()
{
    window_ = std::make_unique<app::Form1>(platform);
    window_->show();
    return *window_;
}

app::Form1& Form1Fixture::startWithGame()
{
    writeValidFiles(makeGame());
    return start();
}

QByteArray record(const QString& directory, const char* rest)
{
    return '"' + directory.toUtf8() + "\"," + rest + "\r\n";
}

void click(QWidget* control)
{
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

void clickItem(QListWidget* list, const QString& text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found[0]).center());
}

QStringList listItems(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}

QStringList listItems(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}
