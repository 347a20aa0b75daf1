#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// The title every message box and question of the program carries.
inline constexpr const char* kMessageTitle = "Tavenel V 1.0";

// What the font dialog gave back: the font (with bold, italic, underline and
// size) and the colour chosen.
struct FontChoice {
    QFont font;
    QColor color;
};

// Modal messages, questions, input boxes and the common file and font
// dialogs. The real implementation shows Qt dialogs; tests script answers.
class IDialogs {
public:
    virtual ~IDialogs() = default;
    // A notice with an OK button, titled kMessageTitle.
    virtual void message(const QString& text) = 0;
    // A notice that may not fit on the screen (a list of many lines): shown
    // as an ordinary message when it fits, else as a text the user can
    // scroll, with an OK button and titled kMessageTitle.
    virtual void longMessage(const QString& text) { message(text); }
    // A Yes/No question titled kMessageTitle; true for Yes.
    virtual bool question(const QString& text) = 0;
    // An input box; an empty text when cancelled.
    virtual QString inputBox(const QString& prompt, const QString& title,
                             const QString& defaultText = QString()) = 0;
    // A notice or question that comes unbidden, from a timer rather than a
    // user's action (a due reminder, the ringing alarm): it is brought to the
    // front and ignores key presses for its first second, so that a user who
    // is typing elsewhere does not dismiss it unseen.
    virtual void unbiddenMessage(const QString& text) { message(text); }
    virtual bool unbiddenQuestion(const QString& text) { return question(text); }
    // The open-file dialog; nullopt when cancelled. filter uses Qt's syntax.
    virtual std::optional<QString> openFile(const QString& folder, const QString& filter,
                                            const QString& title) = 0;
    // The font dialog with effects (underline, strike-out, colour); nullopt on Cancel.
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
    // A list to pick one line from, titled kMessageTitle, with OK and Cancel;
    // the index of the line picked, nullopt on Cancel.
    virtual std::optional<int> chooseItem(const QString& prompt, const QStringList& items) {
        (void)prompt;
        (void)items;
        return std::nullopt;
    }
};
