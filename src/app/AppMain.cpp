#include "AppMain.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QDBusConnection>
#include <QTimer>

#include "AppContext.h"
#include "CaretRest.h"
#include "DataFolder.h"
#include "SingleInstance.h"
#include "clock/Form1.h"
#include "clock/TimedatedTimeSetter.h"
#include "clock/TrayIcon.h"
#include "diary/DiaryHistory.h"
#include "platform/DBusScreenSaverInhibitor.h"
#include "platform/DbusNotifier.h"
#include "platform/LogindSleepWatcher.h"
#include "platform/ModuleLoader.h"
#include "platform/ModulePrinter.h"
#include "platform/IClock.h"
#include "platform/QtDialogs.h"
#include "platform/QtPauser.h"
#include "platform/XdgAutostart.h"
#include "platform/QtPopUpMenus.h"
#include "platform/Services.h"
#include "sound/SdlSoundDevice.h"
#include "scheduler/Form2.h"

namespace {

// What a later start in the same folder asks for: the planner when it is
// open, else the clock window, brought up from the task bar and to the front.
void bringToFront(Form1& clock) {
    QWidget* window = clock.planner() && clock.planner()->isVisible()
                          ? static_cast<QWidget*>(clock.planner())
                          : &clock;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

int runTavenel(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Tavenel"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setDesktopFileName(QStringLiteral("tavenel"));
    Q_INIT_RESOURCE(tavenel);
    // Read as the PNG it is: left to guess, the toolkit loads every picture
    // format plugin it has to ask them, at every start.
    QImageReader icon(QStringLiteral(":/data/icons/tavenel-64.png"), "png");
    icon.setAutoDetectImageFormat(false);
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon.read())));
    CaretRest caretRest;

    // One program per data folder: a later start only brings this one to the
    // front, before it has opened anything there.
    const QString folder = datafolder::appFolder();
    SingleInstance instance;
    QtDialogs dialogs;
    switch (instance.claim(folder)) {
        case SingleInstance::Claim::RunningThere:
            return 0;
        case SingleInstance::Claim::HeldElsewhere:
            dialogs.message(
                QStringLiteral("Tavenel already runs on the data folder %1 (%2), and it "
                               "could not be brought to the front. This start ends here.")
                    .arg(folder, instance.holder()),
                MessageKind::Failure);
            return 1;
        case SingleInstance::Claim::Claimed:
        case SingleInstance::Claim::Unchecked:
            break;
    }

    SystemClock clock;
    QtPauser pauser;
    // Without a usable audio device the program runs on, silent.
    SdlSoundDevice sound;
    DBusScreenSaverInhibitor screenSaver;
    Services services;
    services.clock = &clock;
    services.dialogs = &dialogs;
    services.pauser = &pauser;
    services.sound = &sound;
    // The buses are connected when a service is first asked for.
    TimedatedTimeSetter timeSetter([] { return QDBusConnection::systemBus(); });
    services.timeSetter = &timeSetter;
    services.screenSaver = &screenSaver;
    // Printing and calendar files load their modules when first used.
    ModuleLoader modules(ModuleLoader::programFolders(QApplication::applicationDirPath()));
    services.modules = &modules;
    ModulePrinter printer(modules);
    services.printer = &printer;
    DbusNotifier notifier;
    services.notifier = &notifier;
    QtPopUpMenus popUpMenus;
    services.popUpMenus = &popUpMenus;

    AppContext context;
    context.appFolder = folder;
    XdgAutostart autostart(XdgAutostart::defaultConfigFolder(),
                           XdgAutostart::launcherBeside(QApplication::applicationDirPath()),
                           context.appFolder);
    services.autostart = &autostart;
    Form1 form(context, services);
    QObject::connect(&instance, &SingleInstance::activationRequested, &form,
                     [&form] { bringToFront(form); });
    if (!form.load()) return 1;
    // Its icon appears once the clock has been drawn.
    new TrayIcon(form);
    // After the first frame: the new files of saves a kill or a power cut
    // interrupted are removed and the diary's history kept within its
    // bounds; and, woken from sleep, the clock catches up at once on what it
    // passed over.
    QTimer::singleShot(1000, &form, [&form, &context, &clock] {
        DiaryHistory::tidy(context.appFolder, clock.now());
        auto* sleepWatcher = new LogindSleepWatcher(QDBusConnection::systemBus(), &form);
        QObject::connect(sleepWatcher, &LogindSleepWatcher::resumed, &form, &Form1::tick);
    });
    return app.exec();
}
