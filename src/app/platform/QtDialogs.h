#pragma once

#include "platform/IDialogs.h"

class QWidget;

// Real dialogs: message boxes fitted to their text and screen, QInputDialog,
// QFileDialog and QFontDialog, parented to the active window so they stay in
// front of it.
class QtDialogs final : public IDialogs {
public:
    void message(const QString& text, MessageKind kind = MessageKind::Notice) override;
    void longMessage(const QString& text) override;
    bool question(const QString& text) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    void openMessage(QObject* owner, const QString& text, std::function<void()> answered,
                     MessageKind kind = MessageKind::Notice) override;
    void openQuestion(QObject* owner, const QString& text, DefaultAnswer defaultAnswer,
                      std::function<void(bool)> answered,
                      TextLayout layout = TextLayout::Prose) override;
    std::optional<QString> openFile(const QString& folder, const QString& filter,
                                    const QString& title) override;
    std::optional<QString> saveFile(const QString& suggested, const QString& filter,
                                    const QString& title) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    std::optional<int> chooseItem(const QString& prompt, const QStringList& items) override;
};
