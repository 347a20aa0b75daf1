#pragma once

#include <QStringList>

#include "platform/IScreenSaverInhibitor.h"

// Records what the program asked of the screen saver.
class FakeScreenSaver final : public IScreenSaverInhibitor {
public:
    void inhibit(const QString& reason) override {
        ++inhibits;
        reasons << reason;
        held = true;
    }
    void release() override {
        ++releases;
        held = false;
    }
    int inhibits = 0;
    int releases = 0;
    bool held = false;
    QStringList reasons;
};
