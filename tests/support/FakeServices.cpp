#include "support/FakeServices.h"

#include <QTest>

void FakeDialogs::expectQuestion(const QString& text, bool yes) { m_questions.push_back({text, yes}); }

namespace {
// Counts a message or question as open while it is being answered.
class OpenDialog {
public:
    OpenDialog(FakeDialogs& dialogs, const QString& text) : m_dialogs(dialogs) {
        if (m_dialogs.openTexts.contains(text)) ++m_dialogs.stacked;
        m_dialogs.openTexts << text;
        ++m_dialogs.openCount;
        m_dialogs.maxOpen = std::max(m_dialogs.maxOpen, m_dialogs.openCount);
    }
    ~OpenDialog() {
        --m_dialogs.openCount;
        m_dialogs.openTexts.removeLast();
    }
    OpenDialog(const OpenDialog&) = delete;
    OpenDialog& operator=(const OpenDialog&) = delete;

private:
    FakeDialogs& m_dialogs;
};
}  // namespace

void FakeDialogs::message(const QString& text) {
    messages << text;
    OpenDialog open(*this, text);
    if (m_onMessage) {
        auto hook = std::move(m_onMessage);
        m_onMessage = nullptr;
        hook(text);
    }
}

void FakeDialogs::longMessage(const QString& text) {
    ++longMessages;
    message(text);
}

bool FakeDialogs::question(const QString& text) {
    questions << text;
    OpenDialog open(*this, text);
    if (m_onQuestion) {
        // A copy: the hook may replace itself.
        auto hook = m_onQuestion;
        hook(text);
    }
    if (!m_questions.empty()) {
        const Scripted next = m_questions.front();
        m_questions.pop_front();
        if (next.text != text) {
            QTest::qFail(qPrintable(QStringLiteral("question \"%1\" asked, \"%2\" expected").arg(text, next.text)),
                         __FILE__, __LINE__);
        }
        return next.yes;
    }
    if (m_defaultAnswer >= 0) return m_defaultAnswer == 1;
    QTest::qFail(qPrintable(QStringLiteral("unexpected question: %1").arg(text)), __FILE__, __LINE__);
    return false;
}

void FakeDialogs::unbiddenMessage(const QString& text) {
    unbidden << text;
    message(text);
}

bool FakeDialogs::unbiddenQuestion(const QString& text) {
    unbidden << text;
    return question(text);
}

QString FakeDialogs::inputBox(const QString& prompt, const QString&, const QString&) {
    prompts << prompt;
    if (m_inputs.empty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected input box: %1").arg(prompt)), __FILE__, __LINE__);
        return QString();
    }
    const QString answer = m_inputs.front();
    m_inputs.pop_front();
    return answer;
}

std::optional<QString> FakeDialogs::openFile(const QString&, const QString&, const QString& title) {
    if (m_openFiles.empty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected open dialog: %1").arg(title)), __FILE__, __LINE__);
        return std::nullopt;
    }
    // Built from the stored value, not copied as an optional: g++ 12 warns
    // wrongly that a copied optional<QString> may be uninitialised.
    const bool picked = m_openFiles.front().has_value();
    const QString path = picked ? *m_openFiles.front() : QString();
    m_openFiles.pop_front();
    if (!picked) return std::nullopt;
    return path;
}

std::optional<int> FakeDialogs::chooseItem(const QString& prompt, const QStringList& items) {
    lists << (QStringList{prompt} + items);
    if (m_choices.empty()) {
        QTest::qFail(qPrintable("unexpected list: " + prompt), __FILE__, __LINE__);
        return std::nullopt;
    }
    const std::optional<int> choice = m_choices.front();
    m_choices.pop_front();
    return choice;
}

std::optional<FontChoice> FakeDialogs::chooseFont(const FontChoice&) {
    if (m_fonts.empty()) {
        QTest::qFail("unexpected font dialog", __FILE__, __LINE__);
        return std::nullopt;
    }
    auto answer = m_fonts.front();
    m_fonts.pop_front();
    return answer;
}
