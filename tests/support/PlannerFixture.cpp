#include "support/PlannerFixture.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>

#include "diary/CalendarLabel.h"
#include "scheduler/Form2.h"

PlannerFixture::PlannerFixture(const QDateTime& now) : WindowRig(now) {
    if (folder.ok()) app = folder.openContext();
    if (!app) return;
    form = std::make_unique<Form2>(*app, services);
}

PlannerFixture::~PlannerFixture() = default;

bool PlannerFixture::load() {
    return form && form->load();
}

bool PlannerFixture::addAppointment(const QString& day, const QString& month, const QString& year,
                                    const QString& hour, int minute, const QString& ampm,
                                    const QString& text) {
    auto quote = [](QString t) {
        return QLatin1Char('\'') + t.replace(QLatin1Char('\''), QLatin1String("''")) +
               QLatin1Char('\'');
    };
    return folder.exec(QStringLiteral("INSERT INTO scheduler VALUES (%1, %2, %3, %4, %5, %6, %7)")
                           .arg(quote(day), quote(month), quote(year), quote(hour))
                           .arg(minute)
                           .arg(quote(ampm), quote(text)));
}

void PlannerFixture::showMonth(const QString& month, const QString& year) {
    form->Combo2->setEditText(month);
    form->Combo3->setEditText(year);
}

QStringList PlannerFixture::captions() const {
    QStringList list;
    for (int k = 0; k < 42; ++k) list << form->dayCell(k)->text();
    return list;
}
