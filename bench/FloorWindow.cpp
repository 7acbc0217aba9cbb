#include "FloorWindow.h"

#include "ui/DesignLook.h"
#include "ui/Pictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include <array>

namespace {

enum class Kind {
    Label,
    WrappedLabel,
    Edit,
    EditableCombo,
    Combo,
    CheckBox,
    Radio,
    Button,
    List,
    Tree,
    Frame,
    Group
};

// Where a widget goes: the window, or one of the frames made before it.
enum Parent { Window = -1 };

struct Piece {
    Kind kind;
    int parent; // Window or the index of an earlier Frame or Group piece
    QRect rect;
    const char* text;
    bool hidden = false;
};

// The launcher's window at its pixel positions, top of the stack last.
constexpr std::array kPieces{
    Piece{Kind::Label, Window, {9, 294, 145, 17}, "Programmed 5/99 by "},
    Piece{Kind::Label, Window, {152, 294, 57, 17}, "Fraglet"},
    Piece{Kind::Label, Window, {267, 29, 98, 17}, "Connect to IP:"},
    Piece{Kind::Label, Window, {263, 80, 122, 17}, "Dedicated Server"},
    Piece{Kind::Label, Window, {264, 103, 98, 17}, "Cheats"},
    Piece{Kind::Label, Window, {240, 293, 170, 15}, "Version"},
    Piece{Kind::Button, Window, {386, 47, 15, 18}, "+"},
    Piece{Kind::CheckBox, Window, {249, 31, 13, 15}, ""},
    Piece{Kind::Edit, Window, {8, 248, 393, 35}, ""},
    Piece{Kind::Edit, Window, {48, 88, 145, 19}, "Name"},
    Piece{Kind::CheckBox, Window, {248, 105, 13, 14}, ""},
    Piece{Kind::CheckBox, Window, {248, 81, 14, 16}, ""},
    Piece{Kind::EditableCombo, Window, {48, 136, 145, 21}, "Select Skin"},
    Piece{Kind::List, Window, {240, 136, 161, 84}, ""},
    Piece{Kind::Button, Window, {8, 184, 105, 33}, "START GAME"},
    Piece{Kind::Button, Window, {112, 184, 113, 33}, "SAVE SETTINGS"},
    Piece{Kind::Edit, Window, {16, 22, 196, 19}, "Q3 DIR"},
    Piece{Kind::EditableCombo, Window, {249, 45, 136, 21}, "Combo2"},
    Piece{Kind::Button, Window, {212, 23, 14, 19}, "<"},
    Piece{Kind::Frame, Window, {433, 0, 415, 292}, "", true},
    Piece{Kind::Label, 19, {6, 270, 406, 15}, ""},
    Piece{Kind::WrappedLabel,
          19,
          {213, 116, 192, 96},
          "Now you must select your Quake 3 Arena Directory. When the corect Directory selected "
          "the Quake3.exe filenames appears in the top right corner menu. Now Only click on the "
          "exe and the OK button can be pressed.              Thats all."},
    Piece{Kind::Combo, 19, {3, 4, 204, 21}, ""},
    Piece{Kind::Tree, 19, {2, 27, 205, 186}, ""},
    Piece{Kind::List, 19, {211, 4, 194, 71}, ""},
    Piece{Kind::Button, 19, {212, 83, 193, 29}, "OK"},
    Piece{Kind::Button, Window, {17, 102, 11, 48}, "Enh"},
    Piece{Kind::Frame, Window, {0, 333, 416, 292}, ""},
    Piece{Kind::WrappedLabel,
          27,
          {185, 42, 164, 44},
          "This Dialog is in the Beta Test I can't give any grant. Maybe implemented in the next "
          "Version."},
    Piece{Kind::CheckBox, 27, {48, 45, 71, 17}, "Fullscreen"},
    Piece{Kind::Group, 27, {49, 64, 70, 52}, "Sound"},
    Piece{Kind::Radio, 30, {6, 13, 57, 15}, "22 Khz"},
    Piece{Kind::Radio, 30, {6, 31, 54, 16}, "44 Khz"},
    Piece{Kind::CheckBox, 27, {87, 12, 156, 15}, "Advanced Options on"},
    Piece{Kind::Button, 27, {187, 99, 163, 18}, "EXIT ENHANCED MENU"},
};

// The pieces the launcher gives a font of their own; the others take the
// window's.
struct PieceFont {
    std::size_t piece;
    ui::DesignFont font;
    bool underline = false;
};
constexpr std::array kDesignFonts{
    PieceFont{0, ui::DesignFont::System},  PieceFont{1, ui::DesignFont::System, true},
    PieceFont{2, ui::DesignFont::System},  PieceFont{3, ui::DesignFont::System},
    PieceFont{4, ui::DesignFont::System},  PieceFont{5, ui::DesignFont::System, true},
    PieceFont{6, ui::DesignFont::System},  PieceFont{7, ui::DesignFont::System},
    PieceFont{10, ui::DesignFont::System}, PieceFont{11, ui::DesignFont::System},
    PieceFont{20, ui::DesignFont::System}, PieceFont{26, ui::DesignFont::Arial},
};

QWidget* make(Kind kind, const QString& text, QWidget* parent)
{
    switch (kind) {
    case Kind::Label:
        return new QLabel(text, parent);
    case Kind::WrappedLabel: {
        auto* label = new QLabel(text, parent);
        label->setWordWrap(true);
        return label;
    }
    case Kind::Edit:
        return new QLineEdit(text, parent);
    case Kind::EditableCombo: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setEditText(text);
        return combo;
    }
    case Kind::Combo:
        return new QComboBox(parent);
    case Kind::CheckBox:
        return new QCheckBox(text, parent);
    case Kind::Radio:
        return new QRadioButton(text, parent);
    case Kind::Button:
        return new QPushButton(text, parent);
    case Kind::List:
        return new QListWidget(parent);
    case Kind::Tree:
        return new QTreeWidget(parent);
    case Kind::Frame:
        return new QFrame(parent);
    case Kind::Group:
        return new QGroupBox(text, parent);
    }
    return nullptr;
}

} // namespace

FloorWindow::FloorWindow(Fonts fonts)
{
    if (fonts == Fonts::Design)
        setFont(ui::designFont(ui::DesignFont::MsSansSerif));
    setWindowTitle(QStringLiteral("VORTLINE"));
    // The launcher's window wears its icon, one of its pictures.
    setWindowIcon(ui::programIcon());
    setFixedSize(417, 315);
    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap(QStringLiteral(":/pictures/background.jpg")));
    picture->setGeometry(0, 0, 417, 314);

    std::array<QWidget*, kPieces.size()> made{};
    for (std::size_t i = 0; i < kPieces.size(); ++i) {
        const Piece& piece = kPieces[i];
        QWidget* parent = piece.parent == Window ? this : made.at(std::size_t(piece.parent));
        made[i] = make(piece.kind, QString::fromLatin1(piece.text), parent);
        made[i]->setGeometry(piece.rect);
        if (piece.hidden)
            made[i]->hide();
    }
    if (fonts == Fonts::Design) {
        for (const PieceFont& piece : kDesignFonts)
            made.at(piece.piece)->setFont(ui::designFont(piece.font, piece.underline));
    }
    for (int i = 0; i < 4; ++i)
        (new QTimer(this))->setInterval(50);
    commandLine_ = static_cast<QLineEdit*>(made[8]);
    name_ = static_cast<QLineEdit*>(made[9]);
    model_ = static_cast<QComboBox*>(made[12]);
    maps_ = static_cast<QListWidget*>(made[13]);
    directory_ = static_cast<QLineEdit*>(made[16]);
    servers_ = static_cast<QComboBox*>(made[17]);
}

namespace {

QStringList texts(const std::vector<std::string>& strings)
{
    QStringList list;
    list.reserve(qsizetype(strings.size()));
    for (const std::string& text : strings)
        list.append(QString::fromStdString(text));
    return list;
}

} // namespace

void FloorWindow::showMaps(const std::vector<std::string>& names)
{
    maps_->addItems(texts(names));
}

void FloorWindow::showServers(const std::vector<std::string>& servers)
{
    servers_->addItems(texts(servers));
}

void FloorWindow::showSettings(const std::vector<std::string>& fields)
{
    const QStringList values = texts(fields);
    directory_->setText(values.value(0));
    name_->setText(values.value(1));
    model_->addItems({QStringLiteral("Decay"), QStringLiteral("Ned"), QStringLiteral("Sarge"),
                      QStringLiteral("terrance")});
    model_->setEditText(values.value(2));
    servers_->setEditText(values.value(3));
    commandLine_->setText(
        QStringLiteral("+name %1 +connect %2 +model %3 +map %4")
            .arg(values.value(1), values.value(3), values.value(2), values.value(4)));
}
