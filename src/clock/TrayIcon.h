#pragma once

#include <QDateTime>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QSystemTrayIcon;
class Form1;
class StoredRecord;

// The clock's icon in the desktop's system tray. Its tool tip tells the time
// and today's next appointment; its menu shows the clock, opens the planner,
// switches "Start with the desktop" and quits. While a tray is there,
// minimising the clock window hides it to the tray; where the desktop has
// none, the icon simply never appears and minimising works as usual.
//
// With the icon, a hidden clock window is a normal state of the program, so
// the run no longer ends when the last visible window closes (a message box
// while the clock is in the tray would end it); it ends when the clock window
// has unloaded and the planner is not open.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    // `trayAvailable` tells whether the desktop has a tray at the moment.
    explicit TrayIcon(Form1& form, std::function<bool()> trayAvailable = &TrayIcon::desktopHasTray);
    ~TrayIcon() override;

    static bool desktopHasTray();

    // The tool tip at `now`, with the next appointment of today if any.
    struct Next {
        QTime at;
        QString text;
    };
    static QString toolTipText(const QDateTime& now, const std::optional<Next>& next,
                               const QLocale& locale = QLocale::system());
    // Today's next appointment at or after `now` among the stored records.
    static std::optional<Next> nextToday(const std::vector<QVariantList>& records,
                                         const QDateTime& now);

    QMenu* menu() const { return m_menu; }
    QString toolTip() const { return m_toolTip; }
    // Reads the table again and writes the tool tip.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Keeps in `next` the earlier of it and `record`, when the record falls
    // on today at or after this minute.
    static void keepEarlier(std::optional<Next>& next, const StoredRecord& record,
                            const QDateTime& now);
    void showIcon();
    void on_Timer1_timeout();
    void on_showClock_triggered();
    void on_planner_triggered();
    void on_startWithDesktop_triggered(bool checked);
    void on_quit_triggered();
    void on_menu_aboutToShow();
    void on_form_unloaded();
    void scheduleRefresh();

    Form1& m_form;
    std::function<bool()> m_trayAvailable;
    QSystemTrayIcon* m_icon = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_showClock = nullptr;
    QAction* m_planner = nullptr;
    QAction* m_startWithDesktop = nullptr;
    QAction* m_quit = nullptr;
    QString m_toolTip;
    int m_shownMinute = -1;
    bool m_refreshPending = false;
};
