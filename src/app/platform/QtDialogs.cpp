#include "platform/QtDialogs.h"

#include <QApplication>
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

std::optional<FontChoice> QtDialogs::chooseFont(const FontChoice& initial) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial.font, owner());
    if (!ok) return std::nullopt;
    // Qt's font dialog has no colour choice: the colour comes from a
    // colour dialog that follows it, starting at the current colour.
    return FontChoice{font, initial.color};
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
