#include "FrmAbout.h"

#include "LauncherVersion.h"
#include "Messages.h"
#include "ProgramIdentity.h"
#include "ShellLinks.h"
#include "ui/ClickableLabel.h"

#include <QCloseEvent>
#include <QPushButton>

#include <algorithm>

namespace app {

using platform::WindowStyle;

namespace {

// A 32-bit number value as decimal text, read from its little-endian bytes.
QString numberText(const QByteArray& bytes)
{
    quint32 number = 0;
    for (qsizetype i = std::min<qsizetype>(bytes.size(), 4) - 1; i >= 0; --i)
        number = (number << 8) | static_cast<quint8>(bytes[i]);
    return QString::number(number);
}

} // namespace

FrmAbout::FrmAbout(platform::Platform& platform, QWidget* parent)
    : QDialog(parent)
    , platform_(platform)
{
    setupUi(this);
    connectHandlers();
    Form_Load();
}

void FrmAbout::connectHandlers()
{
    connect(cmdOK, &QPushButton::clicked, this, &FrmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &FrmAbout::cmdSysInfo_Click);
    connect(Label1[1], &ui::ClickableLabel::clicked, this, [this] { Label1_Click(1); });
    connect(Label2, &ui::ClickableLabel::clicked, this, &FrmAbout::Label2_Click);
}

void FrmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About ") + QLatin1String(identity::kTitle));
    lblVersion->setText(versionCaption());
    lblTitle->setText(QLatin1String(identity::kTitle));
}

void FrmAbout::cmdOK_Click()
{
    unload();
}

void FrmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void FrmAbout::Label1_Click(int)
{
    runShellCommand(platform_, mailCommandLine(), WindowStyle::Minimized);
}

void FrmAbout::Label2_Click()
{
    runShellCommand(platform_, webCommandLine(), WindowStyle::Normal);
}

void FrmAbout::StartSysInfo()
{
    QString path;
    if (GetKeyValue(platform::kHkeyLocalMachine,
                    QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"), path)) {
        // This route's path is trusted as it stands; only the other is tested.
        if (platform_.runCommandLine(path, WindowStyle::Normal))
            return;
    } else if (GetKeyValue(platform::kHkeyLocalMachine,
                           QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                           QStringLiteral("MSINFO"), path)) {
        const QString tool = path + QStringLiteral("\\MSINFO32.EXE");
        if (platform_.fileExists(tool) && platform_.runCommandLine(tool, WindowStyle::Normal))
            return;
    }
    platform_.showMessage(systemInfoUnavailableMessage(), platform::MessageIcon::None);
}

bool FrmAbout::GetKeyValue(std::uint32_t KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                           QString& KeyVal)
{
    const auto value = platform_.readRegistryValue(KeyRoot, KeyName, SubKeyRef);
    if (!value) {
        KeyVal.clear();
        return false;
    }
    switch (value->type) {
    case platform::kRegistryString: {
        QByteArray text = value->data;
        // A string stored with its terminating NUL comes back with it.
        if (text.endsWith('\0'))
            text.chop(1);
        KeyVal = QString::fromLocal8Bit(text);
        break;
    }
    case platform::kRegistryNumber32:
        KeyVal = numberText(value->data);
        break;
    default:
        // Found, but of no type this window reads: the caller's text stays.
        break;
    }
    return true;
}

void FrmAbout::reject()
{
    unload();
}

void FrmAbout::closeEvent(QCloseEvent* event)
{
    event->accept();
    unload();
}

void FrmAbout::unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    hide();
    deleteLater();
}

} // namespace app
