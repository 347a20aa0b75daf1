#pragma once

#include <QByteArray>
#include <QString>

#include "platform/IAutostart.h"

// Starting with the desktop through the freedesktop.org autostart folder:
// the entry "tavenel.desktop" in the autostart folder of the user's
// configuration folder runs the launcher on the user's data folder. The
// setting is on exactly while that entry exists.
class XdgAutostart final : public IAutostart {
public:
    // `configFolder`: the user's configuration folder (see defaultConfigFolder);
    // `launcher`: the program that starts the planner on a data folder;
    // `dataFolder`: the folder it is started on.
    XdgAutostart(const QString& configFolder, const QString& launcher, const QString& dataFolder);

    // The user's configuration folder as the desktop names it.
    static QString defaultConfigFolder();
    // The launcher installed beside `programFolder`, else the one on the path.
    static QString launcherBeside(const QString& programFolder);

    bool isOn() const override;
    bool setOn(bool on, QString* error) override;

    QString entryPath() const;
    // The entry's contents; empty when a path cannot be written into it.
    QByteArray entryText(QString* error = nullptr) const;
    // One argument of an Exec line: quoted, with the characters the desktop
    // entry format reserves escaped. Empty for a text the format cannot carry
    // (control characters).
    static QString execArgument(const QString& argument);

private:
    QString m_configFolder;
    QString m_launcher;
    QString m_dataFolder;
};
