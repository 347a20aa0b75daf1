#pragma once

#include <QObject>
#include <QString>

class Form1;

// The clock window for the keyboard and for screen readers: a name for
// every control (the design's captions and tool tips, or a short name where
// a control has no caption of its own), Tab in the order the eye reads the
// window, the scroll bars of the time row within reach of the keyboard, and
// the clock face, whose name tells the time a screen reader reads out.
// It also sets up the ring that shows which control has the focus in every
// window of the program.
class ClockWindowAccess : public QObject {
    Q_OBJECT
public:
    explicit ClockWindowAccess(Form1& form);

    // Names the picture viewer's controls and puts them in the Tab order,
    // once they have been made.
    void nameViewerControls();

    // The clock face's name as it stands now: the time shown, or in the
    // picture viewer the picture shown.
    QString faceName() const;

private:
    void nameControls();
    void orderControls();
    // Follows the tick: the face's name changes with the time it shows,
    // but only while a screen reader or other assistive program listens.
    void onTick();

    Form1& m_form;
};
