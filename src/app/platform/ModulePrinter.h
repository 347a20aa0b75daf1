#pragma once

#include "platform/IPrinter.h"

class ModuleLoader;

// The system's default printer, through the printing module, loaded when the
// first page is printed. Without the module it says printing is not
// available, and why, instead of printing.
class ModulePrinter final : public IPrinter {
public:
    explicit ModulePrinter(ModuleLoader& modules) : m_modules(modules) {}
    bool printDocument(const QTextDocument& document, QString* error) override;

private:
    ModuleLoader& m_modules;
};
