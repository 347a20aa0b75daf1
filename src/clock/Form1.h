#pragma once

#include <QLocale>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "AppContext.h"
#include "Texts.h"
#include "clock/FrameLines.h"
#include "platform/Services.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;
class ReminderList;
class QTimer;
class PictureBox;
class FrameLinesOverlay;
class SoundProcedures;
class Alarm;
class Chime;
class ClockTick;
class SecondTimer;
class ClockSizes;
class ClockSettingsPanel;
class ClockWindowAccess;
class Form2;
class FolderTree;
class ImageList;
class PictureViewer;
class ObsoleteCleanup;
class ReminderCheck;
class HelpWindow;
class StartWithDesktop;

// The clock window: the program's first window, which owns the process. It
// holds the clock face, the settings panel with the alarm and chime
// controls, the picture viewer, and the flags those features share. The
// features themselves live in classes of their own that are handed this
// window; the window's handlers call them.
class Form1 : public QWidget {
    Q_OBJECT
public:
    Form1(AppContext& app, const Services& services, QWidget* parent = nullptr);
    ~Form1() override;

    // The load step. Returns false when the run must end (the database is
    // missing or cannot be used); the message has been shown then.
    bool load();
    // The unload step: stores the settings and asks about help.
    void unload();

    // Prints the current time in the clock face at the centred position, in
    // the face's font (what start-up and the normal-size tick draw).
    void drawTimeCentred(const QString& timeText);
    // The time of day as this desktop writes it, with seconds: the locale's
    // long time format without its time-zone name ("5:06:59 PM" in the
    // United States, "17:06:59" in most other places).
    static QString timeOfDayText(const QTime& time, const QLocale& locale = QLocale::system());

    AppContext& app() { return m_app; }
    const Services& services() const { return m_services; }

    // --- Controls, named as the window design names them -----------------
    PictureBox* Picture1 = nullptr;  // the clock face, or the picture in the viewer
    PictureBox* p2 = nullptr;        // hidden: holds the clock face's background picture
    QLabel* Image1 = nullptr;
    FrameLine Line1, Line2, Line3, Line4;

    QPushButton* Command1 = nullptr;   // "Settings"
    QPushButton* Command2 = nullptr;   // "Close Settings"
    QPushButton* Command3 = nullptr;   // "Picture Viewer"
    QPushButton* Command5 = nullptr;   // "Switch clock size"
    QPushButton* Command6 = nullptr;   // "Clock Settings"
    QPushButton* Command8 = nullptr;   // "Close Picture Viewer"
    QPushButton* Command9 = nullptr;   // "S E T"
    QPushButton* Command10 = nullptr;  // "Close clock Settings"
    QPushButton* Command11 = nullptr;  // "Switch to the Picture viewer!"
    QPushButton* Command12 = nullptr;  // "Switch back to The Clock"
    QPushButton* Command13 = nullptr;  // "Scheduler and diary"
    QPushButton* Command16 = nullptr;  // "Remove"

    QLabel* Label1 = nullptr;  // "Alarm  :"
    QLabel* Label2 = nullptr;  // hour
    QLabel* Label3 = nullptr;  // minute
    QLabel* Label4 = nullptr;  // ":"
    QLabel* Label5 = nullptr;  // AM/PM
    QLabel* Label6 = nullptr;  // "Enable"
    QLabel* Label7 = nullptr;  // "Enable Chime"
    QLabel* Label8 = nullptr;  // "Clock Settings.."
    QLabel* Label9 = nullptr;  // "Slide Show"

    QCheckBox* Check1 = nullptr;  // alarm
    QCheckBox* Check2 = nullptr;  // chime
    QCheckBox* Check3 = nullptr;  // full screen
    QCheckBox* Check4 = nullptr;  // "Start with the desktop"

    QScrollBar* HScroll1 = nullptr;  // hour 1 .. 12
    QScrollBar* HScroll2 = nullptr;  // minute 0 .. 59
    QScrollBar* HScroll3 = nullptr;  // 1 PM, 2 AM
    QSlider* Slider1 = nullptr;      // red of the digits
    QSlider* Slider2 = nullptr;      // green
    QSlider* Slider3 = nullptr;      // blue

    QRadioButton* Option1 = nullptr;  // "1 Sec"
    QRadioButton* Option2 = nullptr;  // "3 Secs"
    QRadioButton* Option3 = nullptr;  // "5 Secs"

    // The picture viewer's own controls (Command16, Drive1, Dir1, List1,
    // Check3, Label9, the three options and the menu "&Remove") are null until
    // makeViewerControls() has made them.
    QComboBox* Drive1 = nullptr;
    FolderTree* Dir1 = nullptr;
    QListWidget* List1 = nullptr;  // the image list
    ReminderList* List2 = nullptr;  // today's reminder list, never shown

    // The help window; made when the first help page is shown.
    std::unique_ptr<HelpWindow> Form3;

    QTimer* Timer1 = nullptr;  // the clock tick, 900 ms
    QTimer* Timer2 = nullptr;  // the slide show
    QTimer* Timer3 = nullptr;  // the alarm postponement

    QMenu* size = nullptr;  // "Size"
    QAction* Small1 = nullptr;
    QAction* Compact = nullptr;
    QMenu* cs = nullptr;  // "Clocksettings"
    QAction* stc = nullptr;
    QMenu* chm = nullptr;  // "Chime"
    QAction* ba = nullptr;
    QAction* mab = nullptr;
    QMenu* remove = nullptr;  // "&Remove"
    QAction* removeall = nullptr;
    QAction* removesel = nullptr;

    // --- Flags shared between the features -------------------------------
    bool startingUp = false;
    bool helpOn = false;
    bool kk = false;
    bool cb = false;
    bool music = false;
    bool ed = false;
    bool haveivisitedit = false;
    bool stopit = false;
    bool yoohoo = false;
    bool comehere = false;
    bool doipt = false;
    bool chimeStruck = false;
    bool chimeOn = false;
    bool viewerOpen = false;
    bool centredLayout = false;
    bool compactLayout = false;
    bool smallSize = false;
    bool compactSize = false;
    bool alarmRinging = false;
    bool ignoreListClick = false;
    QString chimeMode;
    QString bellChoice;

    // --- Feature entry points, filled in by the features that own them ----
    // The clock tick's steps that belong to other features.
    void alarmStep(const texts::TimeParts& now);     // alarm clash checks and ringing
    void reminderCheck(const texts::TimeParts& now); // due appointments
    void chimeStep(const texts::TimeParts& now);     // hourly strikes
    void dailyCheck();                               // past appointments, today's list
    // Load step 16: the sound device made ready with bell.wav.
    void prepareSoundDevice();
    // Load step 19: the size saved at the last exit.
    void applySavedSize(const QString& sizeWord);
    // Shows a help page (when help is on) in the help window.
    void showHelpPage(const QString& pageName);
    // Load step 20 and unload step 6.
    void showIntroHelp();
    void unloadHelp();
    // The window a help page is shown beside: the planner while it is open,
    // else this one.
    QWidget* helpAnchor();

    // --- The sound procedures (the alarm sound, a bell stroke, the end of
    // an hourly chime with its tune) ---------------------------------------
    void alarm();
    bool chimey();
    void ringdude();
    // The alarm sound held while a question or reminder waits for its answer
    // (it starts again whenever it ends), and released once it is answered.
    void holdAlarm();
    void releaseAlarm();

    // Loads the planner window; when it is already loaded nothing happens.
    // The caller hides this window first. When the planner unloads, this
    // window is enabled and shown again.
    void loadPlanner();
    // What "Scheduler and diary" does: this window hides and the planner
    // loads, with its help page when help is on.
    void openPlanner();
    Form2* planner() const;
    // The switch "Start with the desktop" that Check4 and the tray show.
    StartWithDesktop& startWithDesktop() { return *m_startWithDesktop; }
    // The clean-up of past appointments and the rebuilding of today's
    // reminder list List2; the planner window runs it too.
    ObsoleteCleanup& obsoleteCleanup();
    // Today's reminders: which are queued, which is handed to the planner.
    ReminderCheck& reminders();

    // The size word saved at exit: "compact", "small" or "normal".
    QString sizeWord() const;
    // The four frame lines in the normal size.
    void placeLinesNormal();
    void repaintLines();

    // --- Clock: the tick, the sizes and the settings panel -----------------
    // One clock tick, as Timer1 runs it every 900 ms.
    void tick();
    // The normal clock size again (flags, window, frame lines, clock face),
    // as a click on the clock face restores it.
    void restoreNormalClock();
    // Shows a pop-up menu and returns the action chosen (null when none),
    // whose triggered() has run: at the pointer after a click, or at the
    // control with the focus when asked for from the keyboard.
    QAction* popUpMenu(QMenu* menu);
    ClockSettingsPanel& settingsPanel() { return *m_settingsPanel; }
    const ClockTick& clockTick() const { return *m_clockTick; }
    // Fires at the start of each second while the clock runs.
    SecondTimer& secondTimer() { return *m_secondTimer; }
    // --- Picture viewer ---------------------------------------------------
    // The viewer (image list, layouts, full screen and slide show).
    PictureViewer& pictureViewer() { return *m_pictureViewer; }
    // Makes the viewer's own controls, wired, named and styled, the first
    // time something needs them (the viewer opening): an idle clock never
    // shows them, and they would cost it memory all day.
    void makeViewerControls();
    bool viewerControlsMade() const { return List1 != nullptr; }
    // "Enable Full Screen Mode" is ticked; false while it has never been made.
    bool fullScreenTicked() const;

signals:
    // The window has finished its unload step.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildControls();
    void applySavedChimeMode(const QString& mode);
    void keepOnScreen();
    void on_Timer1_timeout();
    void on_Command13_clicked();
    void on_planner_unloaded();

    // --- Clock: handlers and features -------------------------------------
    void setUpClock();
    void on_Command1_clicked();
    void on_Command2_clicked();
    void on_Command5_clicked();
    void on_Command6_clicked();
    void on_Command9_clicked();
    void on_Command10_clicked();
    void on_Small1_triggered();
    void on_Compact_triggered();
    void on_stc_triggered();
    void on_HScroll1_valueChanged(int value);
    void on_HScroll2_valueChanged(int value);
    void on_HScroll3_valueChanged(int value);
    void on_Slider_clicked();
    void on_Check4_clicked(bool checked);
    void on_m_secondTimer_secondStarted();
    std::unique_ptr<ClockTick> m_clockTick;
    std::unique_ptr<ClockSizes> m_clockSizes;
    std::unique_ptr<ClockSettingsPanel> m_settingsPanel;
    SecondTimer* m_secondTimer = nullptr;
    ClockWindowAccess* m_access = nullptr;

    AppContext& m_app;
    Services m_services;
    // Sound, alarm and chime.
    std::unique_ptr<SoundProcedures> m_soundProcedures;
    std::unique_ptr<Alarm> m_alarm;
    std::unique_ptr<Chime> m_chime;
    FrameLinesOverlay* m_lines = nullptr;
    QString m_savedSize;
    bool m_unloaded = false;
    QPointer<Form2> m_planner;

    // Picture viewer.
    std::unique_ptr<ImageList> m_imageList;
    std::unique_ptr<PictureViewer> m_pictureViewer;
    std::unique_ptr<ObsoleteCleanup> m_obsoleteCleanup;
    // Reminders.
    std::unique_ptr<ReminderCheck> m_reminderCheck;
    StartWithDesktop* m_startWithDesktop = nullptr;
};
