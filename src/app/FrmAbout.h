#pragma once

#include "platform/Platform.h"
#include "ui/FrmAboutLayout.h"

#include <QDialog>

#include <cstdint>

namespace app {

// The About window: title, version, the author's links and the way to the
// system-information tool. It is not modal; OK, Enter, Esc and the close box
// unload it, and the next showing creates it afresh.
class FrmAbout : public QDialog, private ui::FrmAboutLayout {
    Q_OBJECT

public:
    explicit FrmAbout(platform::Platform& platform, QWidget* parent = nullptr);

    // True once the window has been closed; it is then on its way out and
    // must not be shown again.
    bool isUnloaded() const { return unloaded_; }

    void StartSysInfo();
    // Reads one registry value into KeyVal. False, with KeyVal empty, when
    // the key or the value cannot be read.
    bool GetKeyValue(std::uint32_t KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                     QString& KeyVal);

    // Esc.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Label1_Click(int Index);
    void Label2_Click();

    void connectHandlers();
    void unload();

    platform::Platform& platform_;
    bool unloaded_ = false;
};

} // namespace app
