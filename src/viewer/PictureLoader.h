#pragma once

#include <QObject>
#include <functional>
#include <memory>

// Reads pictures on a worker thread, so that a large or slow picture never
// holds up the window: the work runs in the thread pool and what it hands
// back is run on this object's thread. Only the latest start counts: the
// result of a read that a later start replaced is dropped unseen (a read
// already running cannot be stopped; it finishes on its own).
class PictureLoader : public QObject {
    Q_OBJECT
public:
    // Runs on the worker; returns what is to be done with its result on
    // this object's thread.
    using Work = std::function<std::function<void()>()>;

    explicit PictureLoader(QObject* parent = nullptr);
    ~PictureLoader() override;

    void start(Work work);
    // Drops whatever is being read.
    void forget();
    // A read whose result is still to come.
    bool busy() const { return m_busy; }

private:
    struct Link;  // lets a worker that outlives this object find it gone
    void deliver(quint64 generation, const std::function<void()>& show);

    std::shared_ptr<Link> m_link;
    quint64 m_generation = 0;
    bool m_busy = false;
};
