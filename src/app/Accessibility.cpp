#include "Accessibility.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>

namespace {

// The keys of a picker, as a slider has them.
class PickerKeys final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
        switch (key->key()) {
            case Qt::Key_Left:
            case Qt::Key_Down: action = QAbstractSlider::SliderSingleStepSub; break;
            case Qt::Key_Right:
            case Qt::Key_Up: action = QAbstractSlider::SliderSingleStepAdd; break;
            case Qt::Key_PageDown: return jump(watched, -kKeyPage);
            case Qt::Key_PageUp: return jump(watched, kKeyPage);
            case Qt::Key_Home: action = QAbstractSlider::SliderToMinimum; break;
            case Qt::Key_End: action = QAbstractSlider::SliderToMaximum; break;
            default: return false;
        }
        static_cast<QAbstractSlider*>(watched)->triggerAction(action);
        return true;
    }

private:
    // Page Up and Page Down move ten steps, whatever a click in the groove
    // moves: the quick way through the minutes from the keyboard.
    static constexpr int kKeyPage = 10;
    static bool jump(QObject* watched, int steps) {
        auto* picker = static_cast<QAbstractSlider*>(watched);
        picker->setValue(std::clamp(picker->value() + steps, picker->minimum(), picker->maximum()));
        return true;
    }
};

}  // namespace

namespace accessibility {

void describe(QWidget* control, const QString& name, const QString& description) {
    if (!control) return;
    // An editable selector's text field is met on its own as well.
    auto* combo = qobject_cast<QComboBox*>(control);
    QWidget* inner = control->focusProxy();
    if (combo && combo->lineEdit()) inner = combo->lineEdit();
    for (QWidget* w : {control, inner}) {
        if (!w) continue;
        w->setAccessibleName(name);
        if (!description.isEmpty()) w->setAccessibleDescription(description);
    }
}

void nameWithLabel(QAbstractSlider* picker, const QString& name, const QLabel* label) {
    const QPointer<const QLabel> shown(label);
    auto follow = [picker, name, shown] {
        picker->setAccessibleName(shown ? name + QLatin1Char(' ') + shown->text().trimmed() : name);
    };
    follow();
    // After the picker's own handler has written the label.
    QObject::connect(picker, &QAbstractSlider::valueChanged, picker, follow);
}

void nameScrollBars(QWidget* window) {
    for (QScrollBar* bar : window->findChildren<QScrollBar*>()) {
        if (!bar->accessibleName().isEmpty()) continue;
        bar->setAccessibleName(bar->orientation() == Qt::Vertical
                                   ? QStringLiteral("Vertical scroll bar")
                                   : QStringLiteral("Horizontal scroll bar"));
    }
}

void tabOrder(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous) QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

void makeTabStop(QWidget* control) {
    control->setFocusPolicy(Qt::StrongFocus);
}

void makeKeyboardPicker(QScrollBar* picker) {
    makeTabStop(picker);
    picker->installEventFilter(new PickerKeys(picker));
}

QPoint popUpPoint() {
    const QPoint pointer = QCursor::pos();
    QWidget* focus = QApplication::focusWidget();
    if (!focus) return pointer;
    const QWidget* under = QApplication::widgetAt(pointer);
    if (under && (under->isWindow() || focus == under || focus->isAncestorOf(under)))
        return pointer;
    return focus->mapToGlobal(QPoint(0, focus->height()));
}

}  // namespace accessibility
