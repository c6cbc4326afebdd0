#pragma once

#include <QComboBox>

namespace browser {

// Drop-down list of the file-system roots (drive letters on Windows, "/" on
// Linux). The current root is the drive the folder list starts from.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    // The current root in native separators, as it is stored in the settings.
    QString drive() const;
    // Selects the root `drive` names (any separator, case ignored on Windows),
    // or the root that holds `drive` when it names a folder. False, and the
    // list unchanged, when there is no such root.
    bool setDrive(const QString& drive);

    // Re-reads the roots, keeping the current one when it still exists.
    void refresh();

    // The root that holds an existing `path`, native separators; empty when none.
    static QString rootOf(const QString& path);

signals:
    void driveChanged(const QString& drive);

private:
    void onIndexChanged(int index);
};

} // namespace browser
