#include "StoredKind.h"

TableCopy::Kind storedKind(const QVariant& value) {
    if (value.isNull() || !value.isValid()) return TableCopy::Kind::Null;
    switch (value.typeId()) {
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::Bool:
            return TableCopy::Kind::Integer;
        case QMetaType::Float:
        case QMetaType::Double:
            return TableCopy::Kind::Real;
        default:
            return TableCopy::Kind::Short;
    }
}
