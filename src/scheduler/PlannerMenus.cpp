#include "scheduler/PlannerMenus.h"

#include <QAction>
#include <QMenu>

namespace {

QMenu* menu(QWidget* owner, const char* name, const QString& caption) {
    auto* m = new QMenu(caption, owner);
    m->setObjectName(QString::fromLatin1(name));
    return m;
}

QMenu* submenu(QMenu* parent, const char* name, const QString& caption) {
    QMenu* m = parent->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    return m;
}

QAction* item(QMenu* parent, const char* name, const QString& caption) {
    QAction* a = parent->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

}  // namespace

PlannerMenus::PlannerMenus(QWidget* owner) {
    all = menu(owner, "all", QStringLiteral("all"));
    dc = submenu(all, "dc", QStringLiteral("Diary control"));
    mark = item(dc, "mark", QStringLiteral("Make a diary entry"));
    display = item(dc, "display", QStringLiteral("Display diary entry"));
    sld = item(dc, "sld", QStringLiteral("List of entries on all dates"));
    ftw = item(dc, "ftw", QStringLiteral("Find text within diary entries on all dates"));
    sc = submenu(all, "sc", QStringLiteral("Scheduler control"));
    note1 = item(sc, "note1", QStringLiteral("Schedule an appointment"));
    vea = item(sc, "vea", QStringLiteral("View/Remove schedule"));
    note2 = item(sc, "note2", QStringLiteral("List of schedules on all dates"));
    note3 = item(sc, "note3", QStringLiteral("Find text within schedules on all dates"));
    note4 = item(sc, "note4", QStringLiteral("Export schedules to a calendar file"));
    note5 = item(sc, "note5", QStringLiteral("Import schedules from a calendar file"));
    // Offered only for a day that has an entry or appointments.
    display->setEnabled(false);
    vea->setEnabled(false);

    all2 = menu(owner, "all2", QStringLiteral("all2"));
    efo = submenu(all2, "efo", QStringLiteral("File options"));
    New = item(efo, "New", QStringLiteral("New"));
    open = item(efo, "open", QStringLiteral("Open"));
    Save = item(efo, "Save", QStringLiteral("Save"));
    qs = item(efo, "qs", QStringLiteral("Quick Save"));
    pr = item(efo, "pr", QStringLiteral("Print"));
    Delete = item(efo, "Delete", QStringLiteral("Delete"));
    ev = item(efo, "ev", QStringLiteral("Earlier versions"));
    eo = submenu(all2, "eo", QStringLiteral("Editing Options"));
    just = submenu(eo, "just", QStringLiteral("Justification"));
    left = item(just, "left", QStringLiteral("Left"));
    right1 = item(just, "right1", QStringLiteral("Right"));
    center = item(just, "center", QStringLiteral("Center"));
    cf = item(eo, "cf", QStringLiteral("Change Font"));
    Undo = item(eo, "Undo", QStringLiteral("&Undo"));
    copy = item(eo, "copy", QStringLiteral("Copy"));
    Paste = item(eo, "Paste", QStringLiteral("Paste"));
    find = item(eo, "find", QStringLiteral("Find"));
    clr = item(eo, "clr", QStringLiteral("Clear all text"));
    close = item(all2, "close", QStringLiteral("Close"));

    mf = menu(owner, "mf", QStringLiteral("mf"));
    cc1 = item(mf, "cc1", QStringLiteral("Close calendar"));
}
