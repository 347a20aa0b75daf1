#pragma once

#include <QString>
#include <QStringList>

// The data folder: the working directory at start-up. Every data file of the
// program (database, sounds, help pages, diary) lives directly in it.
namespace datafolder {

// The working directory followed by the path separator.
QString appFolder();

// The sound files whose absence start-up reports: intro1.mp3 .. intro12.mp3,
// alarm.mp3 and bell.mp3, in that order.
QStringList checkedSoundFiles();

// The start-up list of absent files: for each one a line break, its full path
// and another line break. Empty when all are there.
QString missingFilesList(const QString& appFolder);

// Fills `folder` for a first run: creates the folder, a fresh scheduler.mdb
// from the schema, and copies the sounds and help pages of `shippedData` that the folder lacks. Never replaces a file that exists. Returns
// false with a reason when something could not be made; `created` lists what
// was added.
bool prepare(const QString& folder, const QString& shippedData, QStringList* created,
             QString* error);

}  // namespace datafolder
