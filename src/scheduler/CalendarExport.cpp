#include "scheduler/CalendarExport.h"

#include <QDir>
#include <QSaveFile>

#include "AppContext.h"
#include "platform/IClock.h"
#include "platform/IDialogs.h"
#include "scheduler/AppointmentBook.h"
#include "scheduler/AppointmentSlot.h"
#include "scheduler/CalendarFiles.h"

CalendarExport::CalendarExport(const AppContext& app, const Services& services,
                               const QTimeZone& zone)
    : m_app(app), m_services(services), m_zone(zone) {}

std::optional<QByteArray> CalendarExport::calendarText(const std::vector<QVariantList>& records,
                                                       Result* result, QString* error) const {
    const CalendarFiles* calendarFiles = CalendarFiles::load(m_services.modules, error);
    if (!calendarFiles) return std::nullopt;
    Result counts;
    std::vector<CalendarReader::Entry> appointments;
    appointments.reserve(records.size());
    for (const QVariantList& record : records) {
        if (const auto start = AppointmentSlot::startOf(record))
            appointments.push_back({*start, record.value(Appointment::Text).toString()});
        else
            ++counts.unreadable;
    }
    counts.written = int(appointments.size());
    if (result) *result = counts;
    return calendarFiles->write(m_services.clock->now(), m_zone, appointments);
}

bool CalendarExport::writeFile(const QString& path, const std::vector<QVariantList>& records,
                               Result* result, QString* error) const {
    const std::optional<QByteArray> text = calendarText(records, result, error);
    if (!text) return false;
    // Whole or not at all: a file cut short by a full disk would lose
    // appointments without a word.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*text) != text->size() || !file.commit()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

QString CalendarExport::resultText(const QString& path, const Result& result) {
    QString text = (result.written == 1 ? QStringLiteral("1 appointment was written to %2.")
                                        : QStringLiteral("%1 appointments were written to %2."))
                       .arg(result.written)
                       .arg(QDir::toNativeSeparators(path));
    if (result.unreadable > 0)
        text +=
            QStringLiteral("\r\n\r\n") +
            (result.unreadable == 1
                 ? QStringLiteral("1 appointment was left out: its date or time cannot be read.")
                 : QStringLiteral("%1 appointments were left out: their date or time cannot "
                                  "be read.")
                       .arg(result.unreadable));
    return text;
}

void CalendarExport::run() {
    IDialogs& dialogs = *m_services.dialogs;
    const std::vector<QVariantList> records = AppointmentBook(m_app).readAll();
    if (records.empty()) {
        dialogs.message(QStringLiteral("No schedules have been made"));
        return;
    }
    const auto path = dialogs.saveFile(QDir::home().filePath(QStringLiteral("schedules.ics")),
                                       QStringLiteral("Calendar files (*.ics);;All files (*)"),
                                       QStringLiteral("Export schedules to a calendar file"));
    if (!path) return;
    Result result;
    QString why;
    if (!writeFile(*path, records, &result, &why)) {
        dialogs.message(QStringLiteral("The calendar file %1 could not be written: %2. Nothing was "
                                       "exported.")
                            .arg(QDir::toNativeSeparators(*path), why),
                        MessageKind::Failure);
        return;
    }
    dialogs.message(resultText(*path, result));
}
