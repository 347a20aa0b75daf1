#pragma once

#include <QDateTime>

// The current date and time of day. Every rule that depends on "now" asks
// this service, so a test can run the program at any moment it chooses.
class IClock {
public:
    virtual ~IClock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public IClock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
