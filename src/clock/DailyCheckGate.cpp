#include "clock/DailyCheckGate.h"

QString DailyCheckGate::dateText(const QDate& date) {
    return QStringLiteral("%1/%2/%3").arg(date.month()).arg(date.day()).arg(date.year());
}

bool DailyCheckGate::tick(const QDate& today) {
    m_odd = !m_odd;
    (m_odd ? m_oddTickDate : m_evenTickDate) = dateText(today);
    return m_oddTickDate != m_evenTickDate;
}
