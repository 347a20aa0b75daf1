#include "platform/FittedMessageBox.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QStyle>
#include <algorithm>
#include <climits>

namespace {
// The widest a message box lets prose run before it wraps it.
int proseWidth(const QSize& available) { return std::min(available.width() / 2, 500); }

// The room the text takes in the box: a listing line for line, prose
// wrapped at the box's width.
QSize textSize(const QString& text, const QFont& font, const QSize& available, TextLayout layout) {
    const QFontMetrics metrics(font);
    const QString plain = QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (layout == TextLayout::Prose)
        return metrics
            .boundingRect(QRect(0, 0, proseWidth(available), INT_MAX / 4), Qt::TextWordWrap, plain)
            .size();
    const QStringList lines = plain.split(QLatin1Char('\n'));
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    const qint64 height = qint64(lines.size()) * metrics.lineSpacing();
    return {widest, int(std::min<qint64>(height, INT_MAX / 4))};
}

QSize mostOf(const QSize& available) {
    return {available.width() * 3 / 4, available.height() * 3 / 4};
}
}  // namespace

FittedMessageBox::FittedMessageBox(Icon icon, const QString& text, StandardButtons buttons,
                                   TextLayout layout, QWidget* parent)
    : QMessageBox(icon, QString::fromLatin1(kMessageTitle), text, buttons, parent),
      m_layout(layout),
      m_label(findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
    // An appointment's text or a file name that looks like markup ("<b>")
    // is shown as it was typed.
    setTextFormat(Qt::PlainText);
    if (m_label && layout == TextLayout::Listing) {
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fixed.setPointSizeF(m_label->font().pointSizeF());
        m_label->setFont(fixed);
        // Out of the layout before the box is first shown: the box lays
        // itself out before its show event, and a label would lay out all
        // of its text there.
        putListingInView();
    }
}

bool FittedMessageBox::fitsOnScreen(const QString& text, const QFont& font, const QSize& available,
                                    TextLayout layout) {
    const QSize size = textSize(text, font, available, layout);
    const QSize most = mostOf(available);
    return size.width() <= most.width() && size.height() <= most.height();
}

void FittedMessageBox::showEvent(QShowEvent* event) {
    makeRoomForTitle();
    const QWidget* near = parentWidget() ? parentWidget() : this;
    const QScreen* shownOn = near->screen();
    const QRect area = shownOn ? shownOn->availableGeometry() : QRect(0, 0, 800, 600);
    // A listing always goes in a pane: it may then run wider than prose
    // without being wrapped.
    if (m_label && m_pane && m_layout == TextLayout::Listing)
        sizePane(m_pane, area.size());
    else if (m_label && !m_pane && !fitsOnScreen(text(), m_label->font(), area.size(), m_layout))
        putTextInPane(area.size());
    // Sizes the box to its layout, wrapping the text as prose.
    QMessageBox::showEvent(event);
    // A box near the screen's height is placed in its middle: a window
    // manager's own placement may put it where its buttons are off the
    // screen.
    if (!event->spontaneous() && height() > area.height() / 2)
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
}

void FittedMessageBox::makeRoomForTitle() {
    auto* buttons = findChild<QDialogButtonBox*>();
    if (!buttons || !layout()) return;
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    // Beside the title the window manager puts the window's icon and its
    // own buttons: room for them, about eight lines' heights, on top.
    const int room = metrics.horizontalAdvance(windowTitle()) + 8 * metrics.height();
    const QMargins margins = layout()->contentsMargins();
    buttons->setMinimumWidth(room - margins.left() - margins.right());
}

bool FittedMessageBox::replaceLabel(QWidget* pane) {
    auto* grid = qobject_cast<QGridLayout*>(layout());
    const int index = grid ? grid->indexOf(m_label) : -1;
    if (index < 0) return false;
    int row = 0;
    int column = 0;
    int rows = 1;
    int columns = 1;
    grid->getItemPosition(index, &row, &column, &rows, &columns);
    grid->removeWidget(m_label);
    grid->addWidget(pane, row, column, rows, columns);
    m_pane = pane;
    // Made while the box may be being shown: the box's layout counts it
    // only once it is visible.
    pane->show();
    return true;
}

void FittedMessageBox::sizePane(QWidget* pane, const QSize& available) {
    // A character's width more than the text: a text view also keeps room
    // for its cursor after the longest line.
    const QSize text = textSize(this->text(), m_label->font(), available, m_layout) +
                       QSize(m_label->fontMetrics().averageCharWidth() * 2, 0);
    const QSize most = mostOf(available);
    const int bar = pane->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, pane);
    const bool scrollsDown = text.height() > most.height();
    const bool scrollsAcross = text.width() > most.width();
    pane->setMinimumSize(std::min(text.width(), most.width()) + (scrollsDown ? bar : 0),
                         std::min(text.height(), most.height()) + (scrollsAcross ? bar : 0));
}

void FittedMessageBox::putTextInPane(const QSize& available) {
    auto* pane = new QScrollArea(this);
    pane->setFrameShape(QFrame::NoFrame);
    pane->setWidgetResizable(true);
    if (!replaceLabel(pane)) {
        delete pane;
        return;
    }
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pane->setWidget(m_label);
    sizePane(pane, available);
}

void FittedMessageBox::putListingInView() {
    auto* view = new QPlainTextEdit(this);
    if (!replaceLabel(view)) {
        delete view;
        return;
    }
    // The label keeps the text (the box's text() and what a screen reader
    // reads as its message) but is never laid out: the view shows it.
    m_label->hide();
    view->setReadOnly(true);
    // A line of a listing may be worth copying (a file name, a time).
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFrameShape(QFrame::NoFrame);
    view->setFont(m_label->font());
    // On the box's own colour, as the label it stands for.
    QPalette colours = view->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Window));
    view->setPalette(colours);
    view->document()->setDocumentMargin(0);
    view->setPlainText(QString(text()).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    view->setAccessibleName(windowTitle());
}
