#pragma once

#include "platform/IDialogs.h"

class QFont;
class QSize;
class QWidget;

// Real dialogs: QMessageBox, QInputDialog, QFileDialog and QFontDialog,
// parented to the active window so they stay in front of it.
class QtDialogs final : public IDialogs {
public:
    void message(const QString& text) override;
    void longMessage(const QString& text) override;
    bool question(const QString& text) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    void openMessage(QObject* owner, const QString& text, std::function<void()> answered) override;
    void openQuestion(QObject* owner, const QString& text, DefaultAnswer defaultAnswer,
                      std::function<void(bool)> answered) override;
    std::optional<QString> openFile(const QString& folder, const QString& filter,
                                    const QString& title) override;
    std::optional<QString> saveFile(const QString& suggested, const QString& filter,
                                    const QString& title) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    std::optional<int> chooseItem(const QString& prompt, const QStringList& items) override;

    // Whether a message of this text, in this font, fits in three quarters
    // of the available screen area; a longer one is shown scrollable.
    static bool fitsOnScreen(const QString& text, const QFont& font, const QSize& available);
};
