#include "Accessibility.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>

namespace accessibility {

void describe(QWidget* control, const QString& name, const QString& description) {
    if (!control) return;
    for (QWidget* w = control; w; w = w->focusProxy() == w ? nullptr : w->focusProxy()) {
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
