#include "StartWithDesktop.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

#include "AppContext.h"
#include "platform/IAutostart.h"
#include "platform/IClock.h"
#include "platform/IDialogs.h"

StartWithDesktop::StartWithDesktop(const Services& services, const AppContext& app, QObject* parent)
    : QObject(parent), m_services(services), m_app(app) {}

bool StartWithDesktop::isOn() const {
    return m_services.autostart && m_services.autostart->isOn();
}

void StartWithDesktop::set(bool on) {
    QString why = QStringLiteral("this desktop offers no way to start programs with it");
    if (!m_services.autostart || !m_services.autostart->setOn(on, &why)) {
        m_services.dialogs->message(
            (on ? QStringLiteral("Tavenel could not be set to start with the desktop: %1.")
                : QStringLiteral("Tavenel could not be kept from starting with the desktop: %1."))
                .arg(why),
            MessageKind::Failure);
    }
    refresh();
}

void StartWithDesktop::refresh() {
    emit changed(isOn());
}

void StartWithDesktop::offerOnce() {
    if (!isAvailable() || isOn()) return;
    const QString marker = m_app.dataPath(offeredFileName());
    if (QFileInfo::exists(marker)) return;
    // Recorded before asking, so that the question comes once even when the
    // answer cannot be carried out. A folder that cannot be written to asks
    // again next time: nothing is lost by that.
    QFile record(marker);
    if (record.open(QIODevice::WriteOnly)) {
        const QDate today = m_services.clock->now().date();
        record.write("Start with the desktop was offered on " +
                     today.toString(Qt::ISODate).toLatin1() + ".\n");
        record.close();
    }
    if (m_services.dialogs->question(
            QStringLiteral("Reminders come only while Tavenel is running.\r\n\r\n"
                           "Start Tavenel with the desktop from now on? You can change this at "
                           "any time with \"Start with the desktop\" in the clock's settings.")))
        set(true);
}
