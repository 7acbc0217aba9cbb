#pragma once

#include <array>

class QDialog;
class QFrame;
class QLabel;
class QPushButton;

namespace ui {

class ClickableLabel;

// The About window's controls, each under its design name, placed at their
// design positions. Like a Designer form class, it only builds; behaviour is
// the window's.
class FrmAboutLayout {
public:
    void setupUi(QDialog* frmAbout);

    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    ClickableLabel* Label2 = nullptr;
    // A control array of one member, index 1.
    std::array<ClickableLabel*, 2> Label1{};
    QLabel* Image1 = nullptr;
    // The two lines of the etched separator.
    std::array<QFrame*, 2> Line1{};
    QLabel* lblDescription = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDisclaimer = nullptr;
};

} // namespace ui
