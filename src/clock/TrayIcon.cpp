#include "clock/TrayIcon.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLocale>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

#include "StartWithDesktop.h"
#include "Texts.h"
#include "clock/Form1.h"
#include "clock/ReminderList.h"
#include "platform/IClock.h"
#include "scheduler/AppointmentBook.h"
#include "scheduler/AppointmentSlot.h"
#include "scheduler/Form2.h"

namespace {

// The longest appointment text a tool tip shows.
constexpr int kTextLength = 60;

// A time as the desktop writes it briefly, without seconds even where its
// short format has them.
QString minuteText(const QTime& time, const QLocale& locale) {
    return locale.toString(time, texts::formatWithout(locale.timeFormat(QLocale::ShortFormat), QLatin1Char('s')));
}

void bringToFront(QWidget* window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

TrayIcon::TrayIcon(Form1& form, std::function<bool()> trayAvailable)
    : QObject(&form), m_form(form), m_trayAvailable(std::move(trayAvailable)) {
    // Not a child of the clock window: a menu of a disabled window would be
    // disabled too.
    m_menu = new QMenu;
    m_menu->setObjectName(QStringLiteral("trayMenu"));
    m_showClock = m_menu->addAction(QStringLiteral("Show the clock"));
    m_planner = m_menu->addAction(QStringLiteral("Scheduler and diary"));
    m_startWithDesktop = m_menu->addAction(QStringLiteral("Start with the desktop"));
    m_startWithDesktop->setCheckable(true);
    m_menu->addSeparator();
    m_quit = m_menu->addAction(QStringLiteral("Quit"));

    connect(m_showClock, &QAction::triggered, this, &TrayIcon::on_showClock_triggered);
    connect(m_planner, &QAction::triggered, this, &TrayIcon::on_planner_triggered);
    connect(m_startWithDesktop, &QAction::triggered, this,
            &TrayIcon::on_startWithDesktop_triggered);
    connect(m_quit, &QAction::triggered, this, &TrayIcon::on_quit_triggered);
    connect(m_menu, &QMenu::aboutToShow, this, &TrayIcon::on_menu_aboutToShow);
    connect(&form.startWithDesktop(), &StartWithDesktop::changed, m_startWithDesktop,
            &QAction::setChecked);

    // The tool tip follows the minute, and today's list whenever it is rebuilt.
    connect(form.Timer1, &QTimer::timeout, this, &TrayIcon::on_Timer1_timeout);
    connect(form.List2, &ReminderList::changed, this, &TrayIcon::scheduleRefresh);

    QApplication::setQuitOnLastWindowClosed(false);
    connect(&form, &Form1::unloaded, this, &TrayIcon::on_form_unloaded);
    form.installEventFilter(this);
    // Before the first paint only when the window has been painted already.
    if (form.isVisible() && !form.visibleRegion().isEmpty()) showIcon();
}

TrayIcon::~TrayIcon() {
    delete m_menu;
}

bool TrayIcon::desktopHasTray() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

QString TrayIcon::toolTipText(const QDateTime& now, const std::optional<Next>& next,
                              const QLocale& locale) {
    QString text = QStringLiteral("Tavenel, ") + minuteText(now.time(), locale);
    if (!next) return text + QStringLiteral("\nNo more appointments today");
    QString what = next->text.section(QLatin1Char('\n'), 0, 0).trimmed();
    if (what.size() > kTextLength) what = what.left(kTextLength - 1).trimmed() + QChar(0x2026);
    text += QStringLiteral("\nNext today: ") + minuteText(next->at, locale);
    if (!what.isEmpty()) text += QStringLiteral("  ") + what;
    return text;
}

std::optional<TrayIcon::Next> TrayIcon::nextToday(const std::vector<QVariantList>& records,
                                                  const QDateTime& now) {
    std::optional<Next> next;
    for (const QVariantList& record : records) keepEarlier(next, StoredRecord(record), now);
    return next;
}

void TrayIcon::keepEarlier(std::optional<Next>& next, const StoredRecord& record,
                           const QDateTime& now) {
    const QTime thisMinute(now.time().hour(), now.time().minute());
    const auto start = AppointmentSlot::dateAndTimeOf(record);
    if (!start || start->date != now.date() || start->time < thisMinute) return;
    if (!next || start->time < next->at) next = Next{start->time, record.text(Appointment::Text)};
}

void TrayIcon::refresh() {
    m_refreshPending = false;
    const QDateTime now = m_form.services().clock->now();
    m_shownMinute = now.time().hour() * 60 + now.time().minute();
    // Once a minute: the table is visited as stored, not copied record by record.
    std::optional<Next> next;
    AppointmentBook(m_form.app()).scanAll(
        [&](const StoredRecord& record) { keepEarlier(next, record, now); });
    m_toolTip = toolTipText(now, next);
    if (m_icon) m_icon->setToolTip(m_toolTip);
}

void TrayIcon::scheduleRefresh() {
    // One reading of the table for changes that come together.
    if (m_refreshPending) return;
    m_refreshPending = true;
    QTimer::singleShot(0, this, &TrayIcon::refresh);
}

void TrayIcon::on_Timer1_timeout() {
    const QTime now = m_form.services().clock->now().time();
    if (now.hour() * 60 + now.minute() != m_shownMinute) refresh();
}

void TrayIcon::showIcon() {
    if (m_icon) return;
    m_icon = new QSystemTrayIcon(QApplication::windowIcon(), this);
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                if (why == QSystemTrayIcon::Trigger || why == QSystemTrayIcon::DoubleClick)
                    on_showClock_triggered();
            });
    refresh();
    m_icon->show();
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_form) return false;
    if (event->type() == QEvent::Paint && !m_icon) {
        // Made once the clock has been drawn, so that it never delays it.
        QTimer::singleShot(0, this, &TrayIcon::showIcon);
    } else if (event->type() == QEvent::WindowStateChange && m_form.isMinimized() && m_icon &&
               m_trayAvailable()) {
        // Hidden once the state change is done, to the tray instead of the task bar.
        QTimer::singleShot(0, this, [this] {
            if (m_form.isMinimized()) m_form.hide();
        });
    }
    return false;
}

void TrayIcon::on_showClock_triggered() {
    bringToFront(&m_form);
}

void TrayIcon::on_planner_triggered() {
    Form2* planner = m_form.planner();
    if (planner && planner->isLoaded())
        bringToFront(planner);
    else
        m_form.openPlanner();
}

void TrayIcon::on_startWithDesktop_triggered(bool checked) {
    m_form.startWithDesktop().set(checked);
}

void TrayIcon::on_menu_aboutToShow() {
    m_form.startWithDesktop().refresh();
}

void TrayIcon::on_quit_triggered() {
    // As closing the clock window: the settings are stored and the help
    // question asked; the planner, if open, closes too.
    m_form.close();
    if (Form2* planner = m_form.planner(); planner && planner->isLoaded()) planner->close();
}

void TrayIcon::on_form_unloaded() {
    if (m_icon) m_icon->hide();
    Form2* planner = m_form.planner();
    if (planner && planner->isLoaded())
        connect(planner, &Form2::unloaded, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    else
        QCoreApplication::quit();
}
