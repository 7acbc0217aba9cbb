#pragma once

#include <QWidget>

// The floor the launcher's window is measured against: a plain QWidget with
// the launcher's widgets, of the same Qt types, sizes and places, and its
// background picture, but none of its behaviour, files, fonts or colours.
class FloorWindow : public QWidget {
public:
    enum class Fonts {
        Application, // the system's, as Qt gives every widget
        Design,      // the launcher's, on the same widgets and no others
    };
    explicit FloorWindow(Fonts fonts = Fonts::Application);
};
