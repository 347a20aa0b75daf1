#include <QApplication>

#include "AppMain.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    return runTavenel(app);
}
