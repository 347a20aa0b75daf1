#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>
#include <vector>

// A picture box: a background picture (drawn at natural size from the top
// left, or stretched over the box) and text printed at positions given in
// twips, in the box's font and text colour. Clearing removes the printed
// text and keeps the picture.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    QImage picture() const { return m_picture; }
    // Holds only the part of a larger picture that can be seen: `part` is
    // drawn with its top-left corner at `at` (pixels, box coordinates). Used
    // for pictures shown at natural size that are larger than the screen.
    void setPicturePart(const QImage& part, const QPoint& at);
    QPoint pictureOffset() const { return m_pictureOffset; }
    void clearPicture();
    // Paints the picture scaled to the whole box instead of at natural size.
    void setStretch(bool stretch);
    bool stretch() const { return m_stretch; }

    // Removes all printed text.
    void cls();
    // Prints `text` with its top-left corner at the current position.
    void print(const QString& text);
    struct Printed {
        QPointF at;  // twips
        QString text;
        QFont font;
        QColor color;
    };
    const std::vector<Printed>& printed() const { return m_printed; }
    // Counts the calls of cls() and print(): equal counts mean the printed
    // text has not been touched in between.
    quint64 textRevision() const { return m_textRevision; }

    double currentX = 0;  // twips
    double currentY = 0;  // twips

    void setForeColor(const QColor& color) { m_foreColor = color; }
    QColor foreColor() const { return m_foreColor; }
    void setBackColor(const QColor& color);
    QColor backColor() const { return m_backColor; }

    // Text size in twips in the given font (the box's own when none is given).
    double textWidth(const QString& text) const;
    double textHeight(const QString& text) const;
    static double textWidth(const QString& text, const QFont& font);
    static double textHeight(const QString& text, const QFont& font);

signals:
    void clicked();
    void keyPressed(int key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The printed text changed: repaint, once control returns to the event
    // loop, only the texts that differ from those painted last (the tick
    // clears and prints the time every 900 ms, and most of the time only its
    // seconds changed).
    void textChanged();
    void repaintChangedText();
    QRect area(const Printed& printed) const;

    QImage m_picture;
    QPoint m_pictureOffset;
    bool m_stretch = false;
    std::vector<Printed> m_printed;
    std::vector<Printed> m_painted;  // the texts as last handed to painting
    bool m_repaintPending = false;
    quint64 m_textRevision = 0;
    QColor m_foreColor = Qt::black;
    QColor m_backColor = Qt::black;
};
