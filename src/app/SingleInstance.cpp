#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// How long a later start waits to reach the running program.
constexpr int kReachMs = 3000;
const QByteArray kShow = QByteArrayLiteral("show\n");

// The socket's address lives in the abstract namespace (a name that starts
// with a zero byte): it goes with the process and leaves no file behind.
socklen_t address(const QString& name, sockaddr_un* addr) {
    std::memset(addr, 0, sizeof *addr);
    addr->sun_family = AF_UNIX;
    const QByteArray bytes = name.toUtf8().left(int(sizeof addr->sun_path) - 1);
    std::memcpy(addr->sun_path + 1, bytes.constData(), std::size_t(bytes.size()));
    return socklen_t(offsetof(sockaddr_un, sun_path) + 1 + std::size_t(bytes.size()));
}

// A socket connected to the program listening on `name`, or -1.
int connectTo(const QString& name) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_un addr;
    const socklen_t length = address(name, &addr);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), length) == 0) return fd;
    ::close(fd);
    return -1;
}
}  // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance() {
    if (m_listenFd >= 0) ::close(m_listenFd);
}

QString SingleInstance::serverName(const QString& folder) {
    QString path = QFileInfo(folder).canonicalFilePath();
    if (path.isEmpty()) path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    return QStringLiteral("tavenel-") +
           QString::fromLatin1(QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256)
                                   .toHex()
                                   .left(32));
}

bool SingleInstance::answers(const QString& folder) {
    const int fd = connectTo(serverName(folder));
    if (fd < 0) return false;
    ::close(fd);
    return true;
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
    // Without the socket the program still runs; a later start then cannot
    // bring it to the front.
    listen(name);
    return Claim::Claimed;
}

void SingleInstance::listen(const QString& name) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return;
    sockaddr_un addr;
    const socklen_t length = address(name, &addr);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&addr), length) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return;
    }
    m_listenFd = fd;
    m_listening = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
    connect(m_listening, &QSocketNotifier::activated, this, &SingleInstance::onNewConnection);
}

bool SingleInstance::askRunningToShow(const QString& name) {
    // The running program may have taken the lock an instant ago and not be
    // listening yet.
    for (int waited = 0; waited < kReachMs; waited += 100) {
        const int fd = connectTo(name);
        if (fd >= 0) {
            const ssize_t sent = ::send(fd, kShow.constData(), std::size_t(kShow.size()), MSG_NOSIGNAL);
            ::close(fd);
            return sent == kShow.size();
        }
        QThread::msleep(100);
    }
    return false;
}

void SingleInstance::onNewConnection() {
    for (;;) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) return;  // none left (or the call was refused): wait for the next
        auto* notifier = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this,
                [this, fd, notifier] { onReadable(fd, notifier); });
    }
}

void SingleInstance::onReadable(int fd, QSocketNotifier* notifier) {
    // The message is one short line, sent at once; the connection ends after it.
    char buffer[64];
    const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
    if (got < 0 && (errno == EAGAIN || errno == EINTR)) return;
    if (got > 0 && QByteArray::fromRawData(buffer, int(got)).contains(kShow)) emit activationRequested();
    notifier->setEnabled(false);
    notifier->deleteLater();
    ::close(fd);
}
