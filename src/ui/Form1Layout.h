#pragma once

#include <QString>

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace ui {

class ClickableLabel;
class DirListBox;
class DriveListBox;
class FileListBox;
class NarrowButton;
class Panel;
class SortedComboBox;
class Timer;
class ValueCheckBox;

// The main window's controls, each under its design name, placed at their
// design positions. Like a Designer form class, it only builds; behaviour is
// the window's.
class Form1Layout {
public:
    void setupUi(QWidget* Form1);

    // On the window. The background picture lies beneath everything and
    // lets clicks through to the window.
    QLabel* Picture = nullptr;
    QLineEdit* QDirectory = nullptr;
    QLineEdit* Text2 = nullptr;
    SortedComboBox* Combo1 = nullptr;
    SortedComboBox* Combo2 = nullptr;
    ValueCheckBox* Check1 = nullptr;
    ValueCheckBox* Check2 = nullptr;
    ValueCheckBox* Check3 = nullptr;
    FileListBox* File1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    // Opens the server browser; beyond the design, beside the server box.
    QPushButton* findServersButton = nullptr;
    NarrowButton* Command6 = nullptr;
    ClickableLabel* VerFRM = nullptr;
    std::array<ClickableLabel*, 2> Label1{};
    std::array<QLabel*, 3> Label2{};
    Timer* Timer1 = nullptr;
    Timer* Timer3 = nullptr;
    Timer* Timer4 = nullptr;

    // The game directory picker.
    Panel* Frame1 = nullptr;
    DriveListBox* Drive1 = nullptr;
    DirListBox* Dir1 = nullptr;
    FileListBox* File2 = nullptr;
    QPushButton* Command5 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    Timer* Timer2 = nullptr;

    // The enhanced menu.
    Panel* Frame2 = nullptr;
    QPushButton* Command7 = nullptr;
    ValueCheckBox* ADVANCED = nullptr;
    QGroupBox* Frame3 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    ValueCheckBox* Check4 = nullptr;
    QLabel* Label5 = nullptr;

private:
    void setupMainControls(QWidget* Form1);
    void setupPicker(QWidget* Form1);
    void setupEnhancedMenu();
};

} // namespace ui
