#pragma once

#include <QObject>
#include <QTimer>

// Lets the text caret stop blinking once the user has left the keyboard and
// mouse alone for a while, and blink again at the next key or click. The
// program stays open all day, often with a text field focused (the planner's
// appointment box): a blinking caret wakes it twice a second and repaints,
// for nobody. At rest the caret stays shown, steady.
class CaretRest final : public QObject {
public:
    static constexpr int kRestAfterMs = 10000;

    explicit CaretRest(QObject* parent = nullptr, int restAfterMs = kRestAfterMs);
    ~CaretRest() override;

    bool resting() const { return m_resting; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rest();
    void wake();

    QTimer m_idle;
    int m_flashTime;  // the desktop's blink period, given back on waking
    bool m_resting = false;
};
