#include "clock/ClockFont.h"

#include <QStringList>

namespace clockfont {

void installSubstitutes() {
    const QString family = QString::fromLatin1(kFamily);
    if (QFont::substitutes(family).isEmpty()) {
        QFont::insertSubstitutions(
            family,
            {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
             QStringLiteral("Tinos"), QStringLiteral("DejaVu Serif"), QStringLiteral("Serif")});
    }
    const QString window = QString::fromLatin1(kWindowFamily);
    if (QFont::substitutes(window).isEmpty()) {
        QFont::insertSubstitutions(
            window, {QStringLiteral("Arial Narrow"), QStringLiteral("Nimbus Sans Narrow"),
                     QStringLiteral("DejaVu Sans Condensed")});
    }
}

QFont font(double points) {
    QFont face(QString::fromLatin1(kFamily));
    face.setStyleHint(QFont::Serif);
    face.setPointSizeF(points);
    return face;
}

QFont windowFont() {
    QFont face(QString::fromLatin1(kWindowFamily));
    face.setStyleHint(QFont::SansSerif);
    face.setPointSizeF(8);
    return face;
}

}  // namespace clockfont
