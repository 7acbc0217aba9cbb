#pragma once

#include "ArchivesAhead.h"
#include "FindServers.h"
#include "MapTips.h"
#include "platform/Platform.h"
#include "ui/Form1Layout.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace persist {
struct LauncherSettings;
}

namespace app {

class FrmAbout;
struct LaunchOptions;

// The launcher's main window. Its controls hold all of the option state; the
// handlers keep the game's argument string in Text1 in step with them.
class Form1 : public QWidget, private ui::Form1Layout, private FindServersHost {
    Q_OBJECT

public:
    explicit Form1(platform::Platform& platform, QWidget* parent = nullptr);
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // The first show loads the window; a load that ends the program leaves it
    // hidden for good.
    void setVisible(bool visible) override;

    // Where the server browser comes from and how it asks; by default the
    // network module, loaded when the browser is first opened.
    using FindServersFactoryOf = std::function<FindServersFactory*()>;
    void setFindServersSource(FindServersFactoryOf factoryOf, FindServersOptions options);

private:
    platform::Flow Form_Load();
    void InitLauncher();
    platform::Flow LoadSettings();
    void SaveSettings();
    void BuildGameArguments();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Combo2_Change();
    void Check3_Click();
    void ADVANCED_Click();
    void Check1_Click();
    void Check2_Click();
    void Check4_Click();
    void Option1_Click();
    void Option2_Click();
    void Combo1_click();
    void Text2_Change();
    void File1_Click();
    void Label1_Click(int Index);
    void VerFRM_Click();

    // The directory picker.
    void Command4_Click();

    // The server browser, beyond the design.
    void openFindServers();
    platform::Platform& platform() override { return platform_; }
    QStringList favourites() override;
    QString installedMod(const QString& mod) override;
    void takeServer(const TakenServer& server) override;
    bool addFavourite(const QString& address) override;
    void Drive1_Change();
    void Dir1_Change();
    void File2_Click();
    void CheckGameExecutable();
    void Command5_Click();

    // The enhanced menu and the slides of both panels.
    void Command6_Click();
    void Command7_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();

    void connectHandlers();
    bool listMaps();
    void openPicker();
    void startPickerWhereTheProcessIs();
    static void startSlide(ui::Timer* timer, ui::Timer* opposite);
    bool applySettings(const persist::LauncherSettings& settings);
    LaunchOptions launchOptions() const;
    using RepairFile = bool (*)(platform::Platform&);
    platform::Flow repairAndEnd(const QString& message, RepairFile repair, const QString& fileName);

    platform::Platform& platform_;
    // Made before the controls, so the listing runs while they are made.
    ArchivesAhead archivesAhead_;
    // The folder the map list shows: the game directory text and "baseq3\maps".
    QString MapsPath;
    MapTips mapTips_;
    // The About window while it exists. It has no parent, as it lives on
    // its own until closed, even after the main window has gone.
    QPointer<FrmAbout> frmAbout_;
    // The server browser while it is open: made on first use, from the network module.
    QPointer<QWidget> findServers_;
    FindServersFactoryOf findServersFactoryOf_;
    FindServersOptions findServersOptions_;
    // The server last taken from the browser, whose mod and password the
    // command line carries while the server box holds it.
    TakenServer taken_;
    bool loaded_ = false;
    bool ended_ = false;
};

} // namespace app
