#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

#include "viewer/PictureFile.h"
#include "viewer/PictureLoader.h"

class Form1;
class QWidget;
class SlideShow;

// The picture viewer inside the clock window: opening and closing it, the
// switch between the clock and the viewer layouts, the picture of the
// clicked list entry, the click on the picture that leaves full screen or
// returns to the clock, and the time in the caption while the viewer has
// the clock face. The full screen and the slide show are its SlideShow.
class PictureViewer : public QObject {
    Q_OBJECT
public:
    explicit PictureViewer(Form1& form);
    ~PictureViewer() override;

    SlideShow& slideShow() { return *m_slideShow; }
    // Wires the viewer's own controls once the window has made them.
    void connectControls();

    void on_Command3_click();   // open the viewer
    void on_Command8_click();   // close the viewer
    void on_Command11_click();  // the viewer layout
    void on_Command12_click();  // back to the clock layout
    void on_List1_click();      // show the clicked entry
    void on_Picture1_click();   // leave full screen, or return to the clock

    // The list entry the viewer shows: the current entry when it is
    // selected, else the first selected one; empty when none is selected.
    QString selectedEntry() const;
    // The program selects the entry at `row`; its click follows, as a
    // user's would (ignoreListClick decides what the click does).
    void selectEntry(int row);

    // Shows the picture in `path` stretched over the whole picture box. The
    // picture is read on a worker thread and shown when it is ready; a file
    // that cannot be read leaves the box as it was, and one too large to be
    // read is replaced by a notice saying so. False when there is no path.
    bool showStretched(const QString& path);
    // Shows the picture at its natural size with the box sized to it and
    // centred in the window; read and shown as showStretched does.
    bool showNaturalCentred(const QString& path);
    // A picture is being read and is still to be shown.
    bool loading() const { return m_loader.busy(); }
    // Shows a picture read for natural size, centred in the window.
    void showCentred(const picturefile::CentredPart& picture);
    // The clock face's background picture back in the picture box.
    void showClockFace();

    // The controls that only the viewer layout shows; none before they are made.
    std::vector<QWidget*> viewerControls() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QWidget*> clockControls() const;
    void hideClockControls();
    void showClockControlsAgain();
    void widen(double from, double to, double step);
    void narrow(double from, double to, double step);
    void growHeight(double from, double to, double step);
    void shrinkHeight(double from, double to, double step);
    void centreWindow();
    void updateCaption();

    Form1& m_form;
    PictureLoader m_loader;
    std::unique_ptr<SlideShow> m_slideShow;
    // What the clock's controls showed before the viewer layout hid them.
    std::vector<std::pair<QWidget*, bool>> m_clockShown;
    std::vector<bool> m_linesShown;
    bool m_clockHidden = false;
    bool m_pressing = false;   // a mouse button is down on the list
    bool m_selecting = false;  // the program is selecting an entry
    bool m_keyMoving = false;  // a key is down in the list
    QString m_captionWritten;  // the caption this viewer wrote last
    QString m_captionBase;     // the caption it was written over
};
