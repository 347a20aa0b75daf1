#include "clock/ClockSizes.h"

#include <QPushButton>

#include "Twips.h"
#include "clock/ClockSettingsPanel.h"
#include "clock/Form1.h"
#include "clock/PictureBox.h"

namespace {

// The compact figures are quotients kept as single-precision numbers.
double single(double value) {
    return double(float(value));
}

const ClockSizes::Geometry kNormal{5580,
                                   2050,
                                   {{{1080, 480, 4800, 480},
                                     {1080, 480, 1080, 1080},
                                     {1080, 1080, 4800, 1080},
                                     {4800, 480, 4800, 1080}}}};

const ClockSizes::Geometry kSmall{
    3741, 1000, {{{0, 0, 3590, 0}, {0, 0, 0, 580}, {0, 580, 3590, 580}, {3590, 0, 3590, 580}}}};

const double kCompactRight = single(3400 / 1.8);
const double kCompactBottom = single(610 / 1.8);
const ClockSizes::Geometry kCompact{single(3541 / 1.75),
                                    single(1000 / 1.3),
                                    {{{0, 0, kCompactRight, 0},
                                      {0, 0, 0, kCompactBottom},
                                      {0, kCompactBottom, kCompactRight, kCompactBottom},
                                      {kCompactRight, 0, kCompactRight, kCompactBottom}}}};

}  // namespace

const ClockSizes::Geometry& ClockSizes::geometry(Size size) {
    switch (size) {
        case Size::Small:
            return kSmall;
        case Size::Compact:
            return kCompact;
        case Size::Normal:
            break;
    }
    return kNormal;
}

ClockSizes::ClockSizes(Form1& form) : m_form(form) {}

void ClockSizes::apply(const Geometry& g) {
    twips::setHeight(&m_form, g.height);
    twips::setWidth(&m_form, g.width);
    FrameLine* lines[4] = {&m_form.Line1, &m_form.Line2, &m_form.Line3, &m_form.Line4};
    for (int i = 0; i < 4; ++i)
        lines[i]->set(g.lines[i].x1, g.lines[i].y1, g.lines[i].x2, g.lines[i].y2);
    m_form.repaintLines();
}

void ClockSizes::closePanel() {
    // A smaller size closes the settings panel: it no longer fits.
    m_form.Command2->hide();
    m_form.Command1->show();
    m_form.settingsPanel().putAwayTimeRow();
}

void ClockSizes::small() {
    // Small leaves compactSize as it is: from compact, the time keeps its
    // 14 points and "compact" is what the next exit stores.
    m_form.smallSize = true;
    m_form.centredLayout = false;
    m_form.compactLayout = true;
    apply(kSmall);
    closePanel();
}

void ClockSizes::compact() {
    m_form.smallSize = true;
    m_form.compactSize = true;
    m_form.centredLayout = false;
    m_form.compactLayout = true;
    apply(kCompact);
    closePanel();
}

void ClockSizes::restoreNormal() {
    m_form.smallSize = false;
    m_form.compactSize = false;
    m_form.centredLayout = true;
    m_form.compactLayout = false;
    twips::setWidth(&m_form, kNormal.width);
    twips::setHeight(&m_form, kNormal.height);
    m_form.placeLinesNormal();
    twips::resize(m_form.Picture1, 5528, 1692);
}
