// Listing and searching a diary of daily writing, entries of about 2 KB each
// in one data folder. Prints the time of each command.
//
//   bench_diary [entries]      (default 36500: a hundred years)
//
// The commands run twice: with the rich-text reader the program uses, and
// with the files read as raw text, which is the cost of finding, reading and
// listing the files alone, the floor under which the commands cannot go.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <utility>
#include <cstdio>

#include "BenchSupport.h"
#include "Texts.h"
#include "diary/DiaryFiles.h"
#include "diary/DiaryLister.h"

namespace {
// A diary entry of about 2 KB as a word processor writes it: a font and a
// colour table, a few paragraphs with bold and italic runs, accented letters
// as hex escapes and one Unicode character.
QByteArray makeEntry(int i) {
    static const char* const words[] = {"morning", "garden", "letter", "Paris", "rain", "walked",
                                        "the",     "quiet",  "market", "friend", "wrote", "evening",
                                        "coffee",  "train",  "river",  "school", "tired", "happy"};
    QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 MS Sans Serif;}"
        "{\\f1\\froman\\fcharset0 Times New Roman;}}{\\colortbl ;\\red0\\green0\\blue255;}"
        "\\viewkind4\\uc1\\pard\\f0\\fs24 ";
    quint32 seed = quint32(i) * 2654435761u + 1;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7fff; };
    int paragraph = 0;
    while (rtf.size() < 2000) {
        rtf += "Day " + QByteArray::number(i) + ", part " + QByteArray::number(++paragraph) + ": ";
        for (int w = 0; w < 30; ++w) {
            const unsigned r = next();
            const QByteArray word = words[r % (sizeof words / sizeof *words)];
            if (r % 11 == 0)
                rtf += "{\\b " + word + "} ";
            else if (r % 13 == 0)
                rtf += "{\\i\\cf1 " + word + "} ";
            else if (r % 17 == 0)
                rtf += "caf\\'e9 ";
            else if (r % 19 == 0)
                rtf += "\\u8364?5 ";
            else
                rtf += word + ' ';
        }
        rtf += "\\par\r\n";
    }
    rtf += "}\r\n";
    return rtf;
}

QString rawReader(const QByteArray& bytes, qsizetype maxChars, const rtf::TextIsEnough&) {
    const QString text = QString::fromLatin1(bytes);
    return maxChars >= 0 ? text.left(maxChars) : text;
}

// `runs` timings of `work`: wall-clock medians and processor times.
struct Times {
    std::vector<double> wall, cpu;
};
template <typename Work>
Times timeRuns(int runs, Work work, qint64* found) {
    Times times;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        const double cpu = bench::threadCpuMs();
        t.start();
        *found = work().count;
        times.wall.push_back(t.nsecsElapsed() / 1e6);
        times.cpu.push_back(bench::threadCpuMs() - cpu);
    }
    return times;
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;
    const QString folder = dir.path() + QLatin1Char('/');
    const int entries = bench::dataSize(argc, argv, 36500);
    qint64 bytes = 0;
    QDate day(2017, 1, 1);
    for (int i = 0; i < entries; ++i, day = day.addDays(1)) {
        const QString name = diaryfiles::fileName(QString::number(day.day()),
                                                  texts::monthName(day.month()),
                                                  QString::number(day.year()));
        QFile f(folder + name);
        if (!f.open(QIODevice::WriteOnly)) return 1;
        bytes += f.write(makeEntry(i));
    }
    for (const char* help : {"intro.rtf", "scheduler.rtf", "alarmenable.rtf"}) {
        QFile f(folder + QLatin1String(help));
        if (f.open(QIODevice::WriteOnly)) f.write("{\\rtf1 help}");
    }
    std::printf("diary folder: %d entries, %.1f KB on average\n", entries,
                double(bytes) / entries / 1024.0);
    const std::pair<const char*, DiaryTextReader> readers[] = {
        {"rich text (as the program lists)", rtf::plainText},
        {"raw text (no rich-text parsing)", rawReader},
    };
    Times programList, programSearch, programMiss;
    for (const auto& [name, reader] : readers) {
        std::printf("reader: %s (wall / processor median of 5 runs)\n", name);
        const DiaryLister lister(reader);
        qint64 found = 0;
        const auto show = [&](const char* what, const Times& t) {
            std::printf("  %-26s %8.1f / %8.1f ms  (%lld lines)\n", what, bench::median(t.wall),
                        bench::median(t.cpu), qlonglong(found));
        };
        const Times list = timeRuns(5, [&] { return lister.listAll(folder); }, &found);
        show("list all entries:", list);
        const Times hit =
            timeRuns(5, [&] { return lister.search(folder, QStringLiteral("Paris")); }, &found);
        show("search \"Paris\":", hit);
        const Times miss =
            timeRuns(5, [&] { return lister.search(folder, QStringLiteral("Lisbon")); }, &found);
        show("search \"Lisbon\" (none):", miss);
        if (programList.cpu.empty()) {
            programList = list;
            programSearch = hit;
            programMiss = miss;
        }
    }
    std::printf("goal: under 500 ms for each command\n");
    bench::result("diary_list", programList.cpu);
    bench::result("diary_search", programSearch.cpu);
    bench::result("diary_search_none", programMiss.cpu);
    return 0;
}
