#!/usr/bin/python3
# Reads a calendar file with python3-icalendar, another program than the one
# that wrote it, and prints each event on one line, tab-separated: its UID,
# its start in UTC, its length in minutes, its alarm (action and offset from
# the start in minutes) and its summary with line breaks written as \n.
import sys
from datetime import timezone

from icalendar import Calendar

with open(sys.argv[1], 'rb') as f:
    calendar = Calendar.from_ical(f.read())
for event in calendar.walk('VEVENT'):
    start = event.decoded('dtstart')
    end = event.decoded('dtend')
    alarms = event.walk('VALARM')
    alarm = '-'
    if alarms:
        trigger = alarms[0].decoded('trigger')
        alarm = '%s %d' % (alarms[0]['action'], trigger.total_seconds() // 60)
    summary = str(event.get('summary', '')).replace('\n', '\\n')
    print('\t'.join([str(event['uid']), start.astimezone(timezone.utc).strftime('%Y-%m-%d %H:%M'),
                     str(int((end - start).total_seconds() // 60)), alarm, summary]))
