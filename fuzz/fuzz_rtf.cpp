// Feeds arbitrary bytes to the RTF reader. Besides crashes and undefined
// behaviour it checks three promises: the plain-text path gives exactly the
// text of the document, its start read alone is the start of that text, and
// what the writer makes of the document reads back to the same text.
#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

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

namespace {

// Says what failed and where the two texts part, so that a run's log alone
// shows the fault, then stops the run.
[[noreturn]] void fail(const char* what, const QString& got, const QString& want) {
    qsizetype at = 0;
    while (at < got.size() && at < want.size() && got[at] == want[at]) ++at;
    const auto near = [at](const QString& text) {
        const std::u16string part = text.mid(std::max<qsizetype>(0, at - 20), 60).toStdU16String();
        std::string out;
        for (const char16_t c : part) {
            char hex[12];
            std::snprintf(hex, sizeof hex, c >= 0x20 && c < 0x7f ? "%c" : "<%04x>", unsigned(c));
            out += hex;
        }
        return out;
    };
    std::fprintf(stderr, "%s\nthey part at character %lld\ngot:  %s\nwant: %s\n", what,
                 static_cast<long long>(at), near(got).c_str(), near(want).c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument document;
    rtf::read(bytes, &document);
    const QString text = document.toPlainText();
    const QString plain = rtf::plainText(bytes);
    if (plain != text) fail("plain-text path differs from the document", plain, text);
    const QString start = rtf::plainText(bytes, 20);
    if (start != text.left(20)) fail("the start read alone differs from the document's", start, text.left(20));
    QTextDocument again;
    rtf::read(rtf::write(document), &again);
    const QString back = again.toPlainText();
    if (back != text) fail("written RTF reads back to different text", back, text);
    return 0;
}
