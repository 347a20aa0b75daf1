// RTF figures on a 1 MB formatted document: loading it with our reader
// against Qt's HTML importer loading the same content, and plain-text
// extraction speed.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include "BenchSupport.h"
#include "rtf/Rtf.h"

namespace {

constexpr int kRuns = 7;

struct Timing {
    double wallMs;
    double cpuMs;  // this process's processor time: fairer on a busy machine
};

double cpuNowMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The median wall and processor times of kRuns runs.
Timing median(const std::function<void()>& work) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = cpuNowMs();
        work();
        cpu.push_back(cpuNowMs() - cpuStart);
        wall.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

// Diary-like paragraphs with a mix of fonts, sizes, emphasis, colours and
// alignments, and text in several scripts, until the RTF reaches `bytes`.
void fill(QTextDocument& document, qsizetype bytes) {
    const QStringList families = {"DejaVu Sans", "Liberation Serif", "DejaVu Sans Mono"};
    const QStringList words = {QString::fromUtf8("Today"), QString::fromUtf8("café"), "the", "meeting",
                               QString::fromUtf8("10 €"), "went", QString::fromUtf8("naïve"), "well",
                               QString::fromUtf8("日本語"), "and", QString::fromUtf8("Привет"), "then",
                               QString::fromUtf8("😀"), "we", "walked", "home."};
    QTextCursor cursor(&document);
    int n = 0;
    while (true) {
        QTextBlockFormat block;
        block.setAlignment(n % 7 == 0 ? Qt::AlignHCenter : n % 11 == 0 ? Qt::AlignRight : Qt::AlignLeft);
        if (n == 0)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        for (int r = 0; r < 12; ++r) {
            const int k = n * 12 + r;
            QTextCharFormat f;
            f.setFontFamilies({families[k % 3]});
            f.setFontPointSize(k % 5 == 0 ? 14 : 11);
            f.setFontWeight(k % 4 == 0 ? QFont::Bold : QFont::Normal);
            f.setFontItalic(k % 6 == 0);
            f.setFontUnderline(k % 9 == 0);
            if (k % 8 == 0) f.setForeground(QColor(200, 30, 30));
            QString run;
            for (int w = 0; w < 5; ++w) run += words[(k * 3 + w) % words.size()] + ' ';
            cursor.insertText(run, f);
        }
        ++n;
        if (n % 200 == 0 && rtf::write(document).size() >= bytes) break;
    }
}

// The same kind of text as word processors write it, with many control
// words around every run.
QByteArray verboseMarkup(qsizetype bytes) {
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}"
                     "{\\f37\\fswiss Calibri;}}{\\colortbl;\\red255\\green0\\blue0;}\n";
    while (out.size() < bytes) {
        out += "\\pard\\plain \\ltrpar\\ql \\li0\\ri0\\sa160\\sl259\\slmult1\\widctlpar\\wrapdefault"
               "\\aspalpha\\aspnum\\faauto\\adjustright\\rin0\\lin0\\itap0 \\rtlch\\fcs1 \\af31507\\afs22"
               "\\alang1025 \\ltrch\\fcs0 \\f37\\fs22\\lang1033\\langfe1033\\cgrid\\langnp1033\\langfenp1033 "
               "{\\rtlch\\fcs1 \\af31507 \\ltrch\\fcs0 \\f37\\insrsid7084337 Sales rose by 5\\~% in the "
               "\\ldblquote north\\rdblquote  region, caf\\'e9 \\u8364\\'80 }{\\rtlch\\fcs1 \\ab\\af31507 "
               "\\ltrch\\fcs0 \\b\\f37\\cf1\\insrsid7084337 see the chart}{\\rtlch\\fcs1 \\af31507 \\ltrch"
               "\\fcs0 \\f37\\insrsid7084337 .\n\\par }";
    }
    return out + "}";
}

double mbPerSecond(qsizetype bytes, double ms) { return bytes / 1e6 / (ms / 1e3); }

}  // namespace

int main(int argc, char** argv) {
    bench::OffscreenArgs args(argc, argv);
    QGuiApplication app(args.argc(), args.argv());

    QTextDocument source;
    fill(source, 1024 * 1024);
    const QByteArray rtfData = rtf::write(source);
    const QString html = source.toHtml();

    QTextDocument check;
    rtf::read(rtfData, &check);
    if (check.toPlainText() != source.toPlainText()) {
        std::fprintf(stderr, "the RTF does not load back to the same text\n");
        return 1;
    }

    const Timing rtfLoad = median([&] {
        QTextDocument d;
        rtf::read(rtfData, &d);
    });
    const Timing htmlLoad = median([&] {
        QTextDocument d;
        d.setHtml(html);
    });
    QString text;
    const Timing plain = median([&] { text = rtf::plainText(rtfData); });
    const QByteArray verbose = verboseMarkup(1024 * 1024);
    const Timing verbosePlain = median([&] { text = rtf::plainText(verbose); });
    const Timing write = median([&] { (void)rtf::write(source); });

    std::printf("document: %d paragraphs, %lld characters; RTF %.2f MB, HTML %.2f MB\n", source.blockCount(),
                static_cast<long long>(source.characterCount()), rtfData.size() / 1e6,
                html.toUtf8().size() / 1e6);
    std::printf("median of %d runs                    wall ms    cpu ms\n", kRuns);
    std::printf("load RTF into QTextDocument       %9.1f %9.1f\n", rtfLoad.wallMs, rtfLoad.cpuMs);
    std::printf("QTextDocument::setHtml, same text %9.1f %9.1f\n", htmlLoad.wallMs, htmlLoad.cpuMs);
    std::printf("write RTF                         %9.1f %9.1f\n", write.wallMs, write.cpuMs);
    std::printf("ratio RTF load / HTML load        %9.2f %9.2f   (goal <= 1.0)\n",
                rtfLoad.wallMs / htmlLoad.wallMs, rtfLoad.cpuMs / htmlLoad.cpuMs);
    std::printf("plain text, our RTF         MB/s  %9.1f %9.1f   (goal >= 50)\n",
                mbPerSecond(rtfData.size(), plain.wallMs), mbPerSecond(rtfData.size(), plain.cpuMs));
    std::printf("plain text, verbose %.2f MB MB/s  %9.1f %9.1f\n", verbose.size() / 1e6,
                mbPerSecond(verbose.size(), verbosePlain.wallMs),
                mbPerSecond(verbose.size(), verbosePlain.cpuMs));
    return 0;
}
