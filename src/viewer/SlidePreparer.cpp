#include "viewer/SlidePreparer.h"

#include <QThreadPool>
#include <chrono>
#include <memory>

void SlidePreparer::prepare(const QString& path, const QSizeF& windowTwips, double twipsPerPixel) {
    // The promise is shared with the worker, so forgetting a slide never
    // waits for its read to finish.
    auto promise = std::make_shared<std::promise<Slide>>();
    m_pending = Pending{path, windowTwips, twipsPerPixel, promise->get_future().share()};
    QThreadPool::globalInstance()->start([promise, path, windowTwips, twipsPerPixel] {
        promise->set_value(picturefile::readCentred(path, windowTwips, twipsPerPixel));
    });
}

bool SlidePreparer::ready(const QString& path, const QSizeF& windowTwips, double twipsPerPixel) const {
    return m_pending && m_pending->path == path && m_pending->windowTwips == windowTwips &&
           m_pending->twipsPerPixel == twipsPerPixel &&
           m_pending->slide.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

SlidePreparer::Slide SlidePreparer::obtain(const QString& path, const QSizeF& windowTwips,
                                           double twipsPerPixel) {
    std::optional<Pending> pending = std::move(m_pending);
    m_pending.reset();
    if (pending && pending->path == path && pending->windowTwips == windowTwips &&
        pending->twipsPerPixel == twipsPerPixel)
        return pending->slide.get();
    return picturefile::readCentred(path, windowTwips, twipsPerPixel);
}
