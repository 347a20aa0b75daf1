#include "clock/TimedatedTimeSetter.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusVariant>

namespace {

const char* const kService = "org.freedesktop.timedate1";
const char* const kPath = "/org/freedesktop/timedate1";
const char* const kInterface = "org.freedesktop.timedate1";

bool fail(QString* whyNot, const QString& text) {
    if (whyNot) *whyNot = text;
    return false;
}

// Why a call to the service failed, in the user's words.
QString explain(const QDBusMessage& reply) {
    const QString name = reply.errorName();
    if (name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
        name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner") ||
        name == QLatin1String("org.freedesktop.DBus.Error.UnknownObject") ||
        name == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod") ||
        name == QLatin1String("org.freedesktop.systemd1.NoSuchUnit")) {
        return QStringLiteral(
            "The system's date and time service (systemd-timedated) is not available "
            "on this computer.");
    }
    if (name == QLatin1String("org.freedesktop.DBus.Error.AccessDenied") ||
        name == QLatin1String("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired") ||
        name == QLatin1String("org.freedesktop.PolicyKit1.Error.NotAuthorized") ||
        name == QLatin1String("org.freedesktop.PolicyKit1.Error.Cancelled")) {
        return QStringLiteral(
            "You do not have the right to change the computer's clock, or the "
            "request was not authorised.");
    }
    if (name == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
        name == QLatin1String("org.freedesktop.DBus.Error.Timeout")) {
        return QStringLiteral("The system's date and time service did not answer in time.");
    }
    if (name == QLatin1String("org.freedesktop.timedate1.AutomaticTimeSyncEnabled")) {
        return QStringLiteral(
            "Automatic time synchronisation is on, so the computer takes its time "
            "from the network. Turn it off in the system's date and time settings "
            "first.");
    }
    const QString detail = reply.errorMessage().isEmpty() ? name : reply.errorMessage();
    return QStringLiteral("The system's date and time service refused: %1").arg(detail);
}

}  // namespace

TimedatedTimeSetter::TimedatedTimeSetter(BusOpener openBus, int timeoutMs)
    : m_openBus(std::move(openBus)), m_timeoutMs(timeoutMs) {}

TimedatedTimeSetter::TimedatedTimeSetter(const QDBusConnection& bus, int timeoutMs)
    : m_bus(bus), m_timeoutMs(timeoutMs) {}

QDBusConnection& TimedatedTimeSetter::bus() {
    if (!m_bus) m_bus = m_openBus();
    return *m_bus;
}

bool TimedatedTimeSetter::setClock(const QDateTime& when, QString* whyNot) {
    QDBusConnection& connection = bus();
    if (!connection.isConnected()) {
        return fail(whyNot,
                    QStringLiteral("The system message bus cannot be reached, so the system's "
                                   "date and time service cannot be asked to set the clock."));
    }
    if (!when.isValid())
        return fail(whyNot, QStringLiteral("The time to set is not a valid time."));

    // Is the clock kept by the network?
    QDBusMessage get = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QString::fromLatin1(kInterface) << QStringLiteral("NTP");
    const QDBusMessage ntp = connection.call(get, QDBus::Block, m_timeoutMs);
    if (ntp.type() == QDBusMessage::ErrorMessage) return fail(whyNot, explain(ntp));
    const QVariant ntpValue = ntp.arguments().value(0);
    const QVariant ntpOn =
        ntpValue.canConvert<QDBusVariant>() ? ntpValue.value<QDBusVariant>().variant() : ntpValue;
    if (ntpOn.typeId() != QMetaType::Bool) {
        return fail(whyNot, QStringLiteral("The system's date and time service did not say whether "
                                           "automatic time synchronisation is on."));
    }
    if (ntpOn.toBool()) {
        return fail(whyNot,
                    QStringLiteral("Automatic time synchronisation is on, so the computer takes "
                                   "its time from the network. Turn it off in the system's date "
                                   "and time settings first."));
    }

    QDBusMessage set =
        QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                       QString::fromLatin1(kInterface), QStringLiteral("SetTime"));
    const qlonglong usecUtc = qlonglong(when.toMSecsSinceEpoch()) * 1000;
    set << usecUtc << false << true;  // absolute time; the user may be asked to authorise
    set.setInteractiveAuthorizationAllowed(true);
    const QDBusMessage reply = connection.call(set, QDBus::Block, m_timeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) return fail(whyNot, explain(reply));
    return true;
}
