#include "scheduler/CalendarFiles.h"

#include "platform/ModuleLoader.h"

const CalendarFiles* CalendarFiles::load(ModuleLoader* modules, QString* error) {
    QString why = QStringLiteral("no folder of modules is known");
    const auto entry = modules ? modules->entry<decltype(tavenel_calendar_files)>(
                                     QStringLiteral("tavenel-calendar"), "tavenel_calendar_files", &why)
                               : nullptr;
    if (!entry) {
        if (error) *error = QStringLiteral("calendar files cannot be read or written here: ") + why;
        return nullptr;
    }
    return entry();
}
