#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <optional>
#include <vector>

#include "viewer/SlidePreparer.h"

class Form1;
class PictureViewer;
class QAction;

// Full screen and the slide show of the picture viewer: the selected
// picture stretched over the screen, then, with an interval chosen, the list
// entries one after another at natural size; the arrow keys step through the
// list by hand. While a slide show runs the screen saver is held off.
class SlideShow : public QObject {
    Q_OBJECT
public:
    SlideShow(Form1& form, PictureViewer& viewer);
    ~SlideShow() override;

    void on_Check3_click();
    void on_Timer2_timeout();
    void on_Picture1_keyDown(int key);

    // Stops the slide-show timer and lets the screen saver run again.
    void stop();
    // Shows the pop-up menu items that full screen hid.
    void showHiddenMenuItems();

    // Where the window stood (twips) before full screen took the screen.
    std::optional<QPointF> placeBeforeFullScreen() const { return m_placeBefore; }

    // The entry the slide show showed last, and the one the arrow keys showed
    // last; both kept from one slide show to the next.
    int slideIndex() const { return m_slideIndex; }
    int keyIndex() const { return m_keyIndex; }

private:
    void hideForFullScreen();
    void end();
    // Starts reading the slide after the one at slideIndex, if there is one.
    void prepareNext();

    Form1& m_form;
    PictureViewer& m_viewer;
    int m_slideIndex = 0;
    int m_keyIndex = 0;
    bool m_holdingScreenSaver = false;
    SlidePreparer m_preparer;
    std::optional<QPointF> m_placeBefore;
    std::vector<QPointer<QAction>> m_hiddenMenuItems;
};
