// The main window's two sliding panels: the game directory picker and the
// enhanced menu, and the timers that slide them.

#include "Form1.h"

#include "GameContent.h"
#include "GameProgram.h"
#include "Messages.h"
#include "ui/DirListBox.h"
#include "ui/DriveListBox.h"
#include "ui/FileListBox.h"
#include "ui/Panel.h"
#include "ui/Timer.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace app {
namespace {

// Positions in twips, as single-precision numbers: each tick moves a panel by
// one step, and the panel stops at the first position read back at or past
// its bound.
constexpr float kSlideStep = 500.0f;
constexpr float kPanelOpen = 0.0f;
constexpr float kPickerAtRest = 6500.0f;
constexpr float kMenuAtRest = 5000.0f;

} // namespace

void Form1::startPickerWhereTheProcessIs()
{
    // Filled the first time the picker opens, not while the window starts:
    // most starts never open it. Its lists change nothing when filled.
    if (!Dir1->path().isEmpty())
        return;
    const QSignalBlocker dirs(Dir1);
    Dir1->setPath(QDir::currentPath());
    Drive1->setDrives(ui::DriveListBox::systemDrives());
    Drive1->setDriveOf(Dir1->path());
    File2->setPath(Dir1->path());
}

void Form1::startSlide(ui::Timer* timer, ui::Timer* opposite)
{
    // Both directions of a panel at once would cancel out, and the panel
    // would stay stuck between its bounds.
    opposite->setEnabled(false);
    timer->setEnabled(true);
}

void Form1::openPicker()
{
    // Open already, it would slide on past its place.
    if (Frame1->isVisible() && Frame1->left() <= kPanelOpen && !Timer2->isEnabled())
        return;
    startPickerWhereTheProcessIs();
    startSlide(Timer1, Timer2);
    Frame1->setVisible(true);
}

void Form1::Command4_Click()
{
    openPicker();
}

void Form1::Drive1_Change()
{
    // A drive that cannot be read leaves the lists where they were.
    if (!Dir1->setPath(Drive1->driveDirectory())) {
        platform_.showMessage(driveNotReadMessage(Drive1->drive()),
                              platform::MessageIcon::Critical);
        Drive1->setDriveOf(Dir1->path());
        return;
    }
    CheckGameExecutable();
}

void Form1::Dir1_Change()
{
    // A file list left on the previous folder could offer a game that is
    // not in the folder OK would take.
    if (!File2->setPath(Dir1->path()))
        File2->clear();
    CheckGameExecutable();
}

void Form1::File2_Click()
{
    CheckGameExecutable();
    Label3->setText(Dir1->path() + QDir::separator());
}

void Form1::CheckGameExecutable()
{
    Command5->setEnabled(isGameProgram(File2->fileName()));
}

void Form1::Command5_Click()
{
    Command5->setEnabled(false);
    // A directory is saved only once its maps are found: a wrong one saved
    // would greet every later start with the same error.
    const QString directory = Dir1->path() + QDir::separator();
    GameContent archives = GameContent::read(gameFolderOf(directory));
    if (!offersMaps(directory, archives)) {
        platform_.showMessage(mapFolderNotFoundMessage(directory), platform::MessageIcon::None);
        return;
    }
    // Listed once: the map list takes them as if they had been listed ahead.
    archivesAhead_.keep(gameFolderOf(directory), std::move(archives));
    QDirectory->setText(directory);
    SaveSettings();
    InitLauncher();
    startSlide(Timer2, Timer1);
}

void Form1::Command6_Click()
{
    startSlide(Timer3, Timer4);
}

void Form1::Command7_Click()
{
    startSlide(Timer4, Timer3);
}

void Form1::Timer1_Timer()
{
    Frame1->setLeft(Frame1->left() - kSlideStep);
    if (Frame1->left() <= kPanelOpen)
        Timer1->setEnabled(false);
}

void Form1::Timer2_Timer()
{
    Frame1->setLeft(Frame1->left() + kSlideStep);
    if (Frame1->left() >= kPickerAtRest) {
        Timer2->setEnabled(false);
        Frame1->setVisible(false);
    }
}

void Form1::Timer3_Timer()
{
    Frame2->setTop(Frame2->top() - kSlideStep);
    if (Frame2->top() <= kPanelOpen)
        Timer3->setEnabled(false);
}

void Form1::Timer4_Timer()
{
    Frame2->setTop(Frame2->top() + kSlideStep);
    if (Frame2->top() >= kMenuAtRest)
        Timer4->setEnabled(false);
}

} // namespace app
