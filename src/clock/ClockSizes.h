#pragma once

#include <array>

class Form1;

// The clock's three sizes: normal (the size it loads in), small and compact.
// Each shrinks or restores the window, moves the four frame lines and sets the
// flags the tick draws by. All figures are twips.
class ClockSizes {
public:
    struct Line {
        double x1, y1, x2, y2;
    };
    struct Geometry {
        double width;
        double height;
        std::array<Line, 4> lines;  // top, left, bottom, right edge
    };
    enum class Size { Normal, Small, Compact };
    static const Geometry& geometry(Size size);

    explicit ClockSizes(Form1& form);

    // The "Small" and "Compact" commands of the size menu.
    void small();
    void compact();
    // Back to the normal size from the small or compact one: flags, window,
    // frame lines and the clock face's size.
    void restoreNormal();

private:
    void apply(const Geometry& geometry);
    void closePanel();

    Form1& m_form;
};
