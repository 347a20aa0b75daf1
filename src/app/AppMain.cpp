#include "AppMain.h"

#include <QApplication>

#include "AppContext.h"
#include "DataFolder.h"
#include "clock/Form1.h"
#include "platform/DBusScreenSaverInhibitor.h"
#include "platform/IClock.h"
#include "platform/QtDialogs.h"
#include "platform/QtPauser.h"
#include "platform/Services.h"

int runTavenel(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Tavenel"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setDesktopFileName(QStringLiteral("tavenel"));

    SystemClock clock;
    QtDialogs dialogs;
    QtPauser pauser;
    DBusScreenSaverInhibitor screenSaver;
    Services services;
    services.clock = &clock;
    services.dialogs = &dialogs;
    services.pauser = &pauser;
    services.screenSaver = &screenSaver;

    AppContext context;
    context.appFolder = datafolder::appFolder();
    Form1 form(context, services);
    if (!form.load()) return 1;
    return app.exec();
}
