// Feeds arbitrary bytes to the RTF reader. Besides crashes and undefined
// behaviour it checks three promises: the plain-text path gives exactly the
// text of the document, its start read alone is the start of that text, and
// what the writer makes of the document reads back to the same text.
#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "rtf/Rtf.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Fonts in character formats need a GUI application; no window is shown.
    static char name[] = "fuzz_rtf";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformOption, platform, nullptr};
    static int argc = 3;
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument document;
    rtf::read(bytes, &document);
    const QString text = document.toPlainText();
    if (rtf::plainText(bytes) != text) {
        std::fprintf(stderr, "plain-text path differs from the document\n");
        std::abort();
    }
    if (rtf::plainText(bytes, 20) != text.left(20)) {
        std::fprintf(stderr, "the start read alone differs from the document's\n");
        std::abort();
    }
    QTextDocument again;
    rtf::read(rtf::write(document), &again);
    if (again.toPlainText() != text) {
        std::fprintf(stderr, "written RTF reads back to different text\n");
        std::abort();
    }
    return 0;
}
