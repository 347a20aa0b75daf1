#pragma once

#include <QString>

class RichTextBox;

// A rich-text box that the schedule listings use as scratch space: an
// appointment's text is put into it and its first characters are taken as
// the text's excerpt. The excerpt is worked out from the text itself, the
// way the box would hold it, so that a listing of thousands of appointments
// does not lay out every one of them; only the text the box is left holding
// goes into the box.
class ScratchBox {
public:
    explicit ScratchBox(RichTextBox* box = nullptr) : m_box(box) {}

    // How many characters of a text an excerpt keeps.
    static constexpr int kExcerptLength = 20;

    // The text as the box holds it: every line break ("\r\n", "\r", "\n")
    // becomes "\n".
    static QString asHeld(const QString& text);
    // The first `length` characters of the text as the box holds it (all of
    // it when shorter).
    static QString excerpt(const QString& text, int length = kExcerptLength);

    // Leaves the box holding the text with its first `length` characters
    // selected.
    void holdWithStartSelected(const QString& text, int length = kExcerptLength);
    // Empties the box.
    void clear();

    RichTextBox* box() const { return m_box; }

private:
    RichTextBox* m_box = nullptr;
};
