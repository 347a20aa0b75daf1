#pragma once

#include <QString>

#include "AppContext.h"
#include "platform/Services.h"
#include "scheduler/ScratchBox.h"

// The overview of every appointment on every date, and the search through
// their texts. Both show one numbered list, one line per appointment, and
// change neither the table nor the window.
class ScheduleListing {
public:
    // `scratch` is the planner window's hidden rich-text box.
    ScheduleListing(AppContext& app, const Services& services, ScratchBox scratch);

    // "List of schedules on all dates".
    void listAll();
    // "Find text within schedules on all dates".
    void findText();

    // The list of every appointment, or of those whose text `search` finds
    // when it is given; empty when none is listed.
    QString allLines() const;
    QString matchingLines(const QString& search) const;

private:
    template <class Accept>
    QString lines(Accept accept) const;

    AppContext& m_app;
    Services m_services;
    ScratchBox m_scratch;
};
