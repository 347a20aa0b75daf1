#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QSocketNotifier;

// One program per data folder. The program that starts first in a folder
// takes a lock file there (".tavenel.lock"; a lock left by a program that
// has ended, a crash included, is taken over) and listens for later starts
// on a local socket named after the folder. A later start in the same folder
// finds the lock held, asks the running program to come to the front and
// ends without opening anything in the folder. Programs in different
// folders run side by side.
//
// The socket is a plain local stream socket watched by the event loop: the
// toolkit's network library, with the libraries it brings, would cost every
// start its loading time and memory for one short message.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Claim {
        Claimed,        // this program has the folder
        RunningThere,   // another program has it and was asked to come to the front
        HeldElsewhere,  // another program has it and could not be reached
        Unchecked,      // no lock can be made there (a read-only folder): run unguarded
    };

    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    Claim claim(const QString& folder);
    // What holds the folder, for a message when it could not be reached.
    QString holder() const { return m_holder; }

    // The name of the local socket of a folder, the same for every way of
    // writing its path.
    static QString serverName(const QString& folder);
    // Whether a program listens on the socket of `folder`.
    static bool answers(const QString& folder);
    static constexpr const char* kLockFileName = ".tavenel.lock";

signals:
    // A later start in this folder asks for the window to come to the front.
    void activationRequested();

private:
    bool askRunningToShow(const QString& name);
    void listen(const QString& name);
    void onNewConnection();
    void onReadable(int fd, QSocketNotifier* notifier);

    std::unique_ptr<QLockFile> m_lock;
    int m_listenFd = -1;
    QSocketNotifier* m_listening = nullptr;
    QString m_holder;
};
