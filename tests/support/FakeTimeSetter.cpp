#include "support/FakeTimeSetter.h"

bool FakeTimeSetter::setClock(const QDateTime& when, QString* whyNot) {
    asked << when;
    if (m_refusal.isEmpty()) return true;
    if (whyNot) *whyNot = m_refusal;
    return false;
}
