#include "platform/XdgAutostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QString kEntryName = QStringLiteral("tavenel.desktop");

bool hasControlCharacter(const QString& text) {
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control) return true;
    return false;
}

// A value of type string as the desktop entry format stores it: a backslash
// is written twice, and a blank that starts the value is written as \s.
QString escapedValue(QString value) {
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    if (value.startsWith(QLatin1Char(' '))) value.replace(0, 1, QLatin1String("\\s"));
    return value;
}

QString withoutTrailingSeparator(const QString& folder) {
    QString path = QDir::cleanPath(folder);
    return path.isEmpty() ? folder : path;
}

}  // namespace

XdgAutostart::XdgAutostart(const QString& configFolder, const QString& launcher,
                           const QString& dataFolder)
    : m_configFolder(configFolder),
      m_launcher(launcher),
      m_dataFolder(withoutTrailingSeparator(dataFolder)) {}

QString XdgAutostart::defaultConfigFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString XdgAutostart::launcherBeside(const QString& programFolder) {
    const QFileInfo beside(QDir(programFolder).filePath(QStringLiteral("tavenel-launch")));
    return beside.isExecutable() ? beside.absoluteFilePath() : QStringLiteral("tavenel-launch");
}

QString XdgAutostart::entryPath() const {
    return QDir(m_configFolder).filePath(QStringLiteral("autostart/") + kEntryName);
}

bool XdgAutostart::isOn() const {
    return QFileInfo::exists(entryPath());
}

QString XdgAutostart::execArgument(const QString& argument) {
    if (hasControlCharacter(argument)) return QString();
    QString quoted;
    quoted.reserve(argument.size() + 8);
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    // Quoted as one argument, then stored as a string value, in which a
    // percent sign would start a field code.
    return escapedValue(QLatin1Char('"') + quoted + QLatin1Char('"'))
        .replace(QLatin1Char('%'), QLatin1String("%%"));
}

QByteArray XdgAutostart::entryText(QString* error) const {
    const QString launcher = execArgument(m_launcher);
    const QString folder = execArgument(m_dataFolder);
    if (launcher.isEmpty() || folder.isEmpty()) {
        if (error)
            *error = QStringLiteral(
                         "the name of the data folder %1 holds characters that a "
                         "desktop entry cannot carry")
                         .arg(m_dataFolder);
        return QByteArray();
    }
    QString text = QStringLiteral(
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Tavenel\n"
        "Comment=Clock and planner, started with the desktop so that its reminders come\n");
    text += QStringLiteral("Exec=") + launcher + QLatin1Char(' ') + folder + QLatin1Char('\n');
    // A desktop that cannot find the launcher any more (the program was
    // removed) leaves the entry alone instead of failing at every login.
    if (QFileInfo(m_launcher).isAbsolute())
        text += QStringLiteral("TryExec=") + escapedValue(m_launcher) + QLatin1Char('\n');
    text += QStringLiteral("Icon=tavenel\nTerminal=false\n");
    return text.toUtf8();
}

bool XdgAutostart::setOn(bool on, QString* error) {
    const QString path = entryPath();
    if (!on) {
        QFile entry(path);
        if (!entry.exists() || entry.remove()) return true;
        if (error)
            *error = QStringLiteral("%1 could not be removed: %2").arg(path, entry.errorString());
        return false;
    }
    QString why;
    const QByteArray text = entryText(&why);
    if (text.isEmpty()) {
        if (error) *error = why;
        return false;
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error) *error = QStringLiteral("the folder %1 could not be made").arg(folder);
        return false;
    }
    // Written whole or not at all: a half-written entry would start nothing.
    QSaveFile entry(path);
    if (!entry.open(QIODevice::WriteOnly) || entry.write(text) != text.size() || !entry.commit()) {
        if (error)
            *error = QStringLiteral("%1 could not be written: %2").arg(path, entry.errorString());
        return false;
    }
    return true;
}
