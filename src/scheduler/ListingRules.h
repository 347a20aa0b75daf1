#pragma once

#include <QString>

#include "StoredRecord.h"

// How the overview of all appointments writes its lines and decides which
// appointments a search text finds.
namespace listing {

// The line for the n-th listed record (day, month, year, hour, minute,
// AM/PM, text by position): "1) 8 December, 2026    5 : 7 PM    " followed
// by the excerpt, "...." and a line break. Numbers are written by value.
QString line(int n, const StoredRecord& record, const QString& excerpt);

// Whether a search finds the appointment's text: the first occurrence of
// the search text, found ignoring letter case, decides; it matches when it
// equals the search text once both are trimmed of spaces, with letter case.
// No occurrence counts as an empty one, so a search of spaces alone finds
// every text.
bool found(const QString& text, const QString& search);

// The messages of the two commands.
QString nothingMade();
QString notFound(const QString& search);
QString searchPrompt();
QString searchTitle();

}  // namespace listing
