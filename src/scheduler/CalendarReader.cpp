#include "scheduler/CalendarReader.h"

#include <QSet>
#include <algorithm>

#include "scheduler/Ical.h"

namespace {

// The longest a recurrence rule is followed, in steps, before it is given up
// as one that never reaches the coming year (a rule every second since 1970).
constexpr int kStepLimit = 200000;

// A calendar file's first line, after a byte-order mark and blank lines.
bool startsAsCalendar(const QByteArray& text) {
    QByteArrayView rest(text);
    if (rest.startsWith("\xEF\xBB\xBF")) rest = rest.sliced(3);
    rest = rest.trimmed();
    static const char begin[] = "BEGIN:VCALENDAR";
    constexpr qsizetype length = sizeof begin - 1;
    return rest.size() >= length && qstrnicmp(rest.data(), begin, length) == 0;
}

bool endsAsCalendar(const QByteArray& text) {
    return text.toUpper().contains("END:VCALENDAR");
}

QString lineBreaksAsStored(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

// The appointment's text: the event's summary, then its description.
QString textOf(icalcomponent* event) {
    const QString summary = ical::text(icalcomponent_get_summary(event));
    const QString description = ical::text(icalcomponent_get_description(event));
    if (description.trimmed().isEmpty() || description.trimmed() == summary.trimmed())
        return lineBreaksAsStored(summary);
    if (summary.trimmed().isEmpty()) return lineBreaksAsStored(description);
    return lineBreaksAsStored(summary + QLatin1Char('\n') + description);
}

// The zone a time of property `p` of `event` is in: UTC, one defined in the
// calendar, one known by name, or null for a floating time (and for a name
// nobody defined: see hasUnknownZone).
const icaltimezone* zoneOf(icalproperty* p, icalcomponent* event, const icaltimetype& t) {
    if (icaltime_is_utc(t)) return icaltimezone_get_utc_timezone();
    icalparameter* tzid = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER);
    if (!tzid) return nullptr;
    const char* id = icalparameter_get_tzid(tzid);
    if (!id) return nullptr;
    icalcomponent* calendar = icalcomponent_get_parent(event);
    if (icaltimezone* defined = calendar ? icalcomponent_get_timezone(calendar, id) : nullptr)
        return defined;
    if (icaltimezone* known = icaltimezone_get_builtin_timezone(id)) return known;
    return icaltimezone_get_builtin_timezone_from_tzid(id);
}

// Every property of a kind, collected first: a component has one cursor over
// its properties, which reading any one property (its UID, say) moves.
std::vector<icalproperty*> properties(icalcomponent* event, icalproperty_kind kind) {
    std::vector<icalproperty*> found;
    for (icalproperty* p = icalcomponent_get_first_property(event, kind); p;
         p = icalcomponent_get_next_property(event, kind))
        found.push_back(p);
    return found;
}

bool hasUnknownZone(icalproperty* p, const icaltimetype& t, const icaltimezone* zone) {
    return !zone && !icaltime_is_utc(t) && icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER);
}

// One event's reading, with what the whole calendar tells about it.
class EventReader {
public:
    EventReader(const QDateTime& after, const QDateTime& until, const QTimeZone& zone,
                const QSet<QString>& moved)
        : m_after(after), m_until(until), m_zone(zone), m_moved(moved) {}

    // The time on the computer's clock, to the minute; invalid for a time
    // that does not exist.
    QDateTime local(const icaltimetype& t, const icaltimezone* zone) const {
        if (!zone) {
            const QDate date(t.year, t.month, t.day);
            const QTime time(t.hour, t.minute);
            return date.isValid() && time.isValid() ? QDateTime(date, time) : QDateTime();
        }
        const QDateTime there =
            QDateTime::fromSecsSinceEpoch(qint64(icaltime_as_timet_with_zone(t, zone)), m_zone);
        return QDateTime(there.date(), QTime(there.time().hour(), there.time().minute()));
    }

    // The key of an occurrence that another event of the calendar replaces.
    static QString seriesOf(icalcomponent* event) {
        return ical::text(icalcomponent_get_uid(event)) + QLatin1Char('|');
    }
    static QString movedKey(const QString& series, const QDateTime& start) {
        return series + start.toString(Qt::ISODate);
    }

    void read(icalcomponent* event, CalendarReader::Result& result) const {
        if (icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED)
            return skip(result, CalendarReader::Skip::Cancelled);
        icalproperty* startProperty =
            icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
        if (!startProperty) return skip(result, CalendarReader::Skip::NoStart);
        const icaltimetype start = icalproperty_get_dtstart(startProperty);
        if (icaltime_is_null_time(start) || !icaltime_is_valid_time(start))
            return skip(result, CalendarReader::Skip::NoStart);
        if (start.is_date) return skip(result, CalendarReader::Skip::AllDay);
        const icaltimezone* zone = zoneOf(startProperty, event, start);
        if (hasUnknownZone(startProperty, start, zone))
            return skip(result, CalendarReader::Skip::UnknownZone);
        const QDateTime first = local(start, zone);
        if (!first.isValid()) return skip(result, CalendarReader::Skip::NoStart);

        const QString text = textOf(event);
        const bool recurs = !icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY) &&
                            (icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY) ||
                             icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY));
        if (!recurs) {
            if (first <= m_after) return skip(result, CalendarReader::Skip::Past);
            if (first.date().year() > CalendarReader::kLastYear)
                return skip(result, CalendarReader::Skip::AfterLastYear);
            result.entries.push_back({first, text});
            return;
        }
        readOccurrences(event, start, zone, first, text, result);
    }

private:
    static void skip(CalendarReader::Result& result, CalendarReader::Skip why) {
        ++result.skipped[why];
    }

    // Whether an occurrence counts: in the coming year, not excluded, not moved.
    bool wanted(const QDateTime& at, const QString& series, const QSet<QDateTime>& excluded,
                const QSet<QDate>& excludedDays) const {
        return at > m_after && at <= m_until && at.date().year() <= CalendarReader::kLastYear &&
               !excluded.contains(at) && !excludedDays.contains(at.date()) &&
               !m_moved.contains(movedKey(series, at));
    }

    void readOccurrences(icalcomponent* event, const icaltimetype& start, const icaltimezone* zone,
                         const QDateTime& first, const QString& text,
                         CalendarReader::Result& result) const {
        const QString series = seriesOf(event);
        QSet<QDateTime> excluded;
        QSet<QDate> excludedDays;
        for (icalproperty* p : properties(event, ICAL_EXDATE_PROPERTY)) {
            const icaltimetype t = icalproperty_get_exdate(p);
            if (t.is_date)
                excludedDays.insert(QDate(t.year, t.month, t.day));
            else
                excluded.insert(local(t, zoneOf(p, event, t)));
        }

        // Each source gives its occurrences in order; the first limit + 1 of
        // each are enough to find the first limit + 1 of all.
        std::vector<QDateTime> found;
        bool beyondYear = false;
        const auto take = [&](const QDateTime& at) {
            if (wanted(at, series, excluded, excludedDays)) found.push_back(at);
        };
        take(first);
        for (icalproperty* p : properties(event, ICAL_RRULE_PROPERTY)) {
            const icalrecurrencetype rule = icalproperty_get_rrule(p);
            icalrecur_iterator* steps = icalrecur_iterator_new(rule, start);
            if (!steps) continue;
            // A rule without a count can start near now rather than at its
            // first occurrence, which may lie decades back.
            if (rule.count == 0) {
                const QDateTime from = m_after.addDays(-2);
                icaltimetype near = start;
                if (zone) {
                    near = icaltime_from_timet_with_zone(time_t(from.toSecsSinceEpoch()), 0,
                                                         const_cast<icaltimezone*>(zone));
                } else {
                    near.year = from.date().year();
                    near.month = from.date().month();
                    near.day = from.date().day();
                }
                if (icaltime_compare(near, start) > 0) icalrecur_iterator_set_start(steps, near);
            }
            int kept = 0;
            for (int n = 0; n < kStepLimit && kept <= CalendarReader::kOccurrenceLimit; ++n) {
                icaltimetype next = icalrecur_iterator_next(steps);
                if (icaltime_is_null_time(next)) break;
                next.zone = zone;
                const QDateTime at = local(next, zone);
                if (!at.isValid()) continue;
                if (at > m_until) {
                    beyondYear = true;
                    break;
                }
                const std::size_t before = found.size();
                take(at);
                if (found.size() > before) ++kept;
            }
            icalrecur_iterator_free(steps);
        }
        for (icalproperty* p : properties(event, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype value = icalproperty_get_rdate(p);
            const icaltimetype t =
                icaltime_is_null_time(value.time) ? value.period.start : value.time;
            if (icaltime_is_null_time(t) || t.is_date) continue;
            const QDateTime at = local(t, zoneOf(p, event, t));
            if (at.isValid()) {
                beyondYear = beyondYear || at > m_until;
                take(at);
            }
        }

        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());
        if (found.empty())
            return skip(result, beyondYear ? CalendarReader::Skip::NoneWithinYear
                                           : CalendarReader::Skip::Past);
        if (int(found.size()) > CalendarReader::kOccurrenceLimit) {
            found.resize(CalendarReader::kOccurrenceLimit);
            ++result.limited;
        }
        for (const QDateTime& at : found) result.entries.push_back({at, text});
    }

    QDateTime m_after;
    QDateTime m_until;
    QTimeZone m_zone;
    const QSet<QString>& m_moved;
};

}  // namespace

CalendarReader::CalendarReader(const QDateTime& now, const QTimeZone& zone)
    : m_after(now.date(), QTime(now.time().hour(), now.time().minute())),
      m_until(now.addYears(1)),
      m_zone(zone) {}

CalendarReader::Result CalendarReader::read(const QByteArray& text) const {
    Result result;
    if (text.contains('\0') || !startsAsCalendar(text)) {
        result.error = QStringLiteral(
            "it is not an iCalendar file: it does not begin with "
            "BEGIN:VCALENDAR");
        return result;
    }
    if (!endsAsCalendar(text)) {
        result.error = QStringLiteral(
            "the calendar file is damaged: it ends before its calendar "
            "does, as a file cut short");
        return result;
    }
    ical::keepErrorsQuiet();
    ical::Component root(icalparser_parse_string(text.constData()));
    if (!root) {
        result.error = QStringLiteral("the calendar file is damaged: it cannot be read");
        return result;
    }
    std::vector<icalcomponent*> calendars;
    if (icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT) {
        calendars.push_back(root.get());
    } else {
        for (icalcomponent* c =
                 icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT);
             c; c = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT))
            calendars.push_back(c);
    }
    if (calendars.empty()) {
        result.error = QStringLiteral("the calendar file is damaged: it holds no calendar");
        return result;
    }

    for (icalcomponent* calendar : calendars) {
        std::vector<icalcomponent*> events;
        for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
             e; e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
            events.push_back(e);
        // Occurrences that events of their own replace, by series and start.
        QSet<QString> moved;
        EventReader reader(m_after, m_until, m_zone, moved);
        for (icalcomponent* e : events) {
            icalproperty* p = icalcomponent_get_first_property(e, ICAL_RECURRENCEID_PROPERTY);
            if (!p) continue;
            const icaltimetype t = icalproperty_get_recurrenceid(p);
            if (!icaltime_is_null_time(t))
                moved.insert(EventReader::movedKey(EventReader::seriesOf(e),
                                                   reader.local(t, zoneOf(p, e, t))));
        }
        for (icalcomponent* e : events) {
            ++result.events;
            reader.read(e, result);
        }
    }
    return result;
}
