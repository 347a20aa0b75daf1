#pragma once

#include <QByteArray>
#include <QStringView>

// The pieces RTF is written from: text escaped for RTF (pure ASCII, every
// character above 0x7E as \uN?), control words with their numbers, and
// distances in twips.
namespace rtf::rtftext {

void appendText(QByteArray& out, QStringView text);
void appendNumber(QByteArray& out, qint64 n);
// A control word followed by its number: "\fs" and 24 give "\fs24".
void appendWord(QByteArray& out, const char* word, qint64 n);
// A length in the document's pixels, in twips.
int toTwips(double pixels);

}  // namespace rtf::rtftext
