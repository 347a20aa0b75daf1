#include "platform/ModuleLoader.h"

#include <QDir>
#include <QFileInfo>

ModuleLoader::ModuleLoader(QStringList folders) : m_folders(std::move(folders)) {}

QStringList ModuleLoader::programFolders(const QString& programFolder) {
    // TAVENEL_MODULE_FOLDER: the installed module folder as seen from the
    // installed programs' folder, so that an installation moved elsewhere as
    // a whole still finds its modules.
    const QDir program(programFolder);
    return {program.absolutePath(),
            QDir::cleanPath(program.filePath(QStringLiteral(TAVENEL_MODULE_FOLDER)))};
}

QFunctionPointer ModuleLoader::entry(const QString& name, const char* symbol, QString* error) {
    const QString key = name + QLatin1Char('/') + QLatin1String(symbol);
    if (const QFunctionPointer known = m_found.value(key)) return known;
    const QFunctionPointer function = find(name, symbol, error);
    if (function) m_found.insert(key, function);
    return function;
}

QFunctionPointer ModuleLoader::find(const QString& name, const char* symbol, QString* error) const {
    const QString file = QStringLiteral("lib%1.so").arg(name);
    for (const QString& folder : m_folders) {
        const QFileInfo path(QDir(folder).filePath(file));
        if (!path.exists()) continue;
        // Resolved whole when loaded: a module that does not fit the
        // libraries found is refused now, not part-way through its work.
        QLibrary module(path.absoluteFilePath());
        module.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        if (!module.load()) {
            if (error) *error = module.errorString();
            return nullptr;
        }
        // The module stays loaded to the end of the process: what it has
        // handed out may still be in use.
        if (QFunctionPointer function = module.resolve(symbol)) return function;
        if (error)
            *error = QStringLiteral("%1 lacks %2")
                         .arg(QDir::toNativeSeparators(path.absoluteFilePath()),
                              QString::fromLatin1(symbol));
        return nullptr;
    }
    if (error)
        *error = QStringLiteral("%1 is not in %2")
                     .arg(file, QDir::toNativeSeparators(m_folders.join(QStringLiteral(", "))));
    return nullptr;
}
