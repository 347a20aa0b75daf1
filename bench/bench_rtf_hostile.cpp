// Loading RTF files of hostile shapes: how long one takes and how much memory
// it needs. Each run loads one shape (the first argument), so that the
// process's peak memory is that shape's; without an argument the shapes are
// listed. The file is made in memory first; the figures cover loading it
// into a document and taking its plain text, not laying it out on screen.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <utility>
#include <vector>

#include "BenchSupport.h"
#include "rtf/Rtf.h"

namespace {

constexpr qsizetype kTenMegabytes = 10 * 1024 * 1024;

QByteArray repeatedTo(const QByteArray& head, const QByteArray& piece, qsizetype bytes) {
    QByteArray out = head;
    out.reserve(bytes + piece.size() + 2);
    while (out.size() < bytes) out += piece;
    return out + "}";
}

QByteArray manyFonts(int fonts) {
    QByteArray table = "{\\rtf1{\\fonttbl";
    QByteArray body;
    for (int i = 0; i < fonts; ++i) {
        table += "{\\f" + QByteArray::number(i) + " Font " + QByteArray::number(i) + ";}";
        body += "{\\f" + QByteArray::number(i) + " x}";
    }
    return table + "}" + body + "}";
}

QByteArray fontTableEntries(int entries) {
    QByteArray out = "{\\rtf1{\\fonttbl";
    out.reserve(qsizetype(entries) * 16);
    for (int i = 0; i < entries; ++i) out += "{\\f" + QByteArray::number(i) + " F;}";
    return out + "}text}";
}

// A small picture in PNG, made different each time by a byte after its end.
QByteArray pictures(qsizetype bytes) {
    const QByteArray png = QByteArray::fromBase64(
        "iVBORw0KGgoAAAANSUhEUgAAAAIAAAACCAIAAAD91JpzAAAAFklEQVR4nGP8z8DAwMDAxMDAwMDAAAANHQEDasKb6QAAAABJRU5ErkJggg==")
                               .toHex();
    QByteArray out = "{\\rtf1 ";
    for (int i = 0; out.size() < bytes; ++i)
        out += "{\\pict\\pngblip " + png + QByteArray::number(i % 256, 16).rightJustified(2, '0') + "}";
    return out + "}";
}

const std::vector<std::pair<const char*, std::function<QByteArray()>>>& shapes() {
    static const std::vector<std::pair<const char*, std::function<QByteArray()>>> list = {
        {"fonts-50000", [] { return manyFonts(50000); }},
        {"font-table-5000000", [] { return fontTableEntries(5000000); }},
        {"colour-table-50000000",
         [] { return repeatedTo("{\\rtf1{\\colortbl", QByteArray(1024 * 1024, ';'), 50 * 1024 * 1024) + "x}"; }},
        {"text-10mb", [] { return repeatedTo("{\\rtf1 ", "Words of a diary, day after day. ", kTenMegabytes); }},
        {"paragraphs-10mb", [] { return repeatedTo("{\\rtf1 ", "p\\par ", kTenMegabytes); }},
        {"lines-10mb", [] { return repeatedTo("{\\rtf1 ", "A line of text of a usual length.\\par\n", kTenMegabytes); }},
        {"runs-10mb", [] { return repeatedTo("{\\rtf1 ", "{\\b x}{\\i y}", kTenMegabytes); }},
        {"table-10mb", [] { return repeatedTo("{\\rtf1 ", "\\intbl a\\cell b\\cell\\row ", kTenMegabytes); }},
        {"list-10mb",
         [] {
             return repeatedTo("{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}}"
                               "\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}",
                               "{\\listtext 1.\\tab}\\ls1 item\\par ", kTenMegabytes);
         }},
        {"pictures-10mb", [] { return pictures(kTenMegabytes); }},
        {"one-picture-10mb", [] { return repeatedTo("{\\rtf1 {\\pict\\pngblip ", "89504e47", kTenMegabytes) + "}"; }},
        {"groups-10mb", [] { return repeatedTo("{\\rtf1 ", "{", kTenMegabytes); }},
    };
    return list;
}

double cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 + usage.ru_stime.tv_sec * 1e3 +
           usage.ru_stime.tv_usec / 1e3;
}

long peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

}  // namespace

int main(int argc, char** argv) {
    bench::OffscreenArgs args(argc, argv);
    QGuiApplication app(args.argc(), args.argv());
    const char* wanted = argc > 1 ? argv[1] : "";
    for (const auto& [name, make] : shapes()) {
        if (std::strcmp(name, wanted) != 0) continue;
        const QByteArray data = make();
        const long before = peakMegabytes();

        QElapsedTimer timer;
        timer.start();
        double cpu = cpuMs();
        {
            QTextDocument document;
            rtf::read(data, &document);
        }
        const double loadWall = timer.nsecsElapsed() / 1e6;
        const double loadCpu = cpuMs() - cpu;
        const long loadPeak = peakMegabytes();

        timer.restart();
        cpu = cpuMs();
        const QString text = rtf::plainText(data);
        const double plainWall = timer.nsecsElapsed() / 1e6;
        const double plainCpu = cpuMs() - cpu;

        std::printf("%-22s %7.2f MB  load %7.0f ms wall %7.0f ms cpu  peak %4ld MB (%4ld MB before)  "
                    "plain text %6.0f ms wall %6.0f ms cpu, %lld characters\n",
                    name, data.size() / 1048576.0, loadWall, loadCpu, loadPeak, before, plainWall, plainCpu,
                    static_cast<long long>(text.size()));
        return 0;
    }
    std::printf("usage: bench_rtf_hostile SHAPE; shapes:");
    for (const auto& shape : shapes()) std::printf(" %s", shape.first);
    std::printf("\n");
    return argc > 1 ? 1 : 0;
}
