#include "shell/StoredValue.h"

#include <QString>
#include <limits>

namespace vantor {

namespace {

constexpr qlonglong Lowest = std::numeric_limits<std::int32_t>::min();
constexpr qlonglong Highest = std::numeric_limits<std::uint32_t>::max();

std::optional<std::int32_t> FromWide(qlonglong wide) {
    if (wide < Lowest || wide > Highest)
        return std::nullopt;
    // A DWORD above the signed range is the same 32 bits as a negative integer.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(wide));
}

} // namespace

std::optional<std::int32_t> StoredInt32(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
        return value.toInt();
    case QMetaType::UInt:
        return static_cast<std::int32_t>(value.toUInt());
    case QMetaType::LongLong:
        return FromWide(value.toLongLong());
    case QMetaType::ULongLong: {
        const qulonglong wide = value.toULongLong();
        return wide > qulonglong(Highest) ? std::nullopt : FromWide(qlonglong(wide));
    }
    case QMetaType::QString: {
        bool ok = false;
        const qlonglong wide = value.toString().trimmed().toLongLong(&ok, 10);
        return ok ? FromWide(wide) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::optional<bool> StoredBool(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (const auto number = StoredInt32(value))
        return *number != 0;
    if (value.typeId() == QMetaType::QString) {
        const QString word = value.toString().trimmed().toLower();
        if (word == QLatin1String("true"))
            return true;
        if (word == QLatin1String("false"))
            return false;
    }
    return std::nullopt;
}

} // namespace vantor
