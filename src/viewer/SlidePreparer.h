#pragma once

#include <QSizeF>
#include <QString>
#include <future>
#include <optional>

#include "viewer/PictureFile.h"

// Reads the next slide on a worker thread while the current one is on the
// screen, so that when its time comes it only has to be shown.
class SlidePreparer {
public:
    using Slide = std::optional<picturefile::CentredPart>;

    // Starts reading `path` for natural size centred in a window of
    // `windowTwips`. Forgets whatever was being prepared before.
    void prepare(const QString& path, const QSizeF& windowTwips, double twipsPerPixel);
    // The slide for `path` in that window: the prepared one (waiting for it
    // if it is still being read), or, when something else was prepared, read
    // now. nullopt when the file cannot be read.
    Slide obtain(const QString& path, const QSizeF& windowTwips, double twipsPerPixel);
    // Whether the slide for `path` in that window has been read and waits.
    bool ready(const QString& path, const QSizeF& windowTwips, double twipsPerPixel) const;
    // Forgets the slide being prepared; a read still running ends unseen.
    void forget() { m_pending.reset(); }
    bool preparing() const { return m_pending.has_value(); }

private:
    struct Pending {
        QString path;
        QSizeF windowTwips;
        double twipsPerPixel = 0;
        std::shared_future<Slide> slide;
    };
    std::optional<Pending> m_pending;
};
