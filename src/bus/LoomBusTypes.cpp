#include "LoomBusTypes.h"

#include <QDBusMetaType>

QDBusArgument& operator<<(QDBusArgument& argument, const loombus::Record& record) {
    argument.beginStructure();
    argument << record.column << record.row << record.value;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, loombus::Record& record) {
    argument.beginStructure();
    argument >> record.column >> record.row >> record.value;
    argument.endStructure();
    return argument;
}

namespace loombus {

void registerTypes() {
    qDBusRegisterMetaType<Record>();
    qDBusRegisterMetaType<Records>();
    qDBusRegisterMetaType<Grid>();
}

}  // namespace loombus
