#include "clock/FrameLines.h"

#include <QPainter>

#include "Twips.h"

FrameLinesOverlay::FrameLinesOverlay(std::array<FrameLine*, 4> lines, QWidget* parent)
    : QWidget(parent), m_lines(lines) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

QRect FrameLinesOverlay::area(const FrameLine& line) const {
    const double scale = twips::perPixel();
    const QRectF span = QRectF(QPointF(line.X1 / scale, line.Y1 / scale),
                               QPointF(line.X2 / scale, line.Y2 / scale))
                            .normalized();
    return span.adjusted(-3, -3, 3, 3).toAlignedRect();
}

void FrameLinesOverlay::refresh() {
    if (const QWidget* parent = parentWidget()) {
        const QObjectList& siblings = parent->children();
        for (auto it = siblings.crbegin(); it != siblings.crend(); ++it) {
            const auto* widget = qobject_cast<const QWidget*>(*it);
            if (!widget || widget->isWindow()) continue;
            if (widget != this) raise();
            break;
        }
    }
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const FrameLine& now = *m_lines[i];
        const FrameLine& drawn = m_drawn[i];
        const bool same = m_drawnKnown && now.X1 == drawn.X1 && now.Y1 == drawn.Y1 &&
                          now.X2 == drawn.X2 && now.Y2 == drawn.Y2 &&
                          now.BorderColor == drawn.BorderColor && now.Visible == drawn.Visible;
        if (same) continue;
        if (m_drawnKnown && drawn.Visible) update(area(drawn));
        if (now.Visible) update(area(now));
        m_drawn[i] = now;
    }
    m_drawnKnown = true;
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
