#include "Form1.h"

#include "FrmAbout.h"
#include "GameArguments.h"
#include "GameContent.h"
#include "GameProgram.h"
#include "LauncherVersion.h"
#include "Messages.h"
#include "ModFolders.h"
#include "NetworkModule.h"
#include "ServerBoxStatus.h"
#include "ShellLinks.h"
#include "persist/FileNames.h"
#include "persist/ServerEntry.h"
#include "persist/ServerListFile.h"
#include "persist/SettingsFile.h"
#include "platform/PathText.h"
#include "ui/ClickableLabel.h"
#include "ui/DirListBox.h"
#include "ui/DriveListBox.h"
#include "ui/FileListBox.h"
#include "ui/NarrowButton.h"
#include "ui/Panel.h"
#include "ui/ReadableColours.h"
#include "ui/SortedComboBox.h"
#include "ui/Timer.h"
#include "ui/ValueCheckBox.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

namespace app {

using platform::Flow;
using platform::MessageIcon;

namespace {

constexpr QLatin1String kNotSet("NOTSET");

const QLatin1String kModels[] = {QLatin1String("Ned"), QLatin1String("Decay"),
                                 QLatin1String("Sarge"), QLatin1String("terrance")};

// Says why a file could not be written, if it could not; true when it was.
bool reportWrite(platform::Platform& platform, persist::WriteOutcome outcome,
                 const QString& textNotHeld, const QString& notWritten)
{
    if (outcome != persist::WriteOutcome::Written)
        platform.showMessage(outcome == persist::WriteOutcome::TextNotHeld ? textNotHeld
                                                                           : notWritten,
                             MessageIcon::Critical);
    return outcome == persist::WriteOutcome::Written;
}

} // namespace

Form1::Form1(platform::Platform& platform, QWidget* parent)
    : QWidget(parent)
    , platform_(platform)
    , archivesAhead_(ArchivesAhead::forSavedGame(platform))
{
    // Selected rows and text read on their highlight in every window of the
    // launcher. Set for the application before any control exists, it costs
    // the controls nothing, where a palette of the window's own would be
    // worked out again for each of them.
    QApplication::setPalette(ui::withReadableSelection(QApplication::palette()));
    setupUi(this);
    File2->setPattern(gameProgramNames().join(QLatin1Char(';')));
    File1->setTipSource([this](const QString& map) { return mapTips_.tipFor(map); });
    // Owned by the box it shows in.
    new ServerBoxStatus(*Combo2);
    connectHandlers();
}

Form1::~Form1()
{
    delete frmAbout_;
    // Before the window it serves is half gone.
    delete findServers_;
}

void Form1::setVisible(bool visible)
{
    if (visible && !loaded_) {
        loaded_ = true;
        ended_ = Form_Load() == Flow::Ended;
    }
    if (visible && ended_)
        return;
    QWidget::setVisible(visible);
}

void Form1::connectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Combo2, &QComboBox::editTextChanged, this, &Form1::Combo2_Change);
    connect(Check1, &ui::ValueCheckBox::valueChanged, this, &Form1::Check1_Click);
    connect(Check2, &ui::ValueCheckBox::valueChanged, this, &Form1::Check2_Click);
    connect(Check3, &ui::ValueCheckBox::valueChanged, this, &Form1::Check3_Click);
    connect(Check4, &ui::ValueCheckBox::valueChanged, this, &Form1::Check4_Click);
    connect(ADVANCED, &ui::ValueCheckBox::valueChanged, this, &Form1::ADVANCED_Click);
    connect(Option1, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            Option1_Click();
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            Option2_Click();
    });
    connect(Combo1, &ui::SortedComboBox::itemChosen, this, &Form1::Combo1_click);
    connect(Text2, &QLineEdit::textChanged, this, &Form1::Text2_Change);
    connect(File1, &ui::FileListBox::fileClicked, this, &Form1::File1_Click);
    for (int index = 0; index < int(Label1.size()); ++index)
        connect(Label1[index], &ui::ClickableLabel::clicked, this,
                [this, index] { Label1_Click(index); });
    connect(VerFRM, &ui::ClickableLabel::clicked, this, &Form1::VerFRM_Click);

    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Drive1, &ui::DriveListBox::driveChanged, this, &Form1::Drive1_Change);
    connect(Dir1, &ui::DirListBox::pathChanged, this, &Form1::Dir1_Change);
    connect(File2, &ui::FileListBox::fileClicked, this, &Form1::File2_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(findServersButton, &QPushButton::clicked, this, &Form1::openFindServers);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this,
            &Form1::openFindServers);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    connect(Timer3, &QTimer::timeout, this, &Form1::Timer3_Timer);
    connect(Timer4, &QTimer::timeout, this, &Form1::Timer4_Timer);
}

Flow Form1::Form_Load()
{
    if (LoadSettings() == Flow::Ended)
        return Flow::Ended;
    InitLauncher();
    return Flow::Continue;
}

void Form1::InitLauncher()
{
    MapsPath = QDirectory->text() + platform::nativePathText(QStringLiteral("baseq3\\maps"));
    if (QDirectory->text() == kNotSet) {
        openPicker();
        return;
    }
    if (!listMaps()) {
        // Ending here would end every later start the same way: the user
        // chooses another directory instead.
        platform_.showMessage(mapFolderNotFoundMessage(QDirectory->text()), MessageIcon::None);
        openPicker();
        return;
    }
    for (const QLatin1String model : kModels) {
        if (Combo1->findText(model, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
            Combo1->addSortedItem(model);
    }
    VerFRM->setText(versionCaption());
}

bool Form1::listMaps()
{
    // Most installations keep their maps only in archives: those of the game
    // and, after them, those the player downloaded.
    GameContent content = archivesAhead_.take(gameFolderOf(QDirectory->text()));
    const QString playerFolder = platform_.playerGameFolder();
    const GameContent playerContent =
        playerFolder.isEmpty() ? GameContent() : archivesAhead_.take(playerFolder);
    // Later listings read the folders as they are then.
    archivesAhead_.clear();
    if (!offersMaps(QDirectory->text(), content))
        return false;
    content.append(playerContent);
    File1->setPath(MapsPath, content.mapFiles());
    mapTips_.reset(std::move(content),
                   gameFolderOf(QDirectory->text()) +
                       platform::nativePathText(QStringLiteral("\\levelshots")));
    return true;
}

Flow Form1::LoadSettings()
{
    const auto settings = persist::readSettingsFile(platform_);
    if (!settings || !applySettings(*settings))
        return repairAndEnd(settingsRepairMessage(), &persist::repairSettingsFile,
                            QLatin1String(persist::kSettingsFileName));

    auto servers = persist::readServerListFile(platform_);
    if (!servers)
        return repairAndEnd(serverListRepairMessage(), &persist::repairServerListFile,
                            QLatin1String(persist::kServerListRepairName));
    // Handed over, the list is sorted where it is rather than copied first.
    Combo2->setSortedItems(std::move(*servers));
    Combo2->setEditText(settings->server);

    BuildGameArguments();
    return Flow::Continue;
}

bool Form1::applySettings(const persist::LauncherSettings& settings)
{
    QDirectory->setText(settings.gameDirectory);
    Text2->setText(settings.playerName);
    Combo1->setEditText(settings.playerModel);
    return Check1->setValue(settings.cheats) && Check2->setValue(settings.dedicated) &&
           Check3->setValue(settings.connect);
}

Flow Form1::repairAndEnd(const QString& message, RepairFile repair, const QString& fileName)
{
    // Nothing may still run on another thread when the program ends.
    archivesAhead_.clear();
    // The user reads why before the file is rewritten.
    platform_.showMessage(message, MessageIcon::Critical);
    if (!repair(platform_))
        platform_.showMessage(repairNotWrittenMessage(fileName), MessageIcon::Critical);
    platform_.endProgram();
    return Flow::Ended;
}

void Form1::SaveSettings()
{
    const persist::LauncherSettings settings{
        QDirectory->text(), Text2->text(),   Combo1->currentText(), Combo2->currentText(),
        File1->fileName(),  Check1->value(), Check2->value(),       Check3->value()};
    reportWrite(platform_, persist::writeSettingsFile(platform_, settings),
                settingsTextNotHeldMessage(), settingsNotSavedMessage());
}

LaunchOptions Form1::launchOptions() const
{
    LaunchOptions options;
    options.playerName = Text2->text();
    options.cheats = Check1->value();
    options.dedicated = Check2->value();
    options.connect = Check3->value();
    options.server = Combo2->currentText();
    options.model = Combo1->currentText();
    options.mapFile = File1->fileName();
    options.advanced = ADVANCED->value();
    options.fullscreen = Check4->value();
    options.rate22 = Option1->isChecked();
    if (!taken_.address.isEmpty() && options.server == taken_.address) {
        options.serverMod = taken_.mod;
        options.serverPassword = taken_.password;
    }
    return options;
}

void Form1::BuildGameArguments()
{
    Text1->setText(buildGameArguments(launchOptions()));
}

void Form1::Command1_Click()
{
    const QString program = QDirectory->text() + gameProgramIn(QDirectory->text());
    const QString arguments = Text1->text();
    const platform::StartResult started =
        platform_.runProgram(program, arguments, platform::WindowStyle::Maximized);
    if (!started)
        platform_.showMessage(
            programNotStartedMessage(program + QLatin1Char(' ') + arguments, started.reason),
            MessageIcon::Critical);
}

void Form1::Command2_Click()
{
    SaveSettings();
}

void Form1::Command3_Click()
{
    // A server that could not be written stays in the box, so nothing typed
    // is lost and the user can try again.
    addFavourite(Combo2->currentText());
}

bool Form1::addFavourite(const QString& server)
{
    if (!reportWrite(platform_, persist::appendServer(platform_, server),
                     serverTextNotHeldMessage(), serverNotAddedMessage()))
        return false;
    // Only the list changes. Everything else on screen, saved or not, the
    // line edited by hand too, stays as the user left it, and the box keeps
    // showing the server just added.
    if (auto servers = persist::readServerListFile(platform_))
        Combo2->setSortedItems(std::move(*servers));
    else
        Combo2->addSortedItem(persist::serverEntry(server));
    return true;
}

void Form1::Combo2_Change()
{
    Command3->setEnabled(!Combo2->currentText().isEmpty());
    BuildGameArguments();
}

void Form1::Check3_Click()
{
    if (Check3->value() == 1)
        Combo2->setEnabled(true);
    if (Check3->value() == 0)
        Combo2->setEnabled(false);
    BuildGameArguments();
}

void Form1::ADVANCED_Click()
{
    BuildGameArguments();
}

void Form1::Check1_Click()
{
    BuildGameArguments();
}

void Form1::Check2_Click()
{
    BuildGameArguments();
}

void Form1::Check4_Click()
{
    BuildGameArguments();
}

void Form1::Option1_Click()
{
    BuildGameArguments();
}

void Form1::Option2_Click()
{
    BuildGameArguments();
}

void Form1::Combo1_click()
{
    BuildGameArguments();
}

void Form1::Text2_Change()
{
    BuildGameArguments();
}

void Form1::File1_Click()
{
    BuildGameArguments();
}

void Form1::Label1_Click(int)
{
    runShellCommand(platform_, mailCommandLine(), platform::WindowStyle::Minimized);
}

void Form1::VerFRM_Click()
{
    if (!frmAbout_ || frmAbout_->isUnloaded()) {
        frmAbout_ = new FrmAbout(platform_);
        // Over the main window rather than wherever the system would put it.
        frmAbout_->move(geometry().center() - frmAbout_->rect().center());
    }
    frmAbout_->setVisible(true);
    frmAbout_->activateWindow();
}

void Form1::setFindServersSource(FindServersFactoryOf factoryOf, FindServersOptions options)
{
    findServersFactoryOf_ = std::move(factoryOf);
    findServersOptions_ = std::move(options);
}

void Form1::openFindServers()
{
    if (!findServers_) {
        FindServersFactory* factory = findServersFactoryOf_
                                          ? findServersFactoryOf_()
                                          : loadFromNetworkModule<FindServersFactory>(
                                                networkModuleFolders(), "servers cannot be found");
        if (!factory) {
            platform_.showMessage(findServersUnavailableMessage(), MessageIcon::Critical);
            return;
        }
        findServers_ = factory->createFindServersWindow(*this, findServersOptions_, this);
    }
    findServers_->show();
    findServers_->raise();
    findServers_->activateWindow();
}

QStringList Form1::favourites()
{
    QStringList entries;
    for (int row = 0; row < Combo2->count(); ++row)
        entries.append(Combo2->itemText(row));
    return entries;
}

QString Form1::installedMod(const QString& mod)
{
    // Mods sit beside the game folder, in the installation or where the player's downloads go.
    QStringList roots;
    if (QDirectory->text() != kNotSet)
        roots.append(QDirectory->text());
    if (const QString player = platform_.playerGameFolder(); !player.isEmpty())
        roots.append(player + QStringLiteral("/.."));
    return installedModFolder(roots, mod);
}

void Form1::takeServer(const TakenServer& server)
{
    taken_ = server;
    // Through the box's and the check box's own handlers, as if the player had typed and ticked.
    Combo2->setEditText(server.address);
    Check3->setValue(1);
    BuildGameArguments();
}

} // namespace app
