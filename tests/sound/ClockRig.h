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
#include "support/FakeServices.h"
#include "support/FakeSoundDevice.h"
#include "support/TestFolder.h"

// A clock window after its load step, on a fresh data folder (help on, all
// sound files present), with a fake clock, dialogs, pauser and sound device.
// The clock tick is stopped: the test runs the alarm and chime steps itself.
struct ClockRig {
    TestFolder folder;
    std::unique_ptr<AppContext> context;
    FakeClock clock{QDateTime(QDate(2026, 12, 8), QTime(8, 30, 0))};
    FakeDialogs dialogs;
    FakePauser pauser;
    FakeSoundDevice sound;
    FakeNotifier notifier;
    Services services;
    std::unique_ptr<Form1> form;
    int menuShown = 0;
    // What the user picks from the next pop-up menus: "ba", "mab" or "" (closes it).
    QStringList menuChoices;

    // `savedChimeMode`: column 3 of the settings record; a null text leaves
    // the table empty. `withDevice` false: the program has no sound device.
    explicit ClockRig(const QString& savedChimeMode = QStringLiteral("None"),
                      bool withDevice = true) {
        folder.touchSoundFiles();
        if (!savedChimeMode.isNull())
            folder.exec(QStringLiteral("INSERT INTO clockini VALUES (600, 600, 'normal', '%1')")
                            .arg(savedChimeMode));
        context = folder.openContext();
        services.clock = &clock;
        services.dialogs = &dialogs;
        services.pauser = &pauser;
        services.sound = withDevice ? &sound : nullptr;
        services.notifier = &notifier;
        form = std::make_unique<Form1>(*context, services);
        form->popUpMenu = [this](QMenu* menu) -> QAction* {
            ++menuShown;
            if (menu != form->chm) QTest::qFail("a menu other than the chime's", __FILE__, __LINE__);
            const QString choice = menuChoices.isEmpty() ? QString() : menuChoices.takeFirst();
            QAction* chosen = nullptr;
            if (choice == QLatin1String("ba")) chosen = form->ba;
            if (choice == QLatin1String("mab")) chosen = form->mab;
            if (chosen) chosen->trigger();
            return chosen;
        };
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

    QStringList playedOf(const QString& name) const { return sound.played.filter(name); }
};
