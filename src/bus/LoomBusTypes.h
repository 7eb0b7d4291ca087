#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>

// The values of the modelling server's "Data" member as they travel on the bus.
namespace loombus {

inline constexpr const char* kService = "LoomXObjects.CLoomConnection";
inline constexpr const char* kServerInterface = "LoomXObjects.Server";
inline constexpr const char* kConnectionInterface = "LoomXObjects.CLoomConnection";
inline constexpr const char* kTableInterface = "LoomXObjects.CLoomTable";
inline constexpr const char* kSetInterface = "LoomXObjects.CLoomSet";

struct Record {
    qint32 column = 0;
    qint32 row = 0;
    double value = 0.0;
};
using Records = QList<Record>;
using Grid = QList<QList<double>>;

void registerTypes();

}  // namespace loombus

Q_DECLARE_METATYPE(loombus::Record)
Q_DECLARE_METATYPE(loombus::Grid)

QDBusArgument& operator<<(QDBusArgument& argument, const loombus::Record& record);
const QDBusArgument& operator>>(const QDBusArgument& argument, loombus::Record& record);
