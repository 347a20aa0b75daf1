#pragma once

#include "rtf/ParagraphTarget.h"
#include "rtf/RoutingSink.h"
#include "rtf/Rtf.h"

namespace rtf {

// Collects only the text, exactly as QTextDocument::toPlainText() gives it
// for the same document: paragraphs joined by line feeds, line breaks as line
// feeds, non-breaking spaces as spaces, a picture as U+FFFC, and a table as
// its cells' texts each on a line of its own, with a line feed before and
// after the table. Listing and searching many files need nothing else, and
// this is much faster than building a document.
class PlainTextSink final : public RoutingSink {
public:
    // With `wanted` at zero or above, only the first `wanted` characters are
    // asked for: the sink has enough once it holds them. It also has enough
    // once `enough` says so of the text it holds.
    explicit PlainTextSink(qsizetype wanted = -1, TextIsEnough enough = {})
        : m_wanted(wanted), m_enough(std::move(enough)) {}

    // The text; when only its start was wanted, at least that start (or all
    // of the text, if shorter) and maybe some characters more.
    QString& result() { return m_text; }
    bool hasEnough() const override;
    bool keepsLooks() const override { return false; }

protected:
    ParagraphTarget& target() override { return m_main; }
    void buildTable(const TableRecorder& table, const TableRecorder::Layout& layout) override;

private:
    // Plain text with the breaks a document would have.
    class Writer final : public ParagraphTarget {
    public:
        explicit Writer(QString& text) : m_text(text) {}
        void text(const QString& text, const RunStyle& style) override;
        void picture(const Picture& picture, const RunStyle& style) override;
        void paragraphEnd(const ParagraphStyle& paragraph) override;
        void lastParagraph(const ParagraphStyle&) override { startPending(); }
        void newParagraph() override { m_breakPending = true; }
        void reset() { m_breakPending = false; }

    private:
        void startPending();
        QString& m_text;
        bool m_breakPending = false;
    };

    qsizetype m_wanted;
    TextIsEnough m_enough;
    // The reader asks at every token; `m_enough` is asked only when the
    // text has grown since it was last asked.
    mutable qsizetype m_asked = 0;
    mutable bool m_enoughSaid = false;
    QString m_text;
    Writer m_main{m_text};
};

}  // namespace rtf
