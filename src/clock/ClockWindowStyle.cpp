#include "clock/ClockWindowStyle.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "clock/ClockFont.h"
#include "clock/Form1.h"
#include "clock/PictureBox.h"
#include "viewer/PictureViewer.h"

namespace {

QFont controlFont(double points, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Paints a push button's caption on as many lines as it needs: several of
// the panel's buttons are designed narrower than their one-line caption.
class WrappedCaptions final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!button || event->type() != QEvent::Paint) return false;
        QStylePainter painter(button);
        QStyleOptionButton option;
        option.initFrom(button);
        option.features =
            button->isDefault() ? QStyleOptionButton::DefaultButton : QStyleOptionButton::None;
        if (button->isDown()) option.state |= QStyle::State_Sunken;
        if (button->isChecked()) option.state |= QStyle::State_On;
        if (!button->isFlat() && !button->isDown()) option.state |= QStyle::State_Raised;
        painter.drawControl(QStyle::CE_PushButtonBevel, option);
        const QRect contents =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        button->style()->drawItemText(&painter, contents, Qt::AlignCenter | Qt::TextWordWrap,
                                      option.palette, button->isEnabled(), button->text(),
                                      QPalette::ButtonText);
        return true;
    }
};

void paint(QLabel* label, const QFont& font, const QColor& colour, Qt::Alignment alignment) {
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAlignment(alignment);
}

// Every control carries its own, readable font rather than the window's;
// push buttons wrap their captions.
template <class Controls>
void styleControls(Form1& form, const Controls& controls) {
    const QFont normal = controlFont(8);
    auto* wrapped = new WrappedCaptions(&form);
    for (QWidget* control : controls) {
        if (control == form.Picture1 || control == form.p2) continue;
        control->setFont(normal);
        if (qobject_cast<QPushButton*>(control)) control->installEventFilter(wrapped);
    }
}

}  // namespace

namespace clockstyle {

void apply(Form1& form) {
    // The centred time is placed by measuring it in the window's own font.
    form.setFont(clockfont::windowFont());

    styleControls(form, form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    const QFont normal = controlFont(8);

    const QColor digits(255, 255, 128);  // as the clock's own digits
    const QColor heading(150, 200, 255);
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    paint(form.Label1, controlFont(12, true), heading, left);
    // The hour ends just before the colon, whether it is " 00" or "07".
    paint(form.Label2, controlFont(26, true), digits, Qt::AlignRight | Qt::AlignVCenter);
    form.Label2->setIndent(6);
    paint(form.Label4, controlFont(26, true), digits, Qt::AlignCenter);
    paint(form.Label3, controlFont(26, true), digits, left);
    paint(form.Label5, controlFont(16, true), digits, left);
    paint(form.Label6, normal, Qt::white, left);
    paint(form.Label7, normal, Qt::white, left);
    paint(form.Label8, controlFont(10, true), heading, left);
    form.Command9->setFont(controlFont(6, true));

    // The colour sliders: more of a colour further up, each groove filled in
    // its own colour.
    const QColor parts[3] = {QColor(230, 40, 40), QColor(40, 200, 60), QColor(60, 110, 255)};
    QSlider* sliders[3] = {form.Slider1, form.Slider2, form.Slider3};
    for (int i = 0; i < 3; ++i) {
        sliders[i]->setInvertedAppearance(false);
        QPalette palette = sliders[i]->palette();
        palette.setColor(QPalette::Highlight, parts[i]);
        sliders[i]->setPalette(palette);
    }

    // Scroll bars that show on the black panel: a grey groove, a light handle.
    for (QScrollBar* bar : {form.HScroll1, form.HScroll2, form.HScroll3}) {
        QPalette palette = bar->palette();
        palette.setColor(QPalette::Window, QColor(45, 45, 60));
        palette.setColor(QPalette::Base, QColor(45, 45, 60));
        palette.setColor(QPalette::Button, QColor(170, 175, 200));
        palette.setColor(QPalette::ButtonText, Qt::black);
        palette.setColor(QPalette::WindowText, Qt::black);
        bar->setPalette(palette);
    }
}

void applyToViewer(Form1& form) {
    styleControls(form, form.pictureViewer().viewerControls());
    paint(form.Label9, controlFont(8), Qt::white, Qt::AlignLeft | Qt::AlignVCenter);
}

}  // namespace clockstyle
