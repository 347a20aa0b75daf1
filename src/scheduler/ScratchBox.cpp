#include "scheduler/ScratchBox.h"

#include <QTextCursor>
#include <QTextEdit>

QString ScratchBox::asHeld(const QString& text) {
    QString held = text;
    held.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    held.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return held;
}

QString ScratchBox::excerpt(const QString& text, int length) {
    return asHeld(text).left(length);
}

void ScratchBox::holdWithStartSelected(const QString& text, int length) {
    if (!m_box) return;
    m_box->setPlainText(text);
    QTextCursor cursor(m_box->document());
    cursor.setPosition(0);
    cursor.setPosition(std::min(length, int(asHeld(text).size())), QTextCursor::KeepAnchor);
    m_box->setTextCursor(cursor);
}

void ScratchBox::clear() {
    if (m_box) m_box->clear();
}
