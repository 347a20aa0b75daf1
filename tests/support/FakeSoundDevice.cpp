#include "support/FakeSoundDevice.h"

#include <QFileInfo>

bool FakeSoundDevice::command(const QString& word) {
    log << word;
    return word != m_failing;
}

bool FakeSoundDevice::close() {
    if (!command(QStringLiteral("Close"))) return false;
    playing.clear();
    openFile.clear();
    return true;
}

bool FakeSoundDevice::setFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    log << QStringLiteral("File ") + name;
    if (m_failing == QLatin1String("File")) return false;
    lastPath = path;
    m_named = name;
    return true;
}

bool FakeSoundDevice::open() {
    if (!command(QStringLiteral("Open"))) return false;
    if (!m_failingFile.isEmpty() && m_named == m_failingFile) return false;
    playing.clear();
    openFile = m_named;
    return !openFile.isEmpty();
}

bool FakeSoundDevice::rewind() {
    return command(QStringLiteral("Prev")) && !openFile.isEmpty();
}

bool FakeSoundDevice::play() {
    if (!command(QStringLiteral("Play")) || openFile.isEmpty()) return false;
    playing = openFile;
    played << openFile;
    return true;
}

bool FakeSoundDevice::stop() {
    if (!command(QStringLiteral("Stop"))) return false;
    playing.clear();
    return true;
}

void FakeSoundDevice::finishSound(int how) {
    playing.clear();
    if (m_handler) m_handler(how);
}
