#include "support/ReminderRig.h"

#include "clock/ReminderList.h"
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "RichTextBox.h"
#include "diary/CalendarLabel.h"
#include "scheduler/Form2.h"

ReminderRig::ReminderRig() : WindowRig(QDateTime(QDate(2026, 12, 8), QTime(17, 6, 58))) {
    folder.touchSoundFiles();
    folder.exec("UPDATE signal SET f6 = 'U'");
    // Without the offer to start with the desktop that a first appointment
    // brings: the reminder tests script no answer to it.
    services.autostart = nullptr;
    app.appFolder = folder.path();
    form = std::make_unique<Form1>(app, services);
}

ReminderRig::~ReminderRig() {
    if (Form2* planner = form->planner()) delete planner;
}

bool ReminderRig::load() {
    const bool ok = form->load();
    form->Timer1->stop();
    return ok;
}

void ReminderRig::tickAt(int hour, int minute, int second) {
    clock.set(QDateTime(QDate(2026, 12, 8), QTime(hour, minute, second)));
    form->tick();
}

void ReminderRig::runUntil(const QDateTime& until) {
    for (; clock.now() <= until; clock.advanceMs(900)) {
        form->tick();
        if (Form2* planner = form->planner(); planner && planner->isLoaded())
            planner->on_Timer1_timeout();
    }
}

void ReminderRig::runUntil(int hour, int minute, int second) {
    runUntil(QDateTime(QDate(2026, 12, 8), QTime(hour, minute, second)));
}

QString ReminderRig::flag() const {
    return folder.query("SELECT f0 FROM signal").value(0);
}

QStringList ReminderRig::texts() const {
    return folder.query("SELECT stext FROM scheduler");
}

QStringList ReminderRig::reminderList() const {
    QStringList entries;
    for (int i = 0; i < form->List2->count(); ++i) entries << form->List2->text(i);
    return entries;
}

void ReminderRig::make(int hour, int minute, const QString& text) {
    Form2* planner = form->planner();
    planner->HScroll1->setValue(hour);
    planner->HScroll2->setValue(minute);
    planner->RichTextBox2->setText(text);
    QTest::mouseClick(planner->Command1, Qt::LeftButton);
}

QColor ReminderRig::colourOfDay(const QString& day) const {
    Form2* planner = form->planner();
    for (int k = 0; k < 42; ++k)
        if (planner->dayCell(k)->text() == day) return planner->dayCell(k)->textColor();
    return QColor();
}
