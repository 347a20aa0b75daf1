#include "platform/ModulePrinter.h"

#include "platform/ModuleLoader.h"
#include "platform/QtPrinter.h"

bool ModulePrinter::printDocument(const QTextDocument& document, QString* error) {
    QString why;
    const auto print = m_modules.entry<decltype(tavenel_print_document)>(
        QStringLiteral("tavenel-print"), "tavenel_print_document", &why);
    if (!print) {
        if (error) *error = QStringLiteral("Printing is not available: %1.").arg(why);
        return false;
    }
    return print(document, error);
}
