#pragma once

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "clock/Form1.h"
#include "support/WindowRig.h"

// A clock window after its load step, on the rig's folder (help on, all
// sound files present). The clock tick is stopped: the test runs the alarm
// and chime steps itself.
struct ClockRig : WindowRig {
    std::unique_ptr<AppContext> context;
    std::unique_ptr<Form1> form;

    // `savedChimeMode`: column 3 of the settings record; a null text leaves
    // the table empty. `withDevice` false: the program has no sound device.
    explicit ClockRig(const QString& savedChimeMode = QStringLiteral("None"),
                      bool withDevice = true)
        : WindowRig(QDateTime(QDate(2026, 12, 8), QTime(8, 30, 0))) {
        folder.touchSoundFiles();
        if (!savedChimeMode.isNull())
            folder.exec(QStringLiteral("INSERT INTO clockini VALUES (600, 600, 'normal', '%1')")
                            .arg(savedChimeMode));
        context = folder.openContext();
        if (!withDevice) services.sound = nullptr;
        form = std::make_unique<Form1>(*context, services);
        form->load();
        form->Timer1->stop();
        sound.clearLog();
    }

    void at(int hour24, int minute, int second) {
        clock.set(QDateTime(QDate(2026, 12, 8), QTime(hour24, minute, second)));
    }
    texts::TimeParts now() const { return texts::timeParts(clock.now().time()); }

    // The alarm and chime steps of one clock tick, then the clock moves on.
    void tick(int ms = 900) {
        form->alarmStep(now());
        form->chimeStep(now());
        clock.advanceMs(ms);
    }
    void ticks(int count) {
        for (int i = 0; i < count; ++i) tick();
    }

    // The alarm time as the pickers leave it in the labels, then armed.
    void setAlarm(int hour, int minute, const QString& ampm) {
        form->Label2->setText(QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0')));
        form->Label3->setText(QStringLiteral("%1").arg(minute, 2, 10, QLatin1Char('0')));
        form->Label5->setText(ampm);
    }
    void arm() { form->Check1->setChecked(true); }
    // The postpone timer's tick, as the 60-second timer delivers it.
    void postponeTick() {
        QMetaObject::invokeMethod(form->Timer3, "timeout", Qt::DirectConnection);
    }

    // What the user picks from the next chime menu: "ba", "mab" or "" (closes it).
    void chooseBell(const QString& choice) {
        menus.choose(choice == QLatin1String("ba")    ? form->ba->text()
                     : choice == QLatin1String("mab") ? form->mab->text()
                                                      : QString());
    }
    // How many menus were shown; each must have been the chime's.
    int menusShown() const {
        if (menus.shownMenus.count(form->chm) != menus.shownMenus.size())
            QTest::qFail("a menu other than the chime's", __FILE__, __LINE__);
        return int(menus.shownMenus.size());
    }

    QStringList playedOf(const QString& name) const { return sound.played.filter(name); }
};
