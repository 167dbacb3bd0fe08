#include "settings/SimulatorName.h"

#include <QCoreApplication>

namespace vanemark {

QString SimulatorName(settings::Simulator simulator)
{
    switch (simulator) {
    case settings::Simulator::DeviceLink:
        return QCoreApplication::translate("Simulator", "DeviceLink (IL-2 1946)");
    case settings::Simulator::Il2gb:
        return QCoreApplication::translate("Simulator", "IL-2 Great Battles");
    case settings::Simulator::XPlane:
        return QCoreApplication::translate("Simulator", "X-Plane");
    case settings::Simulator::FlightGear:
        return QCoreApplication::translate("Simulator", "FlightGear");
    case settings::Simulator::WarThunder:
        return QCoreApplication::translate("Simulator", "War Thunder");
    case settings::Simulator::Automatic:
        break;
    }
    return QCoreApplication::translate("Simulator", "Automatic");
}

} // namespace vanemark
