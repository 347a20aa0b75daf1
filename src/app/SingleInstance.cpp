#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

namespace {
// How long a later start waits to reach the running program.
constexpr int kReachMs = 3000;
const QByteArray kShow = QByteArrayLiteral("show\n");
}  // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString& folder) {
    QString path = QFileInfo(folder).canonicalFilePath();
    if (path.isEmpty()) path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    return QStringLiteral("tavenel-") +
           QString::fromLatin1(QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256)
                                   .toHex()
                                   .left(32));
}

SingleInstance::Claim SingleInstance::claim(const QString& folder) {
    m_lock = std::make_unique<QLockFile>(QDir(folder).filePath(QString::fromLatin1(kLockFileName)));
    // Only a lock whose program has ended is stale, never one by its age:
    // the program holds it for as long as it runs.
    m_lock->setStaleLockTime(0);
    const QString name = serverName(folder);
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() != QLockFile::LockFailedError) return Claim::Unchecked;
        if (askRunningToShow(name)) return Claim::RunningThere;
        qint64 pid = 0;
        QString host, application;
        if (m_lock->getLockInfo(&pid, &host, &application))
            m_holder = QStringLiteral("process %1 on %2").arg(pid).arg(host);
        return Claim::HeldElsewhere;
    }
    // The socket's name lives in the abstract namespace: it goes with the
    // process and leaves no file behind. Without it the program still runs;
    // a later start then cannot bring it to the front.
    m_server.setSocketOptions(QLocalServer::AbstractNamespaceOption);
    m_server.listen(name);
    return Claim::Claimed;
}

bool SingleInstance::askRunningToShow(const QString& name) {
    // The running program may have taken the lock an instant ago and not be
    // listening yet.
    for (int waited = 0; waited < kReachMs; waited += 100) {
        QLocalSocket socket;
        socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
        socket.connectToServer(name);
        if (socket.waitForConnected(100)) {
            socket.write(kShow);
            const bool sent = socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return sent;
        }
        QThread::msleep(100);
    }
    return false;
}

void SingleInstance::onNewConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(kShow)) emit activationRequested();
        });
    }
}
