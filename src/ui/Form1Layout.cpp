#include "Form1Layout.h"

#include "BackgroundPicture.h"
#include "ClickableLabel.h"
#include "DesignLook.h"
#include "DirListBox.h"
#include "DriveListBox.h"
#include "FileListBox.h"
#include "NarrowButton.h"
#include "Panel.h"
#include "Pictures.h"
#include "Placement.h"
#include "ProgramIdentity.h"
#include "QuoteFreeValidator.h"
#include "SortedComboBox.h"
#include "Timer.h"
#include "ValueCheckBox.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

namespace ui {
namespace {

using namespace placement;

constexpr int kTimerIntervalMs = 50;

Timer* addTimer(QObject* parent, const char* name)
{
    auto* timer = new Timer(kTimerIntervalMs, parent);
    timer->setObjectName(QLatin1String(name));
    return timer;
}

// The captions beside the box-only check boxes, and the credit line.
ClickableLabel* placeCaption(QWidget* parent, const char* name, const QString& text, QRect twips,
                             QColor colour, bool underline = false)
{
    auto* label = placeLabel<ClickableLabel>(parent, name, text, twips);
    label->setFont(designFont(DesignFont::System, underline));
    setTransparent(label, colour);
    fitTextToWidth(label);
    return label;
}

ValueCheckBox* placeBoxOnly(QWidget* parent, const char* name, QRect twips, const QString& caption)
{
    auto* box = place<ValueCheckBox>(parent, name, twips);
    box->setFont(designFont(DesignFont::System));
    setColours(box, colour::kBlack, colour::kGreen);
    // The caption is a separate label, so a screen reader would find no name.
    box->setAccessibleName(caption);
    return box;
}

Panel* placePanel(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* panel = new Panel(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setTwipsGeometry(static_cast<float>(left), static_cast<float>(top), width, height);
    return panel;
}

} // namespace

void Form1Layout::setupUi(QWidget* Form1)
{
    Form1->setObjectName(QStringLiteral("Form1"));
    Form1->setWindowTitle(QStringLiteral("VORTLINE"));
    Form1->setWindowIcon(programIcon());
    Form1->setFixedSize(417, 315);
    setCloseBoxOnly(Form1, Qt::Window);
    Form1->setFont(designFont(DesignFont::MsSansSerif));
    setColours(Form1, colour::kBlack, colour::kBlack);

    Picture = new BackgroundPicture(Form1);
    Picture->setObjectName(QStringLiteral("Picture"));
    Picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    Picture->setPixmap(backgroundPicture(Form1->devicePixelRatioF()));
    Picture->setGeometry(0, 0, 417, 314);

    // A line edit lays out its empty text in the application's font before it
    // takes its own: that alone would load the font and ask the system for its
    // fallbacks, though no text of this window is drawn in it. While the
    // controls are made, the application wears the form's font instead.
    const QFont applicationFont = QGuiApplication::font();
    QGuiApplication::setFont(Form1->font());
    setupMainControls(Form1);
    setupPicker(Form1);
    setupEnhancedMenu();
    QGuiApplication::setFont(applicationFont);

    stackTopFirst({Frame2,    Command6,  Frame1,    Command4,  Combo2, QDirectory,
                   Command2,  Command1,  File1,     Combo1,    Check2, Check1,
                   Text2,     Text1,     Check3,    Command3,  VerFRM, Label2[2],
                   Label2[1], Label2[0], Label1[1], Label1[0], Picture});
    // Beyond the design: beneath the panels like the controls around it, after "+" in turn.
    findServersButton->stackUnder(Command3);
    chainTabOrder({Check3,   Text1,      Text2,   Check1,   Check2,   Combo1,   File1,   Command1,
                   Command2, QDirectory, Combo2,  Command3, Command4, Drive1,   Dir1,    File2,
                   Command5, Check4,     Option1, Option2,  ADVANCED, Command6, Command7});
    QWidget::setTabOrder(Command3, findServersButton);
}

void Form1Layout::setupMainControls(QWidget* Form1)
{
    VerFRM = placeCaption(Form1, "VerFRM", QStringLiteral("Version"),
                          twipsRect(3600, 4395, 2550, 225), colour::kDarkRed, true);
    VerFRM->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    VerFRM->setAccessibleDescription(QStringLiteral("Shows the About window"));
    Label2[2] = placeCaption(Form1, "Label2(2)", QStringLiteral("Cheats"),
                             twipsRect(3960, 1545, 1470, 255), colour::kGreen);
    Label2[1] = placeCaption(Form1, "Label2(1)", QStringLiteral("Dedicated Server"),
                             twipsRect(3945, 1200, 1830, 255), colour::kGreen);
    Label2[0] = placeCaption(Form1, "Label2(0)", QStringLiteral("Connect to IP:"),
                             twipsRect(4005, 435, 1470, 255), colour::kGreen);
    Label1[1] = placeCaption(Form1, "Label1(1)", QLatin1String(identity::kAuthorHandle),
                             twipsRect(2280, 4410, 855, 255), colour::kCyan, true);
    Label1[1]->setCursor(Qt::WhatsThisCursor);
    Label1[1]->setAccessibleDescription(QStringLiteral("Writes an e-mail to the author"));
    Label1[0] = placeCaption(Form1, "Label1(0)", QStringLiteral("Programmed 5/99 by "),
                             twipsRect(135, 4410, 2175, 255), colour::kGreen);

    Frame2 = placePanel(Form1, "Frame2", 0, 5000, 6240, 4380);
    Command6 = placeButton<NarrowButton>(Form1, "Command6", QStringLiteral("Enh"),
                                         twipsRect(255, 1530, 165, 720));
    Command6->setFont(designFont(DesignFont::Arial));
    Command6->setAccessibleName(QStringLiteral("Enhanced menu"));
    Timer4 = addTimer(Form1, "Timer4");
    Timer3 = addTimer(Form1, "Timer3");
    Timer1 = addTimer(Form1, "Timer1");
    Frame1 = placePanel(Form1, "Frame1", 6500, 0, 6225, 4380);
    Frame1->hide();
    Command4 = placeButton(Form1, "Command4", QStringLiteral("<"), twipsRect(3180, 345, 210, 285));
    Command4->setAccessibleName(QStringLiteral("Choose the game directory"));
    Combo2 = place<SortedComboBox>(Form1, "Combo2", twipsRect(3735, 675, 2040, 315));
    Combo2->setEditText(QStringLiteral("Combo2"));
    Combo2->setEnabled(false);
    Combo2->setAccessibleName(QStringLiteral("Server"));
    QDirectory = place<QLineEdit>(Form1, "QDirectory", twipsRect(240, 330, 2940, 285));
    QDirectory->setText(QStringLiteral("Q3 DIR"));
    QDirectory->setAccessibleName(QStringLiteral("Quake III Arena directory"));
    Command2 = placeButton(Form1, "Command2", QStringLiteral("SAVE SETTINGS"),
                           twipsRect(1680, 2760, 1695, 495));
    Command1 = placeButton(Form1, "Command1", QStringLiteral("START GAME"),
                           twipsRect(120, 2760, 1575, 495));
    File1 = place<FileListBox>(Form1, "File1", twipsRect(3600, 2040, 2415, 1260));
    File1->setPattern(QStringLiteral("*.bsp ; *.map"));
    File1->setAccessibleName(QStringLiteral("Map"));
    Combo1 = place<SortedComboBox>(Form1, "Combo1", twipsRect(720, 2040, 2175, 315));
    Combo1->setEditText(QStringLiteral("Select Skin"));
    Combo1->setAccessibleName(QStringLiteral("Player model"));
    Check2 = placeBoxOnly(Form1, "Check2", twipsRect(3720, 1215, 210, 240), Label2[1]->text());
    Check1 = placeBoxOnly(Form1, "Check1", twipsRect(3720, 1575, 195, 210), Label2[2]->text());
    Text2 = place<QLineEdit>(Form1, "Text2", twipsRect(720, 1320, 2175, 285));
    Text2->setText(QStringLiteral("Name"));
    Text2->setAccessibleName(QStringLiteral("Player name"));
    // The texts the settings file keeps in quotes take none themselves.
    for (QLineEdit* edit : {Text2, Combo1->lineEdit(), Combo2->lineEdit()})
        edit->setValidator(new QuoteFreeValidator(edit));
    Text1 = place<QLineEdit>(Form1, "Text1", twipsRect(120, 3720, 5895, 525));
    Text1->setAccessibleName(QStringLiteral("Command line"));
    Check3 = placeBoxOnly(Form1, "Check3", twipsRect(3735, 465, 195, 225), Label2[0]->text());
    Check3->setToolTip(QStringLiteral("Enter the Server you wan't to join."));
    Command3 = placeButton(Form1, "Command3", QStringLiteral("+"), twipsRect(5790, 705, 225, 270));
    Command3->setEnabled(false);
    Command3->setFont(designFont(DesignFont::System));
    Command3->setAccessibleName(QStringLiteral("Add the server to the list"));
    // Above "+", in its look, right of the caption it would otherwise crowd.
    findServersButton =
        placeButton(Form1, "findServersButton", QString(), twipsRect(5790, 405, 225, 270));
    findServersButton->setIcon(findIcon(findServersButton->palette().color(QPalette::ButtonText)));
    findServersButton->setIconSize(QSize(10, 10));
    findServersButton->setAccessibleName(QStringLiteral("Find servers"));
    findServersButton->setToolTip(QStringLiteral("Find servers (Ctrl+F)"));
}

void Form1Layout::setupPicker(QWidget* Form1)
{
    setColours(Frame1, colour::kBlack, colour::kLightGrey);
    Timer2 = addTimer(Form1, "Timer2");
    Label4 = placeLabel(
        Frame1, "Label4",
        QStringLiteral("Now you must select your Quake 3 Arena Directory. When the corect "
                       "Directory selected the Quake3.exe filenames appears in the top right "
                       "corner menu. Now Only click on the exe and the OK button can be pressed."
                       "              Thats all."),
        twipsRect(3195, 1740, 2880, 1440));
    Label4->setWordWrap(true);
    setDefaultColours(Label4);
    Label3 = placeLabel(Frame1, "Label3", QString(), twipsRect(90, 4050, 6090, 225));
    Label3->setAlignment(Qt::AlignCenter);
    setTransparent(Label3, colour::kGreen);
    Command5 =
        placeButton(Frame1, "Command5", QStringLiteral("OK"), twipsRect(3180, 1245, 2895, 435));
    Command5->setEnabled(false);
    File2 = place<FileListBox>(Frame1, "File2", twipsRect(3165, 60, 2910, 1065));
    File2->setPattern(QStringLiteral("quake3.exe"));
    setFieldColour(File2, colour::kPaleGreen);
    File2->setAccessibleName(QStringLiteral("Game program"));
    Dir1 = place<DirListBox>(Frame1, "Dir1", twipsRect(30, 405, 3075, 2790));
    setFieldColour(Dir1, colour::kPaleGreen);
    Dir1->setAccessibleName(QStringLiteral("Folder"));
    Drive1 = place<DriveListBox>(Frame1, "Drive1", twipsRect(45, 60, 3060, 315));
    setFieldColour(Drive1, colour::kPaleGreen);
    Drive1->setAccessibleName(QStringLiteral("Drive"));
    stackTopFirst({Command5, File2, Dir1, Drive1, Label4, Label3});
}

void Form1Layout::setupEnhancedMenu()
{
    const QPalette system = QApplication::palette();
    setColours(Frame2, QApplication::palette("QMenu").color(QPalette::Window),
               system.color(QPalette::WindowText));
    Label5 = placeLabel(Frame2, "Label5",
                        QStringLiteral("This Dialog is in the Beta Test I can't give any grant. "
                                       "Maybe implemented in the next Version."),
                        twipsRect(2775, 630, 2460, 660));
    Label5->setWordWrap(true);
    setDefaultColours(Label5);
    Command7 = placeButton(Frame2, "Command7", QStringLiteral("EXIT ENHANCED MENU"),
                           twipsRect(2805, 1485, 2445, 270));
    ADVANCED = place<ValueCheckBox>(Frame2, "ADVANCED", twipsRect(1305, 180, 2340, 225));
    ADVANCED->setText(QStringLiteral("Advanced Options on"));
    Frame3 = place<QGroupBox>(Frame2, "Frame3", twipsRect(735, 960, 1050, 780));
    Frame3->setTitle(QStringLiteral("Sound"));
    Option2 = place<QRadioButton>(Frame3, "Option2", twipsRect(90, 465, 810, 240));
    Option2->setText(QStringLiteral("44 Khz"));
    Option1 = place<QRadioButton>(Frame3, "Option1", twipsRect(90, 195, 855, 225));
    Option1->setText(QStringLiteral("22 Khz"));
    Check4 = place<ValueCheckBox>(Frame2, "Check4", twipsRect(720, 675, 1065, 255));
    Check4->setText(QStringLiteral("Fullscreen"));
    Check4->setValue(1);
    stackTopFirst({Command7, ADVANCED, Frame3, Check4, Label5});
    stackTopFirst({Option2, Option1});
}

} // namespace ui
