#include "AppMain.h"

#include <QApplication>
#include <QIcon>
#include <QDBusConnection>

#include "AppContext.h"
#include "DataFolder.h"
#include "clock/Form1.h"
#include "clock/TimedatedTimeSetter.h"
#include "diary/DiaryHistory.h"
#include "platform/DBusScreenSaverInhibitor.h"
#include "platform/DbusNotifier.h"
#include "platform/QtPrinter.h"
#include "platform/IClock.h"
#include "platform/QtDialogs.h"
#include "platform/QtPauser.h"
#include "platform/Services.h"
#include "sound/SdlSoundDevice.h"

int runTavenel(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Tavenel"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setDesktopFileName(QStringLiteral("tavenel"));
    Q_INIT_RESOURCE(tavenel);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/data/icons/tavenel-64.png")));

    SystemClock clock;
    QtDialogs dialogs;
    QtPauser pauser;
    // Without a usable audio device the program runs on, silent.
    SdlSoundDevice sound;
    DBusScreenSaverInhibitor screenSaver;
    Services services;
    services.clock = &clock;
    services.dialogs = &dialogs;
    services.pauser = &pauser;
    services.sound = &sound;
    TimedatedTimeSetter timeSetter(QDBusConnection::systemBus());
    services.timeSetter = &timeSetter;
    services.screenSaver = &screenSaver;
    QtPrinter printer;
    services.printer = &printer;
    DbusNotifier notifier;
    services.notifier = &notifier;

    AppContext context;
    context.appFolder = datafolder::appFolder();
    Form1 form(context, services);
    if (!form.load()) return 1;
    // Saves a kill or a power cut interrupted left new files behind; the
    // diary's history is kept within its bounds.
    DiaryHistory::tidy(context.appFolder, clock.now());
    return app.exec();
}
