#pragma once

#include <QDateTime>
#include <QPointer>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "platform/IClock.h"
#include "platform/IDesktopNotifier.h"
#include "platform/IDialogs.h"
#include "platform/IPauser.h"
#include "platform/Services.h"

// A clock the test sets and moves forward.
class FakeClock final : public IClock {
public:
    explicit FakeClock(const QDateTime& start = QDateTime(QDate(2026, 12, 8), QTime(17, 6, 59)))
        : m_now(start) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& at) { m_now = at; }
    void advanceMs(qint64 ms) { m_now = m_now.addMSecs(ms); }

private:
    QDateTime m_now;
};

// Dialogs whose answers the test scripts in advance. Every message, question
// and input box is recorded; one that was not expected fails the test.
//
// Unbidden boxes (openMessage, openQuestion) are answered as soon as they
// open, by the script like any question (a notice with OK), unless the test
// has asked with leaveOpen() to keep them: then a notice, and a question the
// script has no answer for, stays open while the clock goes on, until the
// test answers it with answer().
class FakeDialogs final : public IDialogs {
public:
    // The next question with exactly this text is answered `yes`.
    void expectQuestion(const QString& text, bool yes);
    // Any question is answered `yes` from now on (for tests that do not care).
    void answerAllQuestions(bool yes) { m_defaultAnswer = yes ? 1 : 0; }
    // The next input box gets this answer.
    void expectInput(const QString& answer) { m_inputs.push_back(answer); }
    void expectOpenFile(std::optional<QString> path) { m_openFiles.push_back(std::move(path)); }
    void expectSaveFile(std::optional<QString> path) { m_saveFiles.push_back(std::move(path)); }
    void expectFont(std::optional<FontChoice> font) { m_fonts.push_back(std::move(font)); }
    // The next list to pick from gets this answer (nullopt: Cancel).
    void expectChoice(std::optional<int> index) { m_choices.push_back(index); }
    // A hook run inside the next message call (to act while it is "open").
    void setOnMessage(std::function<void(const QString&)> hook) { m_onMessage = std::move(hook); }
    // A hook run inside every question call until replaced (to act while it
    // is "open", e.g. let the clock tick on).
    void setOnQuestion(std::function<void(const QString&)> hook) { m_onQuestion = std::move(hook); }
    // Unbidden boxes stay open until answer() from now on (see above).
    void leaveOpen(bool keep = true) { m_leaveOpen = keep; }
    // Answers the unbidden box opened last of those still open whose text
    // starts with `text`: OK for a notice, Yes or No for a question. False
    // when there is none.
    bool answer(const QString& text, bool yes = true);
    // The texts of the unbidden boxes now open, in the order they opened.
    QStringList openBoxes() const;

    void message(const QString& text, MessageKind kind = MessageKind::Notice) override;
    // Recorded with the messages, and counted in longMessages.
    void longMessage(const QString& text) override;
    bool question(const QString& text) override;
    // Recorded with the messages and questions, and in `unbidden` too.
    void openMessage(QObject* owner, const QString& text, std::function<void()> answered,
                     MessageKind kind = MessageKind::Notice) override;
    void openQuestion(QObject* owner, const QString& text, DefaultAnswer defaultAnswer,
                      std::function<void(bool)> answered,
                      TextLayout layout = TextLayout::Prose) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    std::optional<QString> openFile(const QString& folder, const QString& filter,
                                    const QString& title) override;
    std::optional<QString> saveFile(const QString& suggested, const QString& filter,
                                    const QString& title) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    std::optional<int> chooseItem(const QString& prompt, const QStringList& items) override;

    QStringList messages;   // every notice shown, in order
    int longMessages = 0;   // how many of them came as long messages
    QStringList questions;  // every question asked, in order
    QStringList prompts;    // every input box prompt
    QList<QStringList> lists;  // every list offered to pick from, its prompt first
    QStringList unbidden;   // the notices and questions that came unbidden
    QStringList noByDefault;  // the unbidden questions whose default answer is No
    // Messages and questions currently "open" (nested calls), for stacking checks.
    // Identical texts opened while one is still open are counted in `stacked`.
    QStringList openTexts;
    int stacked = 0;
    int openCount = 0;
    int maxOpen = 0;

    // True when every scripted answer was used.
    bool allAnswersUsed() const { return m_questions.empty() && m_inputs.empty() && m_choices.empty(); }

private:
    struct Scripted {
        QString text;
        bool yes;
    };
    struct Box {
        int id;
        QString text;
        bool owned;  // an owner was named: the answer goes only while it lives
        QPointer<QObject> owner;
        std::function<void(bool)> answered;
    };
    int openBox(QObject* owner, const QString& text, std::function<void(bool)> answered);
    // Closes the box, then gives its answer.
    void close(int id, bool yes);
    // The scripted answer to the next question, if any; fails the test when
    // the script expected another text.
    std::optional<bool> scriptedAnswer(const QString& text);
    std::vector<Box> m_open;
    int m_nextBox = 1;
    bool m_leaveOpen = false;
    std::deque<Scripted> m_questions;
    std::deque<QString> m_inputs;
    std::deque<std::optional<QString>> m_openFiles;
    std::deque<std::optional<QString>> m_saveFiles;
    std::deque<std::optional<FontChoice>> m_fonts;
    std::deque<std::optional<int>> m_choices;
    int m_defaultAnswer = -1;
    std::function<void(const QString&)> m_onMessage;
    std::function<void(const QString&)> m_onQuestion;
};

// A desktop notification service that records what it was sent; it can be
// told that the desktop has none.
class FakeNotifier final : public IDesktopNotifier {
public:
    int notify(const QString& summary, const QString& body) override {
        sent << summary + QStringLiteral(" | ") + body;
        return available ? ++m_lastTicket : 0;
    }
    void withdraw(int ticket) override {
        if (ticket) withdrawn << ticket;
    }
    QStringList sent;      // "summary | body", in order
    QList<int> withdrawn;  // the tickets taken back, in order
    bool available = true;

private:
    int m_lastTicket = 0;
};

// Animation pauses that do not wait; counts them.
class FakePauser final : public IPauser {
public:
    void pause(int milliseconds) override {
        ++count;
        total += milliseconds;
    }
    int count = 0;
    qint64 total = 0;
};
