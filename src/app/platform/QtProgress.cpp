#include "platform/QtProgress.h"

#include <QProgressDialog>

#include "platform/IDialogs.h"

QtProgress::QtProgress(QWidget* parent) : m_parent(parent) {}

QtProgress::~QtProgress() = default;

void QtProgress::start(const QString& label, int total) {
    m_dialog = std::make_unique<QProgressDialog>(label, QString(), 0, total, m_parent);
    m_dialog->setWindowTitle(QString::fromLatin1(kMessageTitle));
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setCancelButton(nullptr);
    m_dialog->setMinimumDuration(500);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
}

void QtProgress::advance(int done) {
    if (m_dialog) m_dialog->setValue(done);
}

void QtProgress::finish() { m_dialog.reset(); }
