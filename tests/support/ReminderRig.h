#pragma once

#include <QColor>
#include <QDateTime>
#include <QStringList>
#include <memory>

#include "AppContext.h"
#include "clock/Form1.h"
#include "support/WindowRig.h"

// A clock window on the rig's folder with help off, its tick stopped so the
// test runs each tick itself at a time it chooses (the planner window's tick
// as well, once it is loaded).
struct ReminderRig : WindowRig {
    AppContext app;
    std::unique_ptr<Form1> form;

    ReminderRig();
    ~ReminderRig();
    bool load();
    // One clock tick at this time of 8 December 2026.
    void tickAt(int hour, int minute, int second);
    // Both windows' ticks every 900 ms from the clock's time up to `until`,
    // as the running program has them.
    void runUntil(const QDateTime& until);
    void runUntil(int hour, int minute, int second);
    QString flag() const;
    QStringList texts() const;
    QStringList reminderList() const;
    // Makes an appointment on the selected date through the open panel.
    void make(int hour, int minute, const QString& text);
    QColor colourOfDay(const QString& day) const;
};
