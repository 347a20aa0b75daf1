#pragma once

#include <QMessageBox>

#include "platform/IDialogs.h"

class QFont;
class QLabel;
class QScrollArea;
class QSize;

// A message box fitted to its text and to the screen it opens on. It is wide
// enough for the whole title to be read in its caption; a listing is set in a
// fixed-pitch font, unwrapped, so that its columns line up; and a text too
// tall (or a listing too wide) for the screen is shown in a pane that
// scrolls, so that the box and its buttons stay on the screen. The text is
// shown exactly as written, never read as markup.
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

    TextLayout m_layout;
    QLabel* m_label = nullptr;
    QScrollArea* m_pane = nullptr;
};
