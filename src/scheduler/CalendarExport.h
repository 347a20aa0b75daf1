#pragma once

#include <QByteArray>
#include <QString>
#include <QTimeZone>
#include <QVariantList>
#include <optional>
#include <vector>

#include "platform/Services.h"

struct AppContext;

// "Export schedules to a calendar file": every appointment goes into an
// iCalendar file (RFC 5545) that other calendar programs import, one event
// each, at the appointment's time on the computer's clock (CalendarWriter
// tells how).
class CalendarExport {
public:
    struct Result {
        int written = 0;
        int unreadable = 0;  // records whose date or time cannot be read
    };

    // `zone`: the zone of the computer's clock.
    CalendarExport(const AppContext& app, const Services& services,
                   const QTimeZone& zone = QTimeZone::systemTimeZone());

    // Asks for the file, writes it and says what was written.
    void run();
    // Writes the calendar of these records to `path`, whole or not at all.
    // False with a reason when it could not.
    bool writeFile(const QString& path, const std::vector<QVariantList>& records, Result* result,
                   QString* error) const;
    // The calendar text of these records (iCalendar, UTF-8, CRLF lines);
    // none, with the reason, when calendar files cannot be written here.
    std::optional<QByteArray> calendarText(const std::vector<QVariantList>& records,
                                           Result* result, QString* error) const;
    // The closing message.
    static QString resultText(const QString& path, const Result& result);

private:
    const AppContext& m_app;
    Services m_services;
    QTimeZone m_zone;
};
