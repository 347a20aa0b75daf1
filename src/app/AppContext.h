#pragma once

#include <QString>
#include <memory>

#include "Database.h"

// The program-wide values that start-up sets and both windows share: the
// data folder, the open planner database and its record sets, and whether
// today holds an appointment.
struct AppContext {
    QString appFolder;
    std::shared_ptr<Database> plannerDb;
    std::unique_ptr<RecordSet> scheduleRecords;
    std::unique_ptr<RecordSet> clockiniRecords;
    std::unique_ptr<RecordSet> signalRecords;
    bool appToday = false;

    QString dataPath(const QString& fileName) const { return appFolder + fileName; }
    // A fresh record set on `signal`, as the handlers that hand flags over open one.
    std::unique_ptr<RecordSet> openSignal() const {
        return plannerDb ? plannerDb->openRecordSet(QStringLiteral("signal")) : nullptr;
    }
};
