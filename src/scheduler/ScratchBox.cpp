#include "scheduler/ScratchBox.h"

#include "RichTextBox.h"

QString ScratchBox::asHeld(const QString& text) {
    if (!text.contains(QLatin1Char('\r'))) return text;
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
    m_box->setText(text);
    m_box->setSelStart(0);
    m_box->setSelLength(std::min(length, int(asHeld(text).size())));
}

void ScratchBox::clear() {
    if (m_box) m_box->setText(QString());
}
