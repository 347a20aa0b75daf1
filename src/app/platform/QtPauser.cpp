#include "platform/QtPauser.h"

#include <QCoreApplication>
#include <QThread>

void QtPauser::pause(int milliseconds) {
    // Deliver the posted resize and paint requests so the step is seen, but
    // run no timer or input handler: the animation blocks the thread.
    QCoreApplication::sendPostedEvents();
    if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}
