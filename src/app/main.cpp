#include <QApplication>

#include <malloc.h>

#include "AppMain.h"

int main(int argc, char* argv[]) {
    // Blocks of 128 KiB and more (a large table's copy, a scan's list of its
    // records, a picture) are mapped on their own and given back when freed,
    // and free memory at the heap's end is given back too. Left to adjust
    // themselves, both limits grow with the first large block freed, and the
    // heap then keeps all day whatever the largest passing peak left free.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);
    QApplication app(argc, argv);
    return runTavenel(app);
}
