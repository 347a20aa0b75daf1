#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <functional>
#include <QStringList>
#include <optional>

class QObject;
class QWidget;

// The title every message box and question of the program carries.
inline constexpr const char* kMessageTitle = "Tavenel V 1.0";

// What the font dialog gave back: the font (with bold, italic, underline and
// size) and the colour chosen.
struct FontChoice {
    QFont font;
    QColor color;
};

// The button a key press of Return answers an unbidden question with.
enum class DefaultAnswer { Yes, No };

// What a message tells the user, and so the icon it shows: a notice (the
// outcome of what was asked, or a plain piece of information), or a failure
// (something could not be opened, read, written, removed or printed).
enum class MessageKind { Notice, Failure };

// How a box's text is set: running prose, or a listing whose lines keep their
// columns (set in a fixed-pitch font, never wrapped).
enum class TextLayout { Prose, Listing };

// Modal messages, questions, input boxes and the common file and font
// dialogs. The real implementation shows Qt dialogs; tests script answers.
class IDialogs {
public:
    virtual ~IDialogs() = default;
    // A message with an OK button, titled kMessageTitle. The real boxes show
    // every text as written, and one taller than the screen scrolls.
    virtual void message(const QString& text, MessageKind kind = MessageKind::Notice) = 0;
    // A notice that lists many lines, one entry each: laid out as a listing.
    virtual void longMessage(const QString& text) { message(text); }
    // A Yes/No question titled kMessageTitle; true for Yes.
    virtual bool question(const QString& text) = 0;
    // An input box; an empty text when cancelled.
    virtual QString inputBox(const QString& prompt, const QString& title,
                             const QString& defaultText = QString()) = 0;
    // A notice or question that comes unbidden, from a timer rather than a
    // user's action (a due reminder, the ringing alarm, the clean-up of past
    // appointments). It is opened without waiting: the call returns at once,
    // so the clock goes on ticking, and the answer comes later to `answered`
    // (true for OK or Yes), on the user-interface thread. The box keeps the
    // rest of the program's windows from input while it is open, is brought
    // to the front and ignores key presses for its first second, so that a
    // user who is typing elsewhere does not answer it unseen. It belongs to
    // `owner`: when the owner is destroyed first, the box closes and
    // `answered` never runs.
    //
    // These plain forms answer at once through message() and question(), for
    // dialogs that have nothing better to offer.
    virtual void openMessage(QObject* owner, const QString& text, std::function<void()> answered,
                             MessageKind kind = MessageKind::Notice) {
        (void)owner;
        message(text, kind);
        if (answered) answered();
    }
    virtual void openQuestion(QObject* owner, const QString& text, DefaultAnswer defaultAnswer,
                              std::function<void(bool)> answered,
                              TextLayout layout = TextLayout::Prose) {
        (void)owner;
        (void)defaultAnswer;
        (void)layout;
        const bool yes = question(text);
        if (answered) answered(yes);
    }
    // The open-file dialog; nullopt when cancelled. filter uses Qt's syntax.
    virtual std::optional<QString> openFile(const QString& folder, const QString& filter,
                                            const QString& title) = 0;
    // The save-file dialog, starting at `suggested` (a folder or a file
    // name); nullopt when cancelled, as by a set of dialogs without one. It
    // asks before replacing a file, and adds the first ending of the filter
    // to a name typed without one.
    virtual std::optional<QString> saveFile(const QString& /*suggested*/,
                                            const QString& /*filter*/, const QString& /*title*/) {
        return std::nullopt;
    }
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
