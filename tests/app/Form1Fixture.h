#pragma once

#include "app/Form1.h"
#include "support/FakePlatform.h"
#include "support/TemporaryWorkingDirectory.h"

#include <QByteArray>
#include <QComboBox>
#include <QListWidget>
#include <QWidget>

#include <memory>

// A temporary working directory with the launcher's files in it, the fake
// platform, and windows started there as the program starts its own.
class Form1Fixture {
public:
    Form1Fixture() = default;
    ~Form1Fixture();
    Form1Fixture(const Form1Fixture&) = delete;
    Form1Fixture& operator=(const Form1Fixture&) = delete;

    // A game installation with these map files; returns its directory text
    // with the trailing separator the picker gives it.
    QString makeGame(const QStringList& maps = {QStringLiteral("q3dm1.bsp"),
                                                QStringLiteral("q3dm17.bsp")},
                     const QString& folder = QStringLiteral("game"));

    // Both files in a state that starts normally, with this game directory.
    void writeValidFiles(const QString& gameDirectory);

    void write(const QString& name, const QByteArray& bytes);
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;
    QStringList fileNames() const;

    // Creates the window and shows it, which loads it.
    app::Form1& start();
    // The same, with both files valid and pointing at a game with two maps.
    app::Form1& startWithGame();

    platform::FakePlatform platform;

private:
    TemporaryWorkingDirectory directory_;
    std::unique_ptr<app::Form1> window_;
};

// A control of the window by its design name.
template <typename Control> Control* control(QWidget& window, const char* name)
{
    auto* found = window.findChild<Control*>(QLatin1String(name));
    Q_ASSERT_X(found, "control", name);
    return found;
}

// A settings record for this game directory; the other fields default to a
// repaired file's.
QByteArray record(const QString& directory,
                  const char* rest = R"("Name","Select Skin"," "," ",0,0,0)");

// A left click in the middle of a control, or on a list's item by its text.
void click(QWidget* control);
void clickItem(QListWidget* list, const QString& text);

QStringList listItems(const QComboBox* box);
QStringList listItems(const QListWidget* list);

// A server text as the server box lists it.
inline QString padded(const QString& text)
{
    return text.leftJustified(15);
}
