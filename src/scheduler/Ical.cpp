#include "scheduler/Ical.h"

namespace ical {

void keepErrorsQuiet() {
    icalerror_set_errors_are_fatal(0);
}

icaltimezone* builtinZone(const QTimeZone& zone) {
    const QByteArray id = zone.id();
    if (id.isEmpty() || !id.contains('/')) return nullptr;
    return icaltimezone_get_builtin_timezone(id.constData());
}

}  // namespace ical
