#pragma once

#include "rtf/RtfControlWords.h"
#include "rtf/RtfStyle.h"
#include "rtf/RtfTables.h"

// What the control words of character and paragraph formatting, and those
// that stand for a character, do: pure rules, kept apart from the reader's
// handling of groups and destinations.
namespace rtf::formattingwords {

// Applies a word of character formatting; false for any other word.
bool applyCharacter(Word word, bool hasParam, int param, CharProps& chr);
// Applies a word of paragraph layout; false for any other word.
bool applyParagraph(Word word, bool hasParam, int param, ParagraphStyle& paragraph);
// The character a word stands for (\emdash, \tab, \line); 0 for any other word.
char32_t symbolOf(Word word);

}  // namespace rtf::formattingwords
