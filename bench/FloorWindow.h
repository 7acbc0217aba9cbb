#pragma once

#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;

// The floor the launcher's window is measured against: a plain QWidget with
// the launcher's widgets, of the same Qt types, sizes and places, and its
// background picture and icon, but none of its behaviour or colours.
class FloorWindow : public QWidget {
public:
    enum class Fonts {
        Application, // the system's, as Qt gives every widget
        Design,      // the launcher's, on the same widgets and no others
    };
    explicit FloorWindow(Fonts fonts = Fonts::Application);

    // What the launcher shows of its files, shown the plain way: the maps in
    // the list, the servers in their box, the settings in their boxes and a
    // command line made of them.
    void showMaps(const std::vector<std::string>& names);
    void showServers(const std::vector<std::string>& servers);
    void showSettings(const std::vector<std::string>& fields);

private:
    QLineEdit* commandLine_ = nullptr;
    QLineEdit* name_ = nullptr;
    QComboBox* model_ = nullptr;
    QListWidget* maps_ = nullptr;
    QLineEdit* directory_ = nullptr;
    QComboBox* servers_ = nullptr;
};
