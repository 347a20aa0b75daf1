#include "clock/PictureBox.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "Twips.h"

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setPicture(const QImage& picture) {
    m_picture = picture;
    m_pictureOffset = QPoint();
    update();
}

void PictureBox::setPicturePart(const QImage& part, const QPoint& at) {
    m_picture = part;
    m_pictureOffset = at;
    update();
}

void PictureBox::clearPicture() {
    m_picture = QImage();
    m_pictureOffset = QPoint();
    update();
}

void PictureBox::setStretch(bool stretch) {
    m_stretch = stretch;
    update();
}

void PictureBox::setBackColor(const QColor& color) {
    m_backColor = color;
    update();
}

void PictureBox::cls() {
    m_printed.clear();
    currentX = 0;
    currentY = 0;
    textChanged();
}

void PictureBox::print(const QString& text) {
    m_printed.push_back({QPointF(currentX, currentY), text, font(), m_foreColor});
    currentY += textHeight(text);
    textChanged();
}

void PictureBox::textChanged() {
    ++m_textRevision;
    if (m_repaintPending) return;
    m_repaintPending = true;
    QMetaObject::invokeMethod(this, &PictureBox::repaintChangedText, Qt::QueuedConnection);
}

QRect PictureBox::area(const Printed& printed) const {
    const QFontMetricsF metrics(printed.font);
    const QPointF origin(printed.at.x() / twips::perPixel(), printed.at.y() / twips::perPixel());
    // The ink may reach past the advance (italics, antialiasing).
    return QRectF(origin, QSizeF(metrics.horizontalAdvance(printed.text), metrics.height()))
        .united(metrics.boundingRect(printed.text).translated(origin + QPointF(0, metrics.ascent())))
        .adjusted(-2, -2, 2, 2)
        .toAlignedRect();
}

void PictureBox::repaintChangedText() {
    m_repaintPending = false;
    const std::size_t count = std::max(m_painted.size(), m_printed.size());
    for (std::size_t i = 0; i < count; ++i) {
        const Printed* before = i < m_painted.size() ? &m_painted[i] : nullptr;
        const Printed* after = i < m_printed.size() ? &m_printed[i] : nullptr;
        if (before && after && before->at == after->at && before->text == after->text &&
            before->font == after->font && before->color == after->color)
            continue;
        if (before) update(area(*before));
        if (after) update(area(*after));
    }
    m_painted = m_printed;
}

double PictureBox::textWidth(const QString& text, const QFont& font) {
    return twips::fromPixels(1) * QFontMetricsF(font).horizontalAdvance(text);
}

double PictureBox::textHeight(const QString& text, const QFont& font) {
    Q_UNUSED(text);
    return twips::fromPixels(1) * QFontMetricsF(font).height();
}

double PictureBox::textWidth(const QString& text) const { return textWidth(text, font()); }
double PictureBox::textHeight(const QString& text) const { return textHeight(text, font()); }

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Only the exposed part: a picture at natural size can make the box far
    // larger than the screen.
    painter.fillRect(event->rect(), m_backColor);
    if (!m_picture.isNull()) {
        if (m_stretch)
            painter.drawImage(rect(), m_picture);
        else
            painter.drawImage(m_pictureOffset, m_picture);
    }
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const Printed& p : m_printed) {
        painter.setFont(p.font);
        painter.setPen(p.color);
        const QFontMetricsF metrics(p.font);
        const QPointF origin(p.at.x() / twips::perPixel(), p.at.y() / twips::perPixel());
        painter.drawText(origin + QPointF(0, metrics.ascent()), p.text);
    }
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
    QWidget::mousePressEvent(event);
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
    // Space and Return act as a click for those who use the keyboard.
    if (event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
         event->key() == Qt::Key_Enter))
        emit clicked();
    emit keyPressed(event->key());
    QWidget::keyPressEvent(event);
}
