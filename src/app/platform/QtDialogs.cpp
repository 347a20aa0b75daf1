#include "platform/QtDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>

#include "platform/FittedMessageBox.h"

namespace {
QWidget* owner() { return QApplication::activeWindow(); }

// Swallows the keyboard for a box's first second on screen, so that a key
// meant for another window (Return, Space, Escape) cannot answer it unseen.
// A child of the box: it goes when the box goes.
class KeyGuard final : public QObject {
public:
    explicit KeyGuard(QWidget* box) : QObject(box), m_box(box) {
        m_shown.start();
        qApp->installEventFilter(this);
    }
    ~KeyGuard() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Show:
                // The second counts from the box being on the screen: the
                // first box of a run can take a while to build and lay out.
                if (watched == m_box) m_shown.restart();
                return false;
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

// An unbidden box, shown without waiting. It stands on its own (no parent
// window that could take it along), keeps the program's other windows from
// input like a modal box, stays in front and deletes itself once closed.
// The answer goes to `answered` unless `owner` has gone by then; when the
// owner goes first, the box goes with it.
void openUnbidden(QMessageBox* box, QObject* owner, std::function<void(int)> answered) {
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    new KeyGuard(box);
    if (owner) {
        QObject::connect(owner, &QObject::destroyed, box, &QObject::deleteLater);
        // Queued: the answer runs once the box has finished handling the
        // click, so that whatever the answer does (a window animation that
        // delivers posted events, the box's own deletion among them) cannot
        // pull the box away under its own handler.
        QObject::connect(
            box, &QMessageBox::finished, owner,
            [answered = std::move(answered)](int result) {
                if (answered) answered(result);
            },
            Qt::QueuedConnection);
    }
    box->show();
    box->raise();
    box->activateWindow();
}
}  // namespace

void QtDialogs::message(const QString& text, MessageKind kind) {
    FittedMessageBox box(kind == MessageKind::Failure ? QMessageBox::Warning
                                                      : QMessageBox::Information,
                         text, QMessageBox::Ok, TextLayout::Prose, owner());
    box.exec();
}

void QtDialogs::longMessage(const QString& text) {
    FittedMessageBox box(QMessageBox::Information, text, QMessageBox::Ok, TextLayout::Listing,
                         owner());
    box.exec();
}

bool QtDialogs::question(const QString& text) {
    FittedMessageBox box(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                         TextLayout::Prose, owner());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void QtDialogs::openMessage(QObject* owner, const QString& text, std::function<void()> answered,
                            MessageKind kind) {
    auto* box = new FittedMessageBox(
        kind == MessageKind::Failure ? QMessageBox::Warning : QMessageBox::Information, text,
        QMessageBox::Ok);
    openUnbidden(box, owner, [answered = std::move(answered)](int) {
        if (answered) answered();
    });
}

void QtDialogs::openQuestion(QObject* owner, const QString& text, DefaultAnswer defaultAnswer,
                             std::function<void(bool)> answered, TextLayout layout) {
    auto* box =
        new FittedMessageBox(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, layout);
    box->setDefaultButton(defaultAnswer == DefaultAnswer::Yes ? QMessageBox::Yes : QMessageBox::No);
    openUnbidden(box, owner, [answered = std::move(answered)](int result) {
        if (answered) answered(result == QMessageBox::Yes);
    });
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

std::optional<QString> QtDialogs::saveFile(const QString& suggested, const QString& filter,
                                           const QString& title) {
    QFileDialog dialog(owner(), title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // "Calendar files (*.ics)" gives "ics".
    const QRegularExpression firstEnding(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    if (const auto match = firstEnding.match(filter); match.hasMatch())
        dialog.setDefaultSuffix(match.captured(1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
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
