#include "HelpWindow.h"

#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <cctype>

#include "AppContext.h"
#include "SettingsStore.h"
#include "Twips.h"

namespace {

// The window's designed size, in twips.
constexpr double kWidth = 5400;
constexpr double kHeight = 6000;
constexpr double kMargin = 120;
constexpr double kButtonWidth = 1560;
constexpr double kButtonHeight = 420;

// Stand-in until the rich-text box is in the house: the text of a page, its
// paragraphs and bullets kept, its formatting dropped.
QString pageText(const QByteArray& rtf) {
    QString text;
    int depth = 0;
    int skipBelow = -1;  // inside a font or colour table when depth > skipBelow
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth <= skipBelow) skipBelow = -1;
        } else if (c == '\\') {
            qsizetype j = i + 1;
            while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
            const QByteArray word = rtf.mid(i + 1, j - i - 1);
            if (word.isEmpty() && j < rtf.size()) {
                if (rtf[j] == '\'' && j + 2 < rtf.size()) {
                    if (skipBelow < 0) text += QChar(rtf.mid(j + 1, 2).toInt(nullptr, 16));
                    j += 2;
                } else if (skipBelow < 0) {
                    text += QLatin1Char(rtf[j]);
                }
                i = j;
                continue;
            }
            while (j < rtf.size() &&
                   (rtf[j] == '-' || std::isdigit(static_cast<unsigned char>(rtf[j]))))
                ++j;
            if (j < rtf.size() && rtf[j] == ' ') ++j;
            i = j - 1;
            if (word == "fonttbl" || word == "colortbl") skipBelow = depth - 1;
            if (skipBelow >= 0) continue;
            if (word == "par")
                text += QLatin1Char('\n');
            else if (word == "tab")
                text += QLatin1Char('\t');
            else if (word == "bullet")
                text += QChar(0x2022);
        } else if (c != '\r' && c != '\n' && skipBelow < 0 && depth > 0) {
            text += QLatin1Char(c);
        }
    }
    return text;
}

// Space between the paragraphs of a page, and before its headings, for the
// paragraphs the page gives no spacing of its own. A heading is a paragraph
// set wholly in bold.
void spaceParagraphs(QTextDocument* document) {
    const double after = twips::toPixels(60);
    const double beforeHeading = twips::toPixels(120);
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (format.topMargin() != 0 || format.bottomMargin() != 0) continue;
        bool wholeBold = !block.text().trimmed().isEmpty();
        for (auto it = block.begin(); wholeBold && !it.atEnd(); ++it)
            wholeBold = it.fragment().text().trimmed().isEmpty() ||
                        it.fragment().charFormat().fontWeight() >= QFont::Bold;
        format.setBottomMargin(after);
        if (wholeBold && block.blockNumber() > 0) format.setTopMargin(beforeHeading);
        QTextCursor(block).setBlockFormat(format);
    }
}

}  // namespace

HelpWindow::HelpWindow(AppContext& app, QWidget* parent) : QWidget(parent, Qt::Window), m_app(app) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Tavenel : Support for first time users"));

    RichTextBox1 = new QTextEdit(this);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setReadOnly(true);
    RichTextBox1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Numbered steps are written as the number, a tab and the text.
    RichTextBox1->setTabStopDistance(twips::toPixels(360));

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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    RichTextBox1->setPlainText(pageText(file.readAll()));
    spaceParagraphs(RichTextBox1->document());
    return true;
}

void HelpWindow::loadBeside(const QWidget* clockWindow) {
    if (m_loaded) {
        raise();
        return;
    }
    m_loaded = true;
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
    hide();
    RichTextBox1->clear();
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
