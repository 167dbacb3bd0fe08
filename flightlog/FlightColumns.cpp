#include "flightlog/FlightColumns.h"

namespace vanemark {

std::string FlightHeader()
{
    std::string header(kFlightTimeColumn);
    for (const FlightColumn& column : kFlightValueColumns) {
        header.push_back(',');
        header.append(column.name);
    }
    header.push_back(',');
    header.append(kFlightAircraftColumn.name);
    for (const std::string_view name : kFlightHandColumns) {
        header.push_back(',');
        header.append(name);
    }
    return header;
}

} // namespace vanemark
