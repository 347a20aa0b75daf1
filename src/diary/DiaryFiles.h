#pragma once

#include <QString>

// The rules of the diary's files: one rich-text file per date, named from the
// planner window's day, month and year selectors, and the lines that the
// listing and the search of all entries are made of.
namespace diaryfiles {

// The diary file name of a date: the trimmed day, "-", the trimmed month,
// "-", the trimmed year, ".rtf". The texts are used literally ("07" and "7"
// name different files).
QString fileName(const QString& day, const QString& month, const QString& year);

// The selector texts can be typed freely, so a day, month or year could hold
// a path separator or ".." and name a file outside the data folder, or a
// control character that no one can see. Empty when the name is safe to use;
// otherwise the message that refuses it.
QString unsafeNameMessage(const QString& day, const QString& month, const QString& year);

// Whether a file of the data folder counts as a diary entry: its name ends in
// "rtf" or "RTF" (exactly these two spellings), and splitting it at "-" gives
// at least three pieces of which the first three are not empty. Help pages
// such as intro.rtf fail the test; any a-b-c.rtf passes it.
bool isDiaryFileName(const QString& name);

// How many characters of an entry's text its listing line shows.
inline constexpr int kPreviewLength = 20;

// A listing line: the running number with a blank before it, ") ", the file
// name, four blanks, the preview (the start of the entry's text, at most
// twenty characters), "...." and a line break.
QString listingLine(qint64 n, const QString& fileName, const QString& previewText);

// Where `answer` first occurs in `text` from `from` on, letter case ignored,
// exactly as QString::indexOf() with Qt::CaseInsensitive finds it; -1 when it
// does not (see CaseBlindFinder, which serves a search of many texts).
qsizetype indexIgnoringCase(const QString& text, const QString& answer, qsizetype from = 0);

// The search rule: the first place where `answer` occurs in `text`, ignoring
// letter case, decides; the entry matches when the text found there, trimmed,
// equals the answer, trimmed, exactly (letter case included). So "Paris"
// finds "in Paris", but not "paris ... Paris", where the first match is
// written in lower case.
bool searchMatches(const QString& text, const QString& answer);

// What the listing says when there is nothing to list.
QString noEntriesMessage();
// What the search says when no entry holds the answer (the answer untrimmed).
QString notFoundMessage(const QString& answer);

}  // namespace diaryfiles
