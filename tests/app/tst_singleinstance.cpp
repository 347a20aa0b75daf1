// One program per data folder, with the real program started more than once:
// a second start in the same folder ends without opening the database and
// leaves the first running; a lock left by a killed program is taken over;
// another folder runs side by side.
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "DataFolder.h"
#include "SingleInstance.h"

namespace {

const QString kProgram = QStringLiteral(TAVENEL_BINARY_DIR "/src/tavenel");

// The program started in a data folder of its own, without screen or sound.
std::unique_ptr<QProcess> start(const QString& folder) {
    auto process = std::make_unique<QProcess>();
    process->setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    process->setProcessEnvironment(env);
    process->start(kProgram, {});
    return process;
}

// True once the program in `folder` answers on its socket.
bool answers(const QString& folder) { return SingleInstance::answers(folder); }

QByteArray fingerprint(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256) +
           QFileInfo(path).lastModified().toString(Qt::ISODateWithMs).toUtf8();
}

void stop(QProcess& process) {
    process.kill();
    process.waitForFinished(5000);
}

}  // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!QFileInfo::exists(kProgram)) QSKIP("the program has not been built");
        QVERIFY(m_a.isValid() && m_b.isValid());
        for (const QTemporaryDir* dir : {&m_a, &m_b}) {
            QString error;
            QVERIFY2(datafolder::prepare(dir->path(), QStringLiteral(TAVENEL_SOURCE_DIR "/data"),
                                         nullptr, &error),
                     qPrintable(error));
        }
    }

    void oneProgramPerFolder() {
        const QString a = m_a.path();
        auto first = start(a);
        QVERIFY(first->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(answers(a), 20000);
        const QString database = m_a.filePath(QStringLiteral("scheduler.mdb"));
        const QByteArray before = fingerprint(database);

        // The second start in the folder (named another way) ends at once,
        // leaving the database and the first program alone.
        auto second = start(a + QStringLiteral("/."));
        QVERIFY(second->waitForFinished(15000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(fingerprint(database), before);
        QCOMPARE(first->state(), QProcess::Running);

        // Another folder runs beside it.
        auto other = start(m_b.path());
        QTRY_VERIFY_WITH_TIMEOUT(answers(m_b.path()), 20000);
        QCOMPARE(other->state(), QProcess::Running);
        stop(*other);

        // Killed, the first leaves its lock file behind; the next start takes it over.
        stop(*first);
        QVERIFY(
            QFileInfo::exists(m_a.filePath(QString::fromLatin1(SingleInstance::kLockFileName))));
        QVERIFY(!answers(a));
        auto next = start(a);
        QTRY_VERIFY_WITH_TIMEOUT(answers(a), 20000);
        QCOMPARE(next->state(), QProcess::Running);
        stop(*next);
    }

private:
    QTemporaryDir m_a;
    QTemporaryDir m_b;
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
