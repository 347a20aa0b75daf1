#pragma once

#include <QHash>
#include <QLibrary>
#include <QString>
#include <QStringList>

// The program's own shared modules (printing, calendar files), loaded the
// first time they are needed rather than with the program: each brings
// libraries a clock that never prints nor reads a calendar file would carry
// all day. A module is the file libNAME.so in the first of the folders that
// holds it.
class ModuleLoader {
public:
    explicit ModuleLoader(QStringList folders);

    // Where the running program's modules are: beside the program (a build
    // tree), then the library folder of an installed program.
    static QStringList programFolders(const QString& programFolder);

    // The function `symbol` of module `name`, the module found and loaded on
    // the first call and the function kept for the next ones; null, with the
    // reason in `error` when given, when it cannot be (asked again next time:
    // the module may have been put in place meanwhile).
    QFunctionPointer entry(const QString& name, const char* symbol, QString* error);
    // The same, as the type of the module's entry point `Function`, which the
    // module declares with C linkage under the name `symbol`.
    template <class Function>
    Function* entry(const QString& name, const char* symbol, QString* error) {
        return reinterpret_cast<Function*>(entry(name, symbol, error));
    }

private:
    QFunctionPointer find(const QString& name, const char* symbol, QString* error) const;

    QStringList m_folders;
    QHash<QString, QFunctionPointer> m_found;  // by "module/symbol"
};
