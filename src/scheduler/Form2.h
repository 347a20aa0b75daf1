#pragma once

#include <QPoint>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "AppContext.h"
#include "platform/Services.h"
#include "scheduler/PlannerMenus.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSlider;
class RichTextBox;
class QTimer;
class CalendarGrid;
class CalendarLabel;
class Form1;
class AppointmentPanel;
class ObsoleteCleanup;
class ReminderDisplay;
class DiaryEditor;
class DiaryEntries;
class IProgress;

// The planner window: the program's second window, loaded from the clock
// window. Its left part, always in view, is the month calendar; its right
// part, in view only while the window is wide, is either the scheduler panel
// or the diary editor. The window owns its controls under their design names
// and the steps the scheduler and the diary share: loading and unloading,
// widening, narrowing and centring, the panel's Close action, the pop-up
// menus and the tick.
class Form2 : public QWidget {
    Q_OBJECT
public:
    // Widths in twips: calendar only, and the widening and narrowing steps.
    static constexpr int kNarrowWidth = 5460;
    static constexpr int kWidestStep = 9885;
    static constexpr int kWidthStep = 200;
    static constexpr int kHeight = 4935;

    // The clock window may be null where the planner is used on its own.
    Form2(AppContext& app, const Services& services, Form1* clockWindow = nullptr,
          QWidget* parent = nullptr);
    ~Form2() override;

    // The load steps. Does nothing when the window is already loaded. Returns
    // false when the window could not load (the database is missing); it has
    // said so and unloaded itself then.
    bool load();
    bool isLoaded() const { return m_loaded; }

    // Places the window in the middle of the screen.
    void centerWindow();
    // Widens the window step by step to show the right part, then centres it.
    void widen();
    // Narrows it step by step, putting the right part out of view.
    void narrow();
    // The panel's Close action ("Close" of the scheduler panel).
    void closePanel();
    // Re-colours the calendar's days of the month on show.
    void markDays();
    // Shows the reminder that the flags record hands over.
    void showReminder();
    // The planner's copy of the refresh: the clean-up of past appointments
    // with today's reminder list, its own appointment box lent as scratch
    // space, then the calendar re-marked.
    void refresh();

    // --- Appointments ---------------------------------------------------
    // The scheduler panel: making, viewing and removing appointments.
    AppointmentPanel& panel();
    // The clean-up the refresh runs: the clock window's own when there is
    // one (so both windows share one open question), else the planner's.
    ObsoleteCleanup& obsoleteCleanup();

    CalendarGrid& calendar() { return *m_calendar; }
    AppContext& app() { return m_app; }
    const Services& services() const { return m_services; }
    Form1* clockWindow() const { return m_clockWindow; }

    // Shows a pop-up menu and returns the command chosen, after it has run;
    // null when the menu was dismissed. Every pop-up of the window goes
    // through here. It opens at `at` (screen coordinates) when given, else
    // at the pointer after a click, or at the control with the focus when
    // asked for from the keyboard.
    QAction* popUp(QMenu* menu, std::optional<QPoint> at = std::nullopt);

    // The planner tick, every 900 ms while the window is loaded.
    void on_Timer1_timeout();

    // --- The diary -------------------------------------------------------
    DiaryEditor& diaryEditor() { return *m_diaryEditor; }
    DiaryEntries& diaryEntries() { return *m_diaryEntries; }
    // What shows the progress of long listings; tests put in a recorder.
    void setDiaryProgress(IProgress* progress);

    // --- Controls, named as the window design names them -----------------
    QComboBox* Combo1 = nullptr;  // day
    QComboBox* Combo2 = nullptr;  // month
    QComboBox* Combo3 = nullptr;  // year
    // Label1 .. Label7 the weekday headers, Label8 .. Label49 the day cells.
    CalendarLabel* label(int number) const;
    CalendarLabel* dayCell(int index) const { return label(8 + index); }

    QGroupBox* Frame1 = nullptr;     // "Scheduler"
    QGroupBox* Frame2 = nullptr;     // "Time"
    QScrollBar* HScroll1 = nullptr;  // hour 1 .. 12
    QLabel* Label53 = nullptr;
    QLabel* Label54 = nullptr;       // ":"
    QScrollBar* HScroll2 = nullptr;  // minute 0 .. 59
    QLabel* Label55 = nullptr;
    QScrollBar* HScroll3 = nullptr;  // 1 PM, 2 AM
    QLabel* Label56 = nullptr;
    QGroupBox* Frame3 = nullptr;        // "Nature of appointment / Reminder"
    RichTextBox* RichTextBox2 = nullptr;  // the appointment's text
    QGroupBox* Frame4 = nullptr;        // "Control"
    QPushButton* Command1 = nullptr;    // "Make schedule" / "Remove schedule"
    QPushButton* Command2 = nullptr;    // "Close"

    RichTextBox* RichTextBox1 = nullptr;  // the diary editor
    RichTextBox* RichTextBox3 = nullptr;  // hidden scratch box
    QLabel* Label50 = nullptr;          // the editor's status
    QPushButton* Command3 = nullptr;    // "Diary Control"
    QSlider* Slider1 = nullptr;         // steps through the appointments of a date
    QTimer* Timer1 = nullptr;           // the planner tick, 900 ms

    PlannerMenus menus;

    // The number of appointments on the selected date, as "View/Remove
    // schedule" last counted them.
    qint16 schedulesOnDate = 0;

signals:
    // The window has run its unload step; the clock window shows itself again.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void buildCalendar();
    void buildRichTextBoxes();
    void connectHandlers();
    void unload();
    // The flags record's reminder hand-off, read from a fresh record set.
    void checkSignal();
    void setWidthStep(int width);
    bool onBackground(const QMouseEvent* event) const;

    void on_Command1_clicked();
    void on_Command2_clicked();
    void on_Command3_clicked();
    void on_HScroll1_valueChanged();
    void on_HScroll2_valueChanged();
    void on_HScroll3_valueChanged();
    void on_Slider1_valueChanged();
    // The clean-up deleted records, perhaps those the panel shows.
    void on_obsoleteCleanup_removed();

    // Day menu.
    void on_mark_triggered();
    void on_display_triggered();
    void on_sld_triggered();
    void on_ftw_triggered();
    void on_note1_triggered();
    void on_vea_triggered();
    void on_note2_triggered();
    void on_note3_triggered();
    void on_note4_triggered();
    void on_note5_triggered();
    // Diary editor menu.
    void on_New_triggered();
    void on_open_triggered();
    void on_Save_triggered();
    void on_qs_triggered();
    void on_pr_triggered();
    void on_Delete_triggered();
    void on_ev_triggered();
    void on_left_triggered();
    void on_right1_triggered();
    void on_center_triggered();
    void on_cf_triggered();
    void on_Undo_triggered();
    void on_copy_triggered();
    void on_Paste_triggered();
    void on_find_triggered();
    void on_clr_triggered();
    void on_close_triggered();
    void on_RichTextBox1_mouseDown(int button);
    // Window menu.
    void on_cc1_triggered();

    AppContext& m_app;
    Services m_services;
    Form1* m_clockWindow = nullptr;
    std::array<CalendarLabel*, 49> m_calendarLabels{};
    std::unique_ptr<CalendarGrid> m_calendar;
    bool m_loaded = false;

    // Appointments.
    std::unique_ptr<AppointmentPanel> m_panel;
    std::unique_ptr<ReminderDisplay> m_reminderDisplay;
    std::unique_ptr<ObsoleteCleanup> m_ownCleanup;

    // The diary: its editor, its entries and the progress of long listings
    // (its keys are a child object of the window).
    void buildDiary();
    std::unique_ptr<IProgress> m_diaryProgress;
    std::unique_ptr<DiaryEditor> m_diaryEditor;
    std::unique_ptr<DiaryEntries> m_diaryEntries;
};
