#pragma once

namespace rtf::symbolfonts {

// Fonts whose characters are not the letters their byte values name: text
// written in them is turned into the Unicode characters they show, so that it
// reads the same in any font. 0 when the byte has no such character.
char16_t symbolCharacter(unsigned char byte);     // the Symbol font
char16_t wingdingsCharacter(unsigned char byte);  // the bullets of Wingdings

}  // namespace rtf::symbolfonts
