#pragma once

#include <libical/ical.h>

#include <QString>
#include <QTimeZone>
#include <memory>

// What the calendar file reader and writer share in their use of libical.
namespace ical {

struct ComponentDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
// A component and everything in it, freed with it.
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

// The library reports a malformed line by aborting the process unless told
// otherwise; a calendar file from anywhere must never do that. Call before
// any other use.
void keepErrorsQuiet();

// The zone of the computer's clock as libical knows it (from the system's
// zone data), under its plain name ("Europe/Berlin"); null when it has no
// such name or libical does not know it.
icaltimezone* builtinZone(const QTimeZone& zone);

// A text of libical (UTF-8); empty for null.
inline QString text(const char* utf8) {
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

}  // namespace ical
