#include "ProgramIdentity.h"
#include "ui/ClickableLabel.h"
#include "ui/DesignLook.h"
#include "ui/DirListBox.h"
#include "ui/DriveListBox.h"
#include "ui/FileListBox.h"
#include "ui/Form1Layout.h"
#include "ui/FrmAboutLayout.h"
#include "ui/NarrowButton.h"
#include "ui/Panel.h"
#include "ui/Pictures.h"
#include "ui/SortedComboBox.h"
#include "ui/Twips.h"
#include "ui/ValueCheckBox.h"

#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

// Both windows as their layouts build them, before any behaviour runs.
struct Windows {
    Windows()
    {
        main.setupUi(&form1);
        about.setupUi(&frmAbout);
    }
    QWidget form1;
    ui::Form1Layout main;
    QDialog frmAbout;
    ui::FrmAboutLayout about;
};

QWidget* find(QWidget& window, const QString& name)
{
    auto* found = window.findChild<QWidget*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

QString shownText(const QWidget* widget)
{
    if (auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentText();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    return QString();
}

bool within(const QWidget* widget, const QWidget* container)
{
    return widget == container || (widget && container->isAncestorOf(widget));
}

QPoint centreOnWindow(QWidget* widget)
{
    return widget->mapTo(widget->window(), widget->rect().center());
}

using Rect = QList<int>;

} // namespace

class TestWindowLayouts : public QObject {
    Q_OBJECT

private slots:
    void controlsAsDesigned_data();
    void controlsAsDesigned();
    void designStartState();
    void tabOrder();
    void coloursFontsAndPointers_data();
    void coloursFontsAndPointers();
    void everyCaptionFitsItsControl();
    void screenReaderNames();
    void stackingWithEachPanelOpen();
    void panelsKeepTheirTwips();
    void narrowButtonStacksItsCaption();
    void picturesAtBothScales();
};

void TestWindowLayouts::controlsAsDesigned_data()
{
    QTest::addColumn<bool>("aboutWindow");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Rect>("twips");
    QTest::addColumn<QString>("text");

    const auto rowsOf = [](bool aboutWindow) {
        return [aboutWindow](const char* name, Rect twips, const QString& text = QString()) {
            const QString tag = QLatin1String(aboutWindow ? "about " : "") + QLatin1String(name);
            QTest::newRow(qPrintable(tag))
                << aboutWindow << QString::fromLatin1(name) << twips << text;
        };
    };
    const auto main = rowsOf(false);
    main("Frame2", {0, 5000, 6240, 4380});
    main("Command6", {255, 1530, 165, 720}, "Enh");
    main("Frame1", {6500, 0, 6225, 4380});
    main("Command4", {3180, 345, 210, 285}, "<");
    main("Combo2", {3735, 675, 2040, 315}, "Combo2");
    main("QDirectory", {240, 330, 2940, 285}, "Q3 DIR");
    main("Command2", {1680, 2760, 1695, 495}, "SAVE SETTINGS");
    main("Command1", {120, 2760, 1575, 495}, "START GAME");
    main("File1", {3600, 2040, 2415, 1260});
    main("Combo1", {720, 2040, 2175, 315}, "Select Skin");
    main("Check2", {3720, 1215, 210, 240});
    main("Check1", {3720, 1575, 195, 210});
    main("Text2", {720, 1320, 2175, 285}, "Name");
    main("Text1", {120, 3720, 5895, 525});
    main("Check3", {3735, 465, 195, 225});
    main("Command3", {5790, 705, 225, 270}, "+");
    main("VerFRM", {3600, 4395, 2550, 225}, "Version");
    main("Label2(2)", {3960, 1545, 1470, 255}, "Cheats");
    main("Label2(1)", {3945, 1200, 1830, 255}, "Dedicated Server");
    main("Label2(0)", {4005, 435, 1470, 255}, "Connect to IP:");
    main("Label1(1)", {2280, 4410, 855, 255}, identity::kAuthorHandle);
    main("Label1(0)", {135, 4410, 2175, 255}, "Programmed 5/99 by ");
    main("Command5", {3180, 1245, 2895, 435}, "OK");
    main("File2", {3165, 60, 2910, 1065});
    main("Dir1", {30, 405, 3075, 2790});
    main("Drive1", {45, 60, 3060, 315});
    main("Label4", {3195, 1740, 2880, 1440},
         "Now you must select your Quake 3 Arena Directory. When the corect Directory selected "
         "the Quake3.exe filenames appears in the top right corner menu. Now Only click on the "
         "exe and the OK button can be pressed.              Thats all.");
    main("Label3", {90, 4050, 6090, 225});
    main("Command7", {2805, 1485, 2445, 270}, "EXIT ENHANCED MENU");
    main("ADVANCED", {1305, 180, 2340, 225}, "Advanced Options on");
    main("Frame3", {735, 960, 1050, 780}, "Sound");
    main("Check4", {720, 675, 1065, 255}, "Fullscreen");
    main("Label5", {2775, 630, 2460, 660},
         "This Dialog is in the Beta Test I can't give any grant. Maybe implemented in the next "
         "Version.");
    main("Option2", {90, 465, 810, 240}, "44 Khz");
    main("Option1", {90, 195, 855, 225}, "22 Khz");

    const auto about = rowsOf(true);
    about("cmdOK", {4245, 2625, 1260, 345}, "OK");
    about("cmdSysInfo", {4260, 3075, 1245, 345}, "&System Info...");
    about("Label2", {3285, 1800, 1665, 270}, identity::kAuthorWebAddress);
    about("Label1(1)", {795, 3420, 585, 255}, "EMAIL");
    about("Image1", {60, 60, 2355, 2235});
    about("lblDescription", {2490, 1005, 3135, 1080},
          "This Application was tested with the Q3A TEST.  Use it to manage your Quake3 and to "
          "startup easy as possible.                            For new Version / Updates visit "
          "my WebPage  ");
    about("lblTitle", {2490, 120, 3120, 480}, "Quake 3 Arena   Vortline");
    about("lblVersion", {3405, 585, 2175, 315}, "Version");
}

void TestWindowLayouts::controlsAsDesigned()
{
    QFETCH(bool, aboutWindow);
    QFETCH(QString, name);
    QFETCH(Rect, twips);
    QFETCH(QString, text);
    Windows windows;
    QWidget* control =
        find(aboutWindow ? static_cast<QWidget&>(windows.frmAbout) : windows.form1, name);
    QCOMPARE(control->geometry(), ui::twipsRect(twips[0], twips[1], twips[2], twips[3]));
    QCOMPARE(shownText(control), text);
}

void TestWindowLayouts::designStartState()
{
    const QFont applicationFont = QGuiApplication::font();
    Windows windows;
    const ui::Form1Layout& c = windows.main;
    // Message boxes and tooltips keep the system's font.
    QCOMPARE(QGuiApplication::font(), applicationFont);
    QVERIFY(windows.form1.font() != applicationFont);
    QCOMPARE(windows.form1.windowTitle(), QStringLiteral("VORTLINE"));
    QCOMPARE(windows.form1.size(), QSize(417, 315));
    QCOMPARE(windows.frmAbout.windowTitle(), QStringLiteral("About Vortline"));
    QCOMPARE(windows.frmAbout.size(), QSize(382, 245));
    for (const QWidget* window : {&windows.form1, static_cast<QWidget*>(&windows.frmAbout)}) {
        QVERIFY(!window->windowIcon().isNull());
        QVERIFY(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!window->windowFlags().testAnyFlags(Qt::WindowMinMaxButtonsHint));
    }

    QVERIFY(c.Frame1->isHidden());
    QVERIFY(!c.Frame2->isHidden());
    for (QWidget* disabled : QWidgetList{c.Command5, c.Command3, c.Combo2})
        QVERIFY(!disabled->isEnabled());
    for (auto* box : {c.Check1, c.Check2, c.Check3, c.ADVANCED})
        QCOMPARE(box->value(), 0);
    QCOMPARE(c.Check4->value(), 1);
    QVERIFY(!c.Option1->isChecked() && !c.Option2->isChecked());
    QCOMPARE(c.Combo1->count() + c.Combo2->count(), 0);
    for (const QTimer* timer : windows.form1.findChildren<QTimer*>())
        QVERIFY2(!timer->isActive() && timer->interval() == 50, qPrintable(timer->objectName()));
    QCOMPARE(windows.form1.findChildren<QTimer*>().size(), 4);
    QCOMPARE(c.Check3->toolTip(), QStringLiteral("Enter the Server you wan't to join."));
    for (const QWidget* list : QWidgetList{c.File2, c.Dir1, c.Drive1})
        QCOMPARE(list->palette().color(QPalette::Base), ui::colour::kPaleGreen);

    const ui::FrmAboutLayout& a = windows.about;
    QVERIFY(a.cmdOK->isDefault());
    QVERIFY(a.Image1->hasScaledContents());
    QCOMPARE(a.Line1[1]->geometry(), QRect(6, 163, 371, 1));
    QCOMPARE(a.Line1[0]->geometry(), QRect(7, 164, 370, 2));
    QVERIFY(a.lblDisclaimer->text().endsWith(QLatin1String("Write me an")));
}

void TestWindowLayouts::tabOrder()
{
    Windows windows;
    const auto focusOrder = [](QWidget& window, const QStringList& names) {
        QStringList seen;
        for (QWidget* w = window.nextInFocusChain(); w != &window; w = w->nextInFocusChain()) {
            if (names.contains(w->objectName()) && !seen.contains(w->objectName()))
                seen.append(w->objectName());
        }
        return seen;
    };
    const QStringList mainOrder{"Check3",   "Text1",    "Text2",    "Check1",   "Check2",
                                "Combo1",   "File1",    "Command1", "Command2", "QDirectory",
                                "Combo2",   "Command3", "Command4", "Drive1",   "Dir1",
                                "File2",    "Command5", "Check4",   "Option1",  "Option2",
                                "ADVANCED", "Command6", "Command7"};
    QCOMPARE(focusOrder(windows.form1, mainOrder), mainOrder);
    const QStringList aboutOrder{"cmdOK", "cmdSysInfo"};
    QCOMPARE(focusOrder(windows.frmAbout, aboutOrder), aboutOrder);
}

void TestWindowLayouts::coloursFontsAndPointers_data()
{
    using ui::DesignFont;
    namespace colour = ui::colour;
    QTest::addColumn<bool>("aboutWindow");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("fore");
    QTest::addColumn<QColor>("back"); // invalid: transparent
    QTest::addColumn<int>("font");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<bool>("helpPointer");

    const QPalette system = QApplication::palette();
    const QColor face = system.color(QPalette::Button);
    const QColor faceText = system.color(QPalette::ButtonText);
    const int systemFont = int(DesignFont::System);
    const int sansSerif = int(DesignFont::MsSansSerif);
    const auto row = [](bool about, const char* name, QColor fore, QColor back, int font,
                        bool underline = false, bool help = false) {
        QTest::newRow(qPrintable(QLatin1String(about ? "about " : "") + QLatin1String(name)))
            << about << QString::fromLatin1(name) << fore << back << font << underline << help;
    };
    for (const char* box : {"Check1", "Check2", "Check3"})
        row(false, box, colour::kGreen, colour::kBlack, systemFont);
    for (const char* label : {"Label2(0)", "Label2(1)", "Label2(2)", "Label1(0)"})
        row(false, label, colour::kGreen, QColor(), systemFont);
    row(false, "Label3", colour::kGreen, QColor(), sansSerif);
    row(false, "Label1(1)", colour::kCyan, QColor(), systemFont, true, true);
    row(false, "VerFRM", colour::kDarkRed, QColor(), systemFont, true);
    row(false, "Form1", colour::kBlack, colour::kBlack, sansSerif);
    row(false, "Frame1", colour::kLightGrey, colour::kBlack, sansSerif);
    row(false, "Frame2", system.color(QPalette::WindowText),
        QApplication::palette("QMenu").color(QPalette::Window), sansSerif);
    row(false, "Label4", faceText, face, sansSerif);
    row(false, "Label5", faceText, face, sansSerif);
    row(false, "Command3", faceText, QColor(), systemFont);
    row(false, "Command6", faceText, QColor(), int(DesignFont::Arial));
    row(true, "Label2", colour::kDarkBlue, face, sansSerif, true, true);
    row(true, "Label1(1)", colour::kDarkBlue, QColor(), systemFont, true, true);
    for (const char* label : {"lblDescription", "lblTitle", "lblDisclaimer"})
        row(true, label, colour::kBlack, face, sansSerif);
    row(true, "lblVersion", faceText, face, sansSerif);
}

void TestWindowLayouts::coloursFontsAndPointers()
{
    QFETCH(bool, aboutWindow);
    QFETCH(QString, name);
    QFETCH(QColor, fore);
    QFETCH(QColor, back);
    QFETCH(int, font);
    QFETCH(bool, underline);
    QFETCH(bool, helpPointer);
    Windows windows;
    QWidget& window = aboutWindow ? static_cast<QWidget&>(windows.frmAbout) : windows.form1;
    QWidget* control = name == window.objectName() ? &window : find(window, name);

    const QPalette::ColorRole foreRole =
        qobject_cast<QPushButton*>(control) ? QPalette::ButtonText : QPalette::WindowText;
    QCOMPARE(control->palette().color(QPalette::Active, foreRole), fore);
    QCOMPARE(control->autoFillBackground(), back.isValid());
    if (back.isValid())
        QCOMPARE(control->palette().color(QPalette::Active, QPalette::Window), back);
    const QFont expected = ui::designFont(ui::DesignFont(font), underline);
    QCOMPARE(control->font().families(), expected.families());
    QCOMPARE(control->font().pointSizeF(), expected.pointSizeF());
    QCOMPARE(control->font().bold(), expected.bold());
    QCOMPARE(control->font().underline(), underline);
    // Drawn unkerned, letter by letter, as Windows drew them.
    QVERIFY(control->font().styleStrategy() & QFont::PreferNoShaping);
    QVERIFY(!control->font().kerning());
    QCOMPARE(control->cursor().shape(), helpPointer ? Qt::WhatsThisCursor : Qt::ArrowCursor);
}

void TestWindowLayouts::everyCaptionFitsItsControl()
{
    Windows windows;
    for (QWidget* window : {&windows.form1, static_cast<QWidget*>(&windows.frmAbout)}) {
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (label->wordWrap() || label->text().isEmpty())
                continue;
            const QFontMetricsF metrics(label->font());
            QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width() &&
                         metrics.height() <= label->height(),
                     qPrintable(label->objectName()));
        }
        for (const QPushButton* button : window->findChildren<QPushButton*>()) {
            const QString caption = QString(button->text()).remove(QLatin1Char('&'));
            if (qobject_cast<const ui::NarrowButton*>(button))
                continue;
            QVERIFY2(QFontMetricsF(button->font()).horizontalAdvance(caption) < button->width() - 4,
                     qPrintable(button->objectName()));
        }
    }
}

void TestWindowLayouts::screenReaderNames()
{
    Windows windows;
    const ui::Form1Layout& c = windows.main;
    QCOMPARE(c.Check3->accessibleName(), QStringLiteral("Connect to IP:"));
    QCOMPARE(c.Check2->accessibleName(), QStringLiteral("Dedicated Server"));
    QCOMPARE(c.Check1->accessibleName(), QStringLiteral("Cheats"));
    // Every control that takes focus has a name of its own or a caption.
    for (const QWidget* control : windows.form1.findChildren<QWidget*>()) {
        // Parts of Qt's own widgets carry no design name.
        if (control->objectName().isEmpty() || control->focusPolicy() == Qt::NoFocus)
            continue;
        QVERIFY2(!control->accessibleName().isEmpty() || !shownText(control).isEmpty() ||
                     qobject_cast<const QComboBox*>(control),
                 qPrintable(control->objectName() + QLatin1Char(' ') +
                            control->metaObject()->className()));
    }
}

void TestWindowLayouts::stackingWithEachPanelOpen()
{
    Windows windows;
    QWidget& form1 = windows.form1;
    const ui::Form1Layout& c = windows.main;
    const QWidgetList bottomStrip{c.VerFRM, c.Label1[0], c.Label1[1]};
    QWidgetList others{c.Command4, c.Combo2,    c.QDirectory, c.Command2, c.Command1, c.File1,
                       c.Combo1,   c.Check2,    c.Check1,     c.Text2,    c.Text1,    c.Check3,
                       c.Command3, c.Label2[0], c.Label2[1],  c.Label2[2]};

    // The picture lets clicks through to the window; the handle lies over
    // the end of the credit line's first part.
    QCOMPARE(form1.childAt(212, 100), nullptr);
    QCOMPARE(form1.childAt(153, 300), c.Label1[1]);

    c.Frame1->show();
    c.Frame1->setLeft(0);
    for (QWidget* covered : others)
        QVERIFY2(within(form1.childAt(centreOnWindow(covered)), c.Frame1),
                 qPrintable(covered->objectName()));
    for (QWidget* above : QWidgetList{c.VerFRM, c.Label1[0], c.Label1[1], c.Command6})
        QCOMPARE(form1.childAt(centreOnWindow(above)), above);

    c.Frame2->setTop(0);
    others << c.Command6 << c.File2 << c.Command5;
    for (QWidget* covered : others)
        QVERIFY2(within(form1.childAt(centreOnWindow(covered)), c.Frame2),
                 qPrintable(covered->objectName()));
    for (QWidget* uncovered : bottomStrip)
        QCOMPARE(form1.childAt(centreOnWindow(uncovered)), uncovered);

    // On the About window the labels lie beneath the buttons, the handle's
    // link over the disclaimer, the web address over the description.
    QCOMPARE(windows.frmAbout.childAt(centreOnWindow(windows.about.Label1[1])),
             windows.about.Label1[1]);
    QCOMPARE(windows.frmAbout.childAt(centreOnWindow(windows.about.Label2)), windows.about.Label2);
}

void TestWindowLayouts::panelsKeepTheirTwips()
{
    ui::Panel panel;
    panel.setTwipsGeometry(6500, 5000, 6225, 4380);
    QCOMPARE(panel.geometry(), QRect(433, 333, 415, 292));
    QCOMPARE(panel.left(), 6500.0f);
    // Steps of 500 twips end exactly on 0 and sit at the nearest pixel on
    // the way: 6000 is 400 px, 5500 is 366.67 px.
    for (int step = 1; step <= 13; ++step) {
        panel.setLeft(panel.left() - 500.0f);
        QCOMPARE(panel.x(), qRound((6500.0 - 500.0 * step) / 15.0));
    }
    QCOMPARE(panel.left(), 0.0f);
    panel.setTop(-7.5f);
    QCOMPARE(panel.top(), -7.5f);
    QCOMPARE(panel.y(), -1);
}

void TestWindowLayouts::narrowButtonStacksItsCaption()
{
    Windows windows;
    ui::NarrowButton* enh = windows.main.Command6;
    const auto render = [enh](const QString& caption) {
        enh->setText(caption);
        QImage image(enh->size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        enh->render(&image);
        return image;
    };
    const QImage bare = render(QString());
    const QImage captioned = render(QStringLiteral("Enh"));
    int top = enh->height(), bottom = -1;
    for (int y = 0; y < bare.height(); ++y) {
        for (int x = 0; x < bare.width(); ++x) {
            if (bare.pixel(x, y) != captioned.pixel(x, y)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    // Three letters one under another, not one letter in a single line.
    QVERIFY2(bottom - top > 2 * enh->fontMetrics().height(),
             qPrintable(QStringLiteral("ink rows %1..%2").arg(top).arg(bottom)));
}

void TestWindowLayouts::picturesAtBothScales()
{
    const QPixmap normal = ui::backgroundPicture(1.0);
    QCOMPARE(normal.size(), QSize(417, 314));
    const QPixmap doubled = ui::backgroundPicture(2.0);
    QCOMPARE(doubled.size(), QSize(834, 628));
    QCOMPARE(doubled.deviceIndependentSize(), QSizeF(417, 314));
    QCOMPARE(ui::aboutPicture().size(), QSize(512, 512));

    QFile icon(QStringLiteral(":/pictures/vortline.ico"));
    QVERIFY(icon.open(QIODevice::ReadOnly));
    QCOMPARE(icon.size(), 318);
    QCOMPARE(QImage(icon.fileName()).size(), QSize(16, 16));
    const QList<QSize> iconSizes = ui::programIcon().availableSizes();
    QVERIFY(iconSizes.contains(QSize(16, 16)) && iconSizes.contains(QSize(32, 32)));
}

QTEST_MAIN(TestWindowLayouts)
#include "tst_WindowLayouts.moc"
