#pragma once

#include <QComboBox>
#include <QList>

namespace ui {

// A drive list. On Windows it lists the drive letters as Windows shows them
// ("c: [LABEL]"); elsewhere the roots of the mounted volumes, "/" first.
class DriveListBox : public QComboBox {
    Q_OBJECT

public:
    struct Drive {
        QString text;      // as the list shows it
        QString directory; // where a directory list goes when the drive is chosen
    };

    explicit DriveListBox(QWidget* parent = nullptr);

    // The system's drives, for setDrives(). The list starts empty: reading
    // the mounted volumes is left for when somebody looks.
    static QList<Drive> systemDrives();
    // Replaces the list; nothing is chosen until setDriveOf().
    void setDrives(const QList<Drive>& drives);

    // The chosen drive's text, and the folder it stands for: on Windows that
    // drive's current directory, elsewhere its root.
    QString drive() const;
    QString driveDirectory() const;

    // Chooses the drive that holds `path` (the one with the longest root that
    // contains it) without raising driveChanged().
    void setDriveOf(const QString& path);

signals:
    // The user chose another drive.
    void driveChanged();

private:
    // The drive chosen last, by the user or by setDriveOf(): QComboBox
    // reports the index only after it has already become the current one.
    int chosen_ = -1;
};

} // namespace ui
