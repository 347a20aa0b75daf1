#include "platform/QtDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace {
QWidget* owner() { return QApplication::activeWindow(); }

// Swallows the keyboard for a box's first second on screen, so that a key
// meant for another window (Return, Space, Escape) cannot answer it unseen.
class KeyGuard final : public QObject {
public:
    explicit KeyGuard(QWidget* box) : m_box(box) {
        m_shown.start();
        qApp->installEventFilter(this);
    }
    ~KeyGuard() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
                break;
            default:
                return false;
        }
        if (m_shown.elapsed() >= 1000) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        return widget && (widget == m_box || m_box->isAncestorOf(widget));
    }

private:
    QWidget* m_box;
    QElapsedTimer m_shown;
};

int execUnbidden(QMessageBox& box) {
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    KeyGuard guard(&box);
    box.show();
    box.raise();
    box.activateWindow();
    return box.exec();
}
}  // namespace

void QtDialogs::message(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kMessageTitle), text, QMessageBox::Ok,
                    owner());
    box.exec();
}

bool QtDialogs::question(const QString& text) {
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kMessageTitle), text,
                    QMessageBox::Yes | QMessageBox::No, owner());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void QtDialogs::unbiddenMessage(const QString& text) {
    QMessageBox box(QMessageBox::Information, QString::fromLatin1(kMessageTitle), text, QMessageBox::Ok,
                    owner());
    execUnbidden(box);
}

bool QtDialogs::unbiddenQuestion(const QString& text) {
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kMessageTitle), text,
                    QMessageBox::Yes | QMessageBox::No, owner());
    box.setDefaultButton(QMessageBox::Yes);
    return execUnbidden(box) == QMessageBox::Yes;
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title,
                            const QString& defaultText) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(owner(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

std::optional<QString> QtDialogs::openFile(const QString& folder, const QString& filter,
                                           const QString& title) {
    const QString path = QFileDialog::getOpenFileName(owner(), title, folder, filter);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<int> QtDialogs::chooseItem(const QString& prompt, const QStringList& items) {
    if (items.isEmpty()) return std::nullopt;
    QInputDialog dialog(owner());
    dialog.setWindowTitle(QString::fromLatin1(kMessageTitle));
    dialog.setLabelText(prompt);
    dialog.setComboBoxItems(items);
    dialog.setComboBoxEditable(false);
    dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
    dialog.setTextValue(items.first());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const int index = int(items.indexOf(dialog.textValue()));
    if (index < 0) return std::nullopt;
    return index;
}

std::optional<FontChoice> QtDialogs::chooseFont(const FontChoice& initial) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial.font, owner());
    if (!ok) return std::nullopt;
    // Qt's font dialog has no colour choice: the colour comes from a
    // colour dialog that follows it, starting at the current colour.
    // Cancelling that one keeps the colour as it was.
    const QColor color = QColorDialog::getColor(initial.color, owner(), QStringLiteral("Colour"));
    return FontChoice{font, color.isValid() ? color : initial.color};
}

bool QtDialogs::fitsOnScreen(const QString& text, const QFont& font, const QSize& available) {
    const QFontMetrics metrics(font);
    const QStringList lines =
        QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).split(QLatin1Char('\n'));
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    const qint64 height = qint64(lines.size()) * metrics.lineSpacing();
    return widest <= available.width() * 3 / 4 && height <= available.height() * 3 / 4;
}

void QtDialogs::longMessage(const QString& text) {
    QScreen* screen = owner() ? owner()->screen() : QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableSize() : QSize(800, 600);
    if (fitsOnScreen(text, QApplication::font(), available)) {
        message(text);
        return;
    }
    // Too long for a message box: the same text, one line per entry, in a
    // read-only box the user can scroll, with the OK button below it.
    QDialog dialog(owner());
    dialog.setWindowTitle(QString::fromLatin1(kMessageTitle));
    auto* layout = new QVBoxLayout(&dialog);
    auto* view = new QPlainTextEdit(&dialog);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setPlainText(text);
    layout->addWidget(view);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.resize(available.width() * 3 / 4, available.height() * 3 / 4);
    dialog.exec();
}
