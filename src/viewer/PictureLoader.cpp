#include "viewer/PictureLoader.h"

#include <QMetaObject>
#include <QThreadPool>
#include <mutex>

struct PictureLoader::Link {
    std::mutex lock;
    PictureLoader* loader = nullptr;  // null once the loader is gone
};

PictureLoader::PictureLoader(QObject* parent) : QObject(parent), m_link(std::make_shared<Link>()) {
    m_link->loader = this;
}

PictureLoader::~PictureLoader() {
    // A worker that finishes later finds no one to hand its result to; one
    // that is handing it over right now is waited for, and its posted call
    // goes with this object.
    const std::lock_guard<std::mutex> guard(m_link->lock);
    m_link->loader = nullptr;
}

void PictureLoader::start(Work work) {
    const quint64 generation = ++m_generation;
    m_busy = true;
    QThreadPool::globalInstance()->start([link = m_link, generation, work = std::move(work)] {
        std::function<void()> show = work();
        const std::lock_guard<std::mutex> guard(link->lock);
        if (!link->loader) return;
        PictureLoader* loader = link->loader;
        QMetaObject::invokeMethod(
            loader, [loader, generation, show = std::move(show)] { loader->deliver(generation, show); },
            Qt::QueuedConnection);
    });
}

void PictureLoader::forget() {
    ++m_generation;
    m_busy = false;
}

void PictureLoader::deliver(quint64 generation, const std::function<void()>& show) {
    if (generation != m_generation) return;
    m_busy = false;
    if (show) show();
}
