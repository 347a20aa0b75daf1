// The calendar module's entry point (see CalendarFiles).
#include "scheduler/CalendarFiles.h"
#include "scheduler/CalendarWriter.h"

extern "C" const CalendarFiles* tavenel_calendar_files() {
    static const CalendarFiles functions{
        [](const QDateTime& now, const QTimeZone& zone, const QByteArray& text) {
            return CalendarReader(now, zone).read(text);
        },
        [](const QDateTime& stamp, const QTimeZone& zone,
           const std::vector<CalendarReader::Entry>& appointments) {
            return CalendarWriter(stamp, zone).text(appointments);
        },
    };
    return &functions;
}
