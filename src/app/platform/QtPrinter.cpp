#include "platform/QtPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

bool QtPrinter::printDocument(const QTextDocument& document, QString* error) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        if (error) *error = QStringLiteral("No printer is available.");
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    return printOn(printer, document, error);
}

bool QtPrinter::printOn(QPrinter& printer, const QTextDocument& document, QString* error) {
    if (!printer.isValid()) {
        if (error) *error = QStringLiteral("The printer cannot be used.");
        return false;
    }
    // QTextDocument::print says nothing when the printer cannot start; the
    // printer's state tells.
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) {
        if (error) *error = QStringLiteral("The printer reported an error.");
        return false;
    }
    return true;
}

extern "C" bool tavenel_print_document(const QTextDocument& document, QString* error) {
    return QtPrinter().printDocument(document, error);
}
