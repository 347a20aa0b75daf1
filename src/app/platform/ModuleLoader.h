#pragma once

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

    // The function `symbol` of module `name`, the module loaded on the first
    // call; null, with the reason in `error` when given, when it cannot be.
    QFunctionPointer entry(const QString& name, const char* symbol, QString* error);

private:
    QStringList m_folders;
};
