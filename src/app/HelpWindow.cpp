#include "HelpWindow.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>

#include "Accessibility.h"
#include "AppContext.h"
#include "RichTextBox.h"
#include "SettingsStore.h"
#include "Twips.h"
#include "WindowFrame.h"

namespace {

// The window's designed size, in twips.
constexpr double kWidth = 5760;
constexpr double kHeight = 7680;
constexpr double kMargin = 120;
constexpr double kButtonWidth = 1560;
constexpr double kButtonHeight = 420;
// How long the anchor must keep its size before the help moves out of its way.
constexpr int kSettleMs = 150;

}  // namespace

HelpWindow::HelpWindow(AppContext& app, QWidget* parent) : QWidget(parent, Qt::Window), m_app(app) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Tavenel : Support for first time users"));

    RichTextBox1 = new RichTextBox(this);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    QTextEdit* page = RichTextBox1->editor();
    page->setReadOnly(true);
    page->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // The keys scroll and select, but a blinking caret would make the page
    // look editable.
    page->setCursorWidth(0);
    // Numbered steps are written as the number, a tab and the text.
    page->setTabStopDistance(twips::toPixels(360));

    Command2 = new QPushButton(QStringLiteral("Disable help"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setToolTip(QStringLiteral("No more help pages, now or in later runs"));
    Command1 = new QPushButton(QStringLiteral("Close"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);

    setMinimumSize(twips::toPixels(2 * kButtonWidth + 3 * kMargin),
                   twips::toPixels(3 * kButtonHeight));
    twips::resize(this, kWidth, kHeight);
    layoutControls();

    m_clearTimer = new QTimer(this);
    m_clearTimer->setSingleShot(true);
    m_clearTimer->setInterval(kSettleMs);
    connect(m_clearTimer, &QTimer::timeout, this, &HelpWindow::on_m_clearTimer_timeout);

    connect(Command1, &QPushButton::clicked, this, &HelpWindow::on_Command1_clicked);
    connect(Command2, &QPushButton::clicked, this, &HelpWindow::on_Command2_clicked);

    // Escape closes the window, as "Close" does.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &HelpWindow::on_Command1_clicked);
    accessibility::describe(RichTextBox1, QStringLiteral("Help page"),
                            QStringLiteral("Escape closes the help"));
    accessibility::nameScrollBars(this);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::layoutControls() {
    // The window may have been resized by the user: work from its real size.
    const double width = twips::fromPixels(this->width());
    const double height = twips::fromPixels(this->height());
    const double buttonTop = height - kMargin - kButtonHeight;
    twips::place(RichTextBox1, kMargin, kMargin, width - 2 * kMargin, buttonTop - 2 * kMargin);
    twips::place(Command2, kMargin, buttonTop, kButtonWidth, kButtonHeight);
    twips::place(Command1, width - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
}

void HelpWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

bool HelpWindow::loadPage(const QString& path) {
    // A file that cannot be read leaves the box as it was.
    return RichTextBox1->loadFile(path);
}

HelpWindow::Place HelpWindow::placeBeside(const QRect& anchor, const QSize& frameSize, int minWidth,
                                           const QRect& area) {
    const int width = frameSize.width();
    const int height = frameSize.height();
    const int top = std::max(area.top(), std::min(anchor.top(), area.bottom() + 1 - height));
    const int roomRight = area.right() - anchor.right();
    const int roomLeft = anchor.left() - area.left();
    if (roomRight >= width) return {QRect(anchor.right() + 1, top, width, height)};
    if (roomLeft >= width) return {QRect(anchor.left() - width, top, width, height)};
    if (roomRight >= minWidth && roomRight >= roomLeft)
        return {QRect(anchor.right() + 1, top, roomRight, height)};
    if (roomLeft >= minWidth) return {QRect(area.left(), top, roomLeft, height)};
    const QRect wanted(anchor.right() + 1, top, width, height);
    return {QRect(windowframe::nearestInside(wanted, area), frameSize), false};
}

void HelpWindow::placeBesideAnchor(bool opening) {
    if (!m_anchor) return;
    // Before its first showing the window's own frame is not known yet: the
    // window manager frames it as it frames the anchor.
    const QMargins frame = windowframe::margins(this);
    const QRect anchor = windowframe::rect(m_anchor);
    const QSize designed(twips::toPixels(kWidth) + frame.left() + frame.right(),
                         height() + frame.top() + frame.bottom());
    const Place place = placeBeside(anchor, designed, minimumWidth() + frame.left() + frame.right(),
                                    windowframe::availableArea(anchor));
    // An open window with no room beside the anchor (a full-screen one)
    // only goes below it; a new one still opens where it can be seen.
    if (!place.clear && !opening) {
        lower();
        return;
    }
    twips::resize(this, twips::fromPixels(place.frame.width() - frame.left() - frame.right()),
                  twips::height(this));
    twips::move(this, twips::fromPixels(place.frame.left()), twips::fromPixels(place.frame.top()));
    if (!place.clear) lower();
}

bool HelpWindow::coversAnchor() const {
    return m_anchor && m_anchor->isVisible() &&
           windowframe::rect(this).intersects(windowframe::rect(m_anchor));
}

void HelpWindow::loadBeside(QWidget* anchor, const std::function<void()>& whenShown) {
    keepClearOf(anchor);
    if (m_loaded) {
        if (coversAnchor()) placeBesideAnchor(false);
        // Brought to the front, unless that would put it over the anchor.
        if (!coversAnchor()) raise();
        if (whenShown) whenShown();
        return;
    }
    m_loaded = true;
    twips::resize(this, kWidth, kHeight);
    // Placed before it is shown, beside where the window manager has framed
    // the anchor (a window shown a moment ago may not be framed yet).
    const QPointer<HelpWindow> self(this);
    windowframe::whenFramed(anchor, [self, whenShown] {
        if (self && self->m_loaded) {
            self->placeBesideAnchor(true);
            self->show();
            self->activateWindow();
            self->RichTextBox1->setFocus();
        }
        if (whenShown) whenShown();
    });
}

void HelpWindow::keepClearOf(QWidget* anchor) {
    if (m_anchor == anchor) return;
    if (m_anchor) m_anchor->removeEventFilter(this);
    m_anchor = anchor;
    if (!anchor) return;
    anchor->installEventFilter(this);
    if (isVisible()) m_clearTimer->start();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_anchor) {
        switch (event->type()) {
            case QEvent::Show:
            case QEvent::Resize:
            case QEvent::WindowStateChange:
                if (isVisible()) m_clearTimer->start();
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::on_m_clearTimer_timeout() {
    if (!m_loaded || !isVisible() || !m_anchor || !coversAnchor()) return;
    const QPointer<HelpWindow> self(this);
    windowframe::whenFramed(m_anchor, [self] {
        if (self && self->m_loaded && self->coversAnchor()) self->placeBesideAnchor(false);
    });
}

void HelpWindow::unload() {
    if (!m_loaded) return;
    m_loaded = false;
    const bool hadKeyboard = isActiveWindow();
    hide();
    if (hadKeyboard && m_anchor && m_anchor->isVisible()) m_anchor->activateWindow();
    RichTextBox1->setText(QString());
}

void HelpWindow::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

void HelpWindow::on_Command1_clicked() {
    unload();
}

void HelpWindow::on_Command2_clicked() {
    // A fresh record set on the flags table; an empty table leaves nothing to
    // change, and the window still closes.
    if (const std::unique_ptr<RecordSet> signal = m_app.openSignal()) settings::setHelpOff(*signal);
    unload();
}
