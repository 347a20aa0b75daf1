#include "clock/FrameLines.h"

#include <QPainter>

#include "Twips.h"

FrameLinesOverlay::FrameLinesOverlay(std::array<FrameLine*, 4> lines, QWidget* parent)
    : QWidget(parent), m_lines(lines) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void FrameLinesOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const double scale = twips::perPixel();
    for (const FrameLine* line : m_lines) {
        if (!line->Visible) continue;
        painter.setPen(QPen(line->BorderColor, 2));
        painter.drawLine(QLineF(line->X1 / scale, line->Y1 / scale, line->X2 / scale, line->Y2 / scale));
    }
}
