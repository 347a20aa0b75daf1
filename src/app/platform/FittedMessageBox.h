#pragma once

#include <QMessageBox>

#include "platform/IDialogs.h"

class QFont;
class QLabel;
class QPlainTextEdit;
class QScrollArea;
class QSize;

// A message box fitted to its text and to the screen it opens on. It is wide
// enough for the whole title to be read in its caption; a listing is set in a
// fixed-pitch font, unwrapped, so that its columns line up; and a text too
// tall (or a listing too wide) for the screen is shown in a pane that
// scrolls, so that the box and its buttons stay on the screen. A listing's
// pane is a read-only text view, which lays out only the lines in sight: a
// listing of tens of thousands of lines opens at once. The text is shown
// exactly as written, never read as markup.
class FittedMessageBox final : public QMessageBox {
public:
    FittedMessageBox(Icon icon, const QString& text, StandardButtons buttons,
                     TextLayout layout = TextLayout::Prose, QWidget* parent = nullptr);

    // Whether the text, in this font and layout, fits in three quarters of
    // the available screen area; a longer one scrolls.
    static bool fitsOnScreen(const QString& text, const QFont& font, const QSize& available,
                             TextLayout layout);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void makeRoomForTitle();
    void putTextInPane(const QSize& available);
    void putListingInView();
    // Puts `pane` where the label stands in the box's layout; false when the
    // label is not in it.
    bool replaceLabel(QWidget* pane);
    // The pane's least size: as much of the text as three quarters of the
    // screen hold, with room for a scroll bar where the rest goes on.
    void sizePane(QWidget* pane, const QSize& available);

    TextLayout m_layout;
    QLabel* m_label = nullptr;
    QWidget* m_pane = nullptr;
};
