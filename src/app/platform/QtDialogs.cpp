#include "platform/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>

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
