#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTimeZone>
#include <vector>

#include "scheduler/CalendarReader.h"

class ModuleLoader;

// What the calendar module does for the planner's import and export: the
// reading and writing of iCalendar files, with libical, which is loaded only
// when a calendar file is first read or written.
struct CalendarFiles {
    // CalendarReader(now, zone).read(text).
    CalendarReader::Result (*read)(const QDateTime& now, const QTimeZone& zone,
                                   const QByteArray& text);
    // CalendarWriter(stamp, zone).text(appointments).
    QByteArray (*write)(const QDateTime& stamp, const QTimeZone& zone,
                        const std::vector<CalendarReader::Entry>& appointments);

    // The module's functions, loaded on the first call; null, with the
    // reason, when the module cannot be loaded.
    static const CalendarFiles* load(ModuleLoader* modules, QString* error);
};

// The calendar module's entry point.
extern "C" const CalendarFiles* tavenel_calendar_files();
