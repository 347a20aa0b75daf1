#include "SettingsStore.h"

#include <QVariant>
#include <algorithm>
#include <limits>

#include "Database.h"
#include "Texts.h"

namespace settings {

Saved read(RecordSet& clockini) {
    Saved saved;
    if (!clockini.moveFirst()) return saved;
    if (const auto left = texts::wholeNumber(clockini.field(0)))
        saved.left = int(std::clamp<qint64>(*left, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
    const QVariant top = clockini.field(1);
    bool ok = false;
    const double topValue = top.toDouble(&ok);
    if (!top.isNull() && ok) saved.top = double(float(topValue));
    const QVariant size = clockini.field(2);
    if (size.typeId() == QMetaType::QString) saved.size = size.toString();
    const QVariant chime = clockini.field(3);
    if (chime.typeId() == QMetaType::QString) saved.chimeMode = chime.toString();
    return saved;
}

void save(RecordSet& clockini, qint64 left, double top, const QString& size,
          const QString& chimeMode) {
    if (clockini.moveFirst())
        clockini.edit();
    else
        clockini.addNew();
    const qint16 left16 = qint16(std::clamp<qint64>(left, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
    clockini.setField(0, int(left16));
    clockini.setField(1, double(float(top)));
    clockini.setField(2, size);
    clockini.setField(3, chimeMode);
    clockini.update();
}

std::optional<bool> readHelpFlag(RecordSet& signal) {
    if (!signal.moveFirst()) return std::nullopt;
    const QVariant flag = signal.field(6);
    if (!signal.hasCurrent()) return std::nullopt;
    return flag.toString() == QLatin1String("F");
}

void setHelpOff(RecordSet& signal) {
    if (!signal.moveFirst()) return;
    if (!signal.edit()) return;
    signal.setField(6, QStringLiteral("U"));
    signal.update();
}

void writeHandoff(RecordSet& signal, const QString& value) {
    if (signal.moveFirst())
        signal.edit();
    else
        signal.addNew();
    signal.setField(0, value);
    signal.update();
}

std::optional<QString> readHandoff(RecordSet& signal) {
    if (!signal.moveFirst()) return std::nullopt;
    return signal.text(0);
}

}  // namespace settings
