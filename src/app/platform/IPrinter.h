#pragma once

#include <QString>

class QTextDocument;

// The printer the program prints on. The real one is the default printer of
// the system; tests print to a PDF file through the same Qt printing path.
class IPrinter {
public:
    virtual ~IPrinter() = default;
    // Prints the document once, laid out in pages. False, with the reason in
    // `error` when given, when nothing could be printed.
    virtual bool printDocument(const QTextDocument& document, QString* error) = 0;
};
