#pragma once

#include <QStringList>

class QTextDocument;

// A document as lines of text a test can compare: per block its alignment,
// list and table cell; per fragment its text and look (the real family
// behind the document's default where it names none), or its picture's
// size; per table its size and column widths in twips.
QStringList describeDocument(const QTextDocument& document);
