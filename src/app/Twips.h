#pragma once

#include <QRectF>

class QWidget;

// Positions and sizes are kept in twips (1/1440 inch), the unit of the
// window design, and turned into pixels here only: 15 twips a pixel at
// 96 dpi, scaled by the screen's logical dpi.
namespace twips {

double perPixel();
int toPixels(double twips);
double fromPixels(int pixels);

// Places a control at a rectangle given in twips and remembers the twips, so
// that what was set is what is read back (no pixel rounding).
void place(QWidget* widget, double left, double top, double width, double height);
void move(QWidget* widget, double left, double top);
void resize(QWidget* widget, double width, double height);
void setWidth(QWidget* widget, double width);
void setHeight(QWidget* widget, double height);
// The twip rectangle last set (or the pixel geometry converted, when none was).
QRectF rect(const QWidget* widget);
double left(const QWidget* widget);
double top(const QWidget* widget);
double width(const QWidget* widget);
double height(const QWidget* widget);

}  // namespace twips
