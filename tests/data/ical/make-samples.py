#!/usr/bin/python3
# Writes the calendar files the import tests read, with python3-icalendar
# (Debian's package), so that the files come from another program than the
# one that reads them. Run it from this folder: ./make-samples.py
from datetime import date, datetime, timedelta

import pytz
from icalendar import Calendar, Event, Timezone, TimezoneDaylight, TimezoneStandard

STAMP = datetime(2026, 11, 1, 12, 0, 0, tzinfo=pytz.utc)


def calendar(product):
    cal = Calendar()
    cal.add('prodid', product)
    cal.add('version', '2.0')
    return cal


def event(uid, summary, start, **more):
    ev = Event()
    ev.add('uid', uid)
    ev.add('dtstamp', STAMP)
    if summary is not None:
        ev.add('summary', summary)
    if start is not None:
        ev.add('dtstart', start)
        if isinstance(start, datetime):
            ev.add('dtend', start + timedelta(hours=1))
    for key, value in more.items():
        ev.add(key.replace('_', '-'), value)
    return ev


def write(name, cal):
    with open(name, 'wb') as f:
        f.write(cal.to_ical())


def windows_zone():
    # A zone named as one desktop suite names them, defined in the file itself.
    tz = Timezone()
    tz.add('tzid', 'W. Europe Standard Time')
    std = TimezoneStandard()
    std.add('dtstart', datetime(1601, 1, 1, 3, 0, 0))
    std.add('rrule', {'freq': 'yearly', 'byday': '-1su', 'bymonth': 10})
    std.add('tzoffsetfrom', timedelta(hours=2))
    std.add('tzoffsetto', timedelta(hours=1))
    day = TimezoneDaylight()
    day.add('dtstart', datetime(1601, 1, 1, 2, 0, 0))
    day.add('rrule', {'freq': 'yearly', 'byday': '-1su', 'bymonth': 3})
    day.add('tzoffsetfrom', timedelta(hours=1))
    day.add('tzoffsetto', timedelta(hours=2))
    tz.add_component(std)
    tz.add_component(day)
    return tz


def zones():
    cal = calendar('-//Sample Writer//Zones//EN')
    cal.add_component(windows_zone())
    ny = pytz.timezone('America/New_York')
    cal.add_component(event('zone-ny@sample', 'New York call',
                            ny.localize(datetime(2026, 12, 9, 9, 0))))
    cal.add_component(event('zone-ny-summer@sample', 'New York in summer',
                            ny.localize(datetime(2027, 7, 1, 9, 0))))
    cal.add_component(event('zone-utc@sample', 'Written in UTC',
                            datetime(2026, 12, 9, 9, 0, tzinfo=pytz.utc)))
    cal.add_component(event('zone-floating@sample', 'Floating time',
                            datetime(2026, 12, 9, 9, 30)))
    cal.add_component(event('zone-kolkata@sample', 'Half-hour zone',
                            pytz.timezone('Asia/Kolkata').localize(datetime(2026, 12, 9, 20, 30))))
    cal.add_component(event('zone-sydney@sample', 'Sydney breakfast, the evening before here',
                            pytz.timezone('Australia/Sydney').localize(datetime(2026, 12, 11, 8, 0))))
    windows = event('zone-windows@sample', 'Zone defined in the file', None)
    windows.add('dtstart', datetime(2026, 12, 9, 11, 15), parameters={'TZID': 'W. Europe Standard Time'})
    cal.add_component(windows)
    # Not added: an all-day event, a past one, a cancelled one, one without a start.
    cal.add_component(event('allday@sample', 'Birthday', date(2026, 12, 20)))
    cal.add_component(event('past@sample', 'Last week', datetime(2026, 12, 1, 9, 0, tzinfo=pytz.utc)))
    cal.add_component(event('cancelled@sample', 'Called off',
                            datetime(2026, 12, 10, 9, 0, tzinfo=pytz.utc), status='CANCELLED'))
    cal.add_component(event('nostart@sample', 'No start', None))
    unknown = event('zone-unknown@sample', 'Zone nobody defined', None)
    unknown.add('dtstart', datetime(2026, 12, 9, 13, 0), parameters={'TZID': 'Nowhere Standard Time'})
    cal.add_component(unknown)
    write('zones.ics', cal)


def recurring():
    cal = calendar('-//Sample Writer//Recurring//EN')
    berlin = pytz.timezone('Europe/Berlin')
    # Every Monday at 9 from 30 November 2026; 14 December is left out and
    # 21 December moved to 10:30.
    weekly = event('weekly@sample', 'Team meeting', berlin.localize(datetime(2026, 11, 30, 9, 0)),
                   rrule={'freq': 'weekly', 'count': 6})
    weekly.add('exdate', berlin.localize(datetime(2026, 12, 14, 9, 0)))
    cal.add_component(weekly)
    moved = event('weekly@sample', 'Team meeting (moved)', berlin.localize(datetime(2026, 12, 21, 10, 30)))
    moved.add('recurrence-id', berlin.localize(datetime(2026, 12, 21, 9, 0)))
    cal.add_component(moved)
    # Every day at 7:15 PM without end: limited.
    cal.add_component(event('daily@sample', 'Evening walk', berlin.localize(datetime(2025, 1, 1, 19, 15)),
                            rrule={'freq': 'daily'}))
    # Monthly on the 1st at noon until March, plus one extra date.
    monthly = event('monthly@sample', 'Rent', berlin.localize(datetime(2026, 10, 1, 12, 0)),
                    rrule={'freq': 'monthly', 'until': datetime(2027, 3, 1, 23, 0, tzinfo=pytz.utc)})
    monthly.add('rdate', berlin.localize(datetime(2026, 12, 24, 12, 0)))
    cal.add_component(monthly)
    write('recurring.ics', cal)


def broken():
    cal = calendar('-//Sample Writer//Broken//EN')
    cal.add_component(event('b1@sample', 'First', datetime(2026, 12, 9, 9, 0, tzinfo=pytz.utc)))
    cal.add_component(event('b2@sample', 'Second', datetime(2026, 12, 9, 10, 0, tzinfo=pytz.utc)))
    text = cal.to_ical()
    # Cut off in the middle of the second event, as a failed download leaves it.
    with open('truncated.ics', 'wb') as f:
        f.write(text[: text.index(b'SUMMARY:Second')])


zones()
recurring()
broken()
