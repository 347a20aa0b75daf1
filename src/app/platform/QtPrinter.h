#pragma once

#include "platform/IPrinter.h"

class QPrinter;

// Prints on the system's default printer. With no printer installed it
// reports that instead of printing. It lives in the printing module, with
// the toolkit's printing library, which the program loads on first use
// (ModulePrinter).
class QtPrinter final : public IPrinter {
public:
    bool printDocument(const QTextDocument& document, QString* error) override;

    // Prints the document on a printer already set up (any output format).
    static bool printOn(QPrinter& printer, const QTextDocument& document, QString* error);
};

// The printing module's entry point: QtPrinter's printDocument.
extern "C" bool tavenel_print_document(const QTextDocument& document, QString* error);
