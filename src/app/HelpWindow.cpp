#include "HelpWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextEdit>
#include <algorithm>

#include "Accessibility.h"
#include "AppContext.h"
#include "RichTextBox.h"
#include "SettingsStore.h"
#include "Twips.h"

namespace {

// The window's designed size, in twips.
constexpr double kWidth = 5760;
constexpr double kHeight = 7680;
constexpr double kMargin = 120;
constexpr double kButtonWidth = 1560;
constexpr double kButtonHeight = 420;

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

void HelpWindow::loadBeside(const QWidget* clockWindow) {
    if (m_loaded) {
        raise();
        return;
    }
    m_loaded = true;
    m_beside = const_cast<QWidget*>(clockWindow);
    // Against the clock window's right side: its outer width includes the
    // frame the window manager draws round it.
    const double frame =
        twips::fromPixels(clockWindow->frameGeometry().width() - clockWindow->width());
    double left = twips::left(clockWindow) + twips::width(clockWindow) + frame;
    double top = twips::top(clockWindow);
    // A clock near the screen's right or lower edge would put the help out of
    // sight; keep it on the screen then.
    if (const QScreen* screen = clockWindow->screen()) {
        const QRect area = screen->availableGeometry();
        const double right = twips::fromPixels(area.right() + 1);
        const double bottom = twips::fromPixels(area.bottom() + 1);
        const double width = twips::fromPixels(this->width());
        const double height = twips::fromPixels(this->height());
        if (left + width > right) left = std::max(twips::fromPixels(area.left()), right - width);
        if (top + height > bottom) top = std::max(twips::fromPixels(area.top()), bottom - height);
    }
    twips::move(this, left, top);
    show();
    activateWindow();
    RichTextBox1->setFocus();
}

void HelpWindow::unload() {
    if (!m_loaded) return;
    m_loaded = false;
    const bool hadKeyboard = isActiveWindow();
    hide();
    if (hadKeyboard && m_beside && m_beside->isVisible()) m_beside->activateWindow();
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
