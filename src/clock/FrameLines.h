#pragma once

#include <QColor>
#include <QLineF>
#include <QWidget>
#include <array>

// One of the four lines of the clock frame: its end points in twips, its
// colour and whether it is shown.
struct FrameLine {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    QColor BorderColor = Qt::white;
    bool Visible = true;
    void set(double x1, double y1, double x2, double y2) {
        X1 = x1;
        Y1 = y1;
        X2 = x2;
        Y2 = y2;
    }
};

// Draws the frame lines over the clock face and lets every mouse event
// through to what lies below.
class FrameLinesOverlay : public QWidget {
    Q_OBJECT
public:
    FrameLinesOverlay(std::array<FrameLine*, 4> lines, QWidget* parent);

    // Brings the drawing up to date after the lines were changed: only the
    // lines whose place, colour or visibility changed are painted again (the
    // tick recolours them every second, and the face below them must not be
    // repainted whole for that), and the overlay is raised only when another
    // control has come to lie over it.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The pixels a line covers, its pen included.
    QRect area(const FrameLine& line) const;

    std::array<FrameLine*, 4> m_lines;
    std::array<FrameLine, 4> m_drawn;  // the lines as last handed to painting
    bool m_drawnKnown = false;
};
