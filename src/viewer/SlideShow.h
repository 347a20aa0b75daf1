#pragma once

#include <QMargins>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <optional>
#include <utility>
#include <vector>

#include "viewer/SlidePreparer.h"

class Form1;
class PictureViewer;
class QAction;
class QWidget;

// Full screen and the slide show of the picture viewer: the selected
// picture stretched over the screen, then, with an interval chosen, the list
// entries one after another at natural size; the arrow keys step through the
// list by hand; Escape leaves full screen as a click on the picture does.
// While full screen lasts the screen saver is held off.
class SlideShow : public QObject {
    Q_OBJECT
public:
    SlideShow(Form1& form, PictureViewer& viewer);
    ~SlideShow() override;
    // Wires "Enable Full Screen Mode" once the window has made it.
    void connectControls();

    void on_Check3_click();
    void on_Timer2_timeout();
    void on_Picture1_keyDown(int key);

    // Stops the slide-show timer.
    void stop();
    // The first step out of full screen (harmless outside it): the pop-up
    // menu items that full screen hid shown again, the timer stopped, the
    // screen saver let run again, and the picture box back under the
    // controls it was raised over.
    void leaveFullScreen();
    // Gives the window `width` by `height` (twips) where it stood before full
    // screen, once the window manager has framed it again.
    void restoreWindow(double width, double height);
    // Where the window's frame stood (twips) before full screen took the screen.
    std::optional<QPointF> placeBeforeFullScreen() const { return m_placeBefore; }

    // The entry the slide show showed last, and the one the arrow keys showed
    // last; both kept from one slide show to the next.
    int slideIndex() const { return m_slideIndex; }
    int keyIndex() const { return m_keyIndex; }

private:
    void hideForFullScreen();
    // Shows the pop-up menu items that full screen hid.
    void showHiddenMenuItems();
    void holdScreenSaver();
    void releaseScreenSaver();
    void end();
    // Starts reading the slide after the one at slideIndex, if there is one.
    void prepareNext();

    Form1& m_form;
    PictureViewer& m_viewer;
    int m_slideIndex = 0;
    int m_keyIndex = 0;
    bool m_holdingScreenSaver = false;
    SlidePreparer m_preparer;
    // Where the window's frame stood (twips) before full screen, and the
    // frame's margins then.
    std::optional<QPointF> m_placeBefore;
    QMargins m_frameBefore;
    // The control the picture box lay under before full screen raised it,
    // and which controls were shown.
    QPointer<QWidget> m_pictureUnder;
    std::vector<std::pair<QPointer<QWidget>, bool>> m_shownBefore;
    std::vector<QPointer<QAction>> m_hiddenMenuItems;
};
