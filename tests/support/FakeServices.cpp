#include "support/FakeServices.h"

#include <QTest>
#include <algorithm>

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

void FakeDialogs::message(const QString& text, MessageKind /*kind*/) {
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

std::optional<bool> FakeDialogs::scriptedAnswer(const QString& text) {
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
    return std::nullopt;
}

bool FakeDialogs::question(const QString& text) {
    questions << text;
    OpenDialog open(*this, text);
    if (m_onQuestion) {
        // A copy: the hook may replace itself.
        auto hook = m_onQuestion;
        hook(text);
    }
    if (const std::optional<bool> yes = scriptedAnswer(text)) return *yes;
    QTest::qFail(qPrintable(QStringLiteral("unexpected question: %1").arg(text)), __FILE__, __LINE__);
    return false;
}

int FakeDialogs::openBox(QObject* owner, const QString& text, std::function<void(bool)> answered) {
    unbidden << text;
    if (openTexts.contains(text)) ++stacked;
    openTexts << text;
    ++openCount;
    maxOpen = std::max(maxOpen, openCount);
    const int id = m_nextBox++;
    m_open.push_back(Box{id, text, owner != nullptr, owner, std::move(answered)});
    return id;
}

void FakeDialogs::close(int id, bool yes) {
    const auto box =
        std::find_if(m_open.begin(), m_open.end(), [id](const Box& b) { return b.id == id; });
    if (box == m_open.end()) return;
    Box closed = std::move(*box);
    m_open.erase(box);
    --openCount;
    openTexts.removeAt(openTexts.lastIndexOf(closed.text));
    if (closed.owned && !closed.owner) return;  // its owner has gone
    if (closed.answered) closed.answered(yes);
}

void FakeDialogs::openMessage(QObject* owner, const QString& text, std::function<void()> answered,
                              MessageKind /*kind*/) {
    messages << text;
    const int id = openBox(owner, text, [answered = std::move(answered)](bool) {
        if (answered) answered();
    });
    if (m_onMessage) {
        auto hook = std::move(m_onMessage);
        m_onMessage = nullptr;
        hook(text);
    }
    if (!m_leaveOpen) close(id, true);
}

void FakeDialogs::openQuestion(QObject* owner, const QString& text, DefaultAnswer defaultAnswer,
                               std::function<void(bool)> answered, TextLayout /*layout*/) {
    questions << text;
    if (defaultAnswer == DefaultAnswer::No) noByDefault << text;
    const int id = openBox(owner, text, std::move(answered));
    if (m_onQuestion) {
        auto hook = m_onQuestion;
        hook(text);
    }
    if (const std::optional<bool> yes = scriptedAnswer(text)) {
        close(id, *yes);
    } else if (!m_leaveOpen) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected question: %1").arg(text)), __FILE__,
                     __LINE__);
        close(id, false);
    }
}

bool FakeDialogs::answer(const QString& text, bool yes) {
    for (auto box = m_open.rbegin(); box != m_open.rend(); ++box) {
        if (!box->text.startsWith(text)) continue;
        close(box->id, yes);
        return true;
    }
    return false;
}

QStringList FakeDialogs::openBoxes() const {
    QStringList texts;
    for (const Box& box : m_open) texts << box.text;
    return texts;
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

namespace {
// The next scripted answer of a file dialog.
std::optional<QString> nextFile(std::deque<std::optional<QString>>& answers, const char* kind,
                                const QString& title) {
    if (answers.empty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected %1 dialog: %2").arg(QLatin1String(kind), title)),
                     __FILE__, __LINE__);
        return std::nullopt;
    }
    // Built from the stored value, not copied as an optional: g++ 12 warns
    // wrongly that a copied optional<QString> may be uninitialised.
    const bool picked = answers.front().has_value();
    const QString path = picked ? *answers.front() : QString();
    answers.pop_front();
    if (!picked) return std::nullopt;
    return path;
}
}  // namespace

std::optional<QString> FakeDialogs::openFile(const QString&, const QString&, const QString& title) {
    return nextFile(m_openFiles, "open", title);
}

std::optional<QString> FakeDialogs::saveFile(const QString&, const QString&, const QString& title) {
    return nextFile(m_saveFiles, "save", title);
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
