#include "FrmAboutLayout.h"

#include "ClickableLabel.h"
#include "DesignLook.h"
#include "Pictures.h"
#include "Placement.h"
#include "ProgramIdentity.h"

#include <QDialog>
#include <QFrame>

namespace ui {
namespace {

using namespace placement;

// A horizontal line of the window's surface, from x1 to x2 at height y.
QFrame* placeLine(QWidget* parent, const char* name, int x1, int x2, int y, QColor colour,
                  int widthPixels)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setGeometry(pixels(x1), pixels(y), pixels(x2) - pixels(x1), widthPixels);
    setColours(line, colour, colour);
    return line;
}

QLabel* placeText(QWidget* parent, const char* name, const QString& text, QRect twips)
{
    auto* label = placeLabel(parent, name, text, twips);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setDefaultColours(label);
    return label;
}

void setForeground(QLabel* label, QColor colour)
{
    setColours(label, label->palette().color(QPalette::Window), colour);
}

} // namespace

void FrmAboutLayout::setupUi(QDialog* frmAbout)
{
    frmAbout->setObjectName(QStringLiteral("frmAbout"));
    frmAbout->setWindowTitle(QStringLiteral("About Vortline"));
    frmAbout->setWindowIcon(programIcon());
    frmAbout->setFixedSize(pixels(5730), pixels(3675));
    setCloseBoxOnly(frmAbout, Qt::Dialog);
    frmAbout->setFont(designFont(DesignFont::MsSansSerif));

    lblDisclaimer = placeText(frmAbout, "lblDisclaimer",
                              QStringLiteral("Vortline is free to use and comes with no warranty "
                                             "of any kind: you use it at your own risk. Quake 3 "
                                             "Arena and its maps belong to their makers.   "
                                             "Found a bug, or an idea for the next Version? "
                                             "Write me an"),
                              twipsRect(240, 2625, 3870, 1005));
    setForeground(lblDisclaimer, colour::kBlack);
    lblVersion = placeText(frmAbout, "lblVersion", QStringLiteral("Version"),
                           twipsRect(3405, 585, 2175, 315));
    Line1[0] = placeLine(frmAbout, "Line1(0)", 105, 5654, 2460, colour::kWhite, 2);
    lblTitle = placeText(frmAbout, "lblTitle", QStringLiteral("Quake 3 Arena   Vortline"),
                         twipsRect(2490, 120, 3120, 480));
    setForeground(lblTitle, colour::kBlack);
    lblDescription = placeText(
        frmAbout, "lblDescription",
        QStringLiteral("This Application was tested with the Q3A TEST.  Use it to manage your "
                       "Quake3 and to startup easy as possible.                            For new "
                       "Version / Updates visit my WebPage  "),
        twipsRect(2490, 1005, 3135, 1080));
    setForeground(lblDescription, colour::kBlack);
    Line1[1] = placeLine(frmAbout, "Line1(1)", 90, 5654, 2445, colour::kGrey, 1);

    Image1 = place<QLabel>(frmAbout, "Image1", twipsRect(60, 60, 2355, 2235));
    Image1->setPixmap(aboutPicture());
    Image1->setScaledContents(true);
    Image1->setAccessibleName(QLatin1String(identity::kProjectName));

    Label1[1] = placeLabel<ClickableLabel>(frmAbout, "Label1(1)", QStringLiteral("EMAIL"),
                                           twipsRect(795, 3420, 585, 255));
    Label1[1]->setFont(designFont(DesignFont::System, true));
    setTransparent(Label1[1], colour::kDarkBlue);
    Label1[1]->setCursor(Qt::WhatsThisCursor);
    Label1[1]->setAccessibleDescription(QStringLiteral("Writes an e-mail to the author"));
    fitTextToWidth(Label1[1]);

    Label2 =
        placeLabel<ClickableLabel>(frmAbout, "Label2", QLatin1String(identity::kAuthorWebAddress),
                                   twipsRect(3285, 1800, 1665, 270));
    Label2->setFont(designFont(DesignFont::MsSansSerif, true));
    setDefaultColours(Label2);
    setForeground(Label2, colour::kDarkBlue);
    Label2->setCursor(Qt::WhatsThisCursor);
    Label2->setAccessibleDescription(QStringLiteral("Opens the author's web page"));

    // Created first, so the window's focus starts on it.
    cmdOK = placeButton(frmAbout, "cmdOK", QStringLiteral("OK"), twipsRect(4245, 2625, 1260, 345));
    cmdOK->setDefault(true);
    cmdSysInfo = placeButton(frmAbout, "cmdSysInfo", QStringLiteral("&System Info..."),
                             twipsRect(4260, 3075, 1245, 345));

    stackTopFirst({cmdOK, cmdSysInfo, Label2, Label1[1], Image1, Line1[1], lblDescription, lblTitle,
                   Line1[0], lblVersion, lblDisclaimer});
    chainTabOrder({cmdOK, cmdSysInfo});
}

} // namespace ui
