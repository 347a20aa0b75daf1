// Prepares a data folder for a first run: a fresh planner database and the
// shipped sounds and help pages, never replacing a file that is there.
//
//   tavenel-setup FOLDER [SHIPPED-DATA-FOLDER]
#include <QCoreApplication>
#include <QTextStream>

#include "DataFolder.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    QTextStream out(stdout);
    if (args.size() < 2 || args.size() > 3) {
        err << "usage: tavenel-setup FOLDER [SHIPPED-DATA-FOLDER]\n";
        return 2;
    }
    QStringList created;
    QString error;
    if (!datafolder::prepare(args[1], args.value(2), &created, &error)) {
        err << "tavenel-setup: " << error << "\n";
        return 1;
    }
    for (const QString& file : created) out << "created " << file << "\n";
    return 0;
}
