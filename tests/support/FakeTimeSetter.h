#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include "clock/ITimeSetter.h"

// Records the times the program asks to set and never touches the machine's
// clock. By default it agrees; refuseWith() makes it refuse with a reason.
class FakeTimeSetter final : public ITimeSetter {
public:
    bool setClock(const QDateTime& when, QString* whyNot) override;
    void refuseWith(const QString& reason) { m_refusal = reason; }

    QList<QDateTime> asked;  // every time asked for, in order

private:
    QString m_refusal;
};
