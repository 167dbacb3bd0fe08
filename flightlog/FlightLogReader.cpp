#include "flightlog/FlightLogReader.h"

#include <cerrno>
#include <charconv>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

namespace vanemark {

namespace {

// Recordings made before the hand columns end at the aircraft.
constexpr std::size_t kColumnsWithoutHand = kFlightValueColumns.size() + 2;
constexpr std::size_t kColumns = kColumnsWithoutHand + kFlightHandColumns.size();

std::string_view ColumnName(std::size_t column)
{
    if (column == 0) {
        return kFlightTimeColumn;
    }
    if (column + 1 < kColumnsWithoutHand) {
        return kFlightValueColumns[column - 1].name;
    }
    return column + 1 == kColumnsWithoutHand ? kFlightAircraftColumn.name
                                             : kFlightHandColumns[column - kColumnsWithoutHand];
}

// How many columns the header names; 0 when it is neither today's header nor
// the one before the hand columns.
std::size_t HeaderColumns(const std::vector<std::string>& fields)
{
    if (fields.size() != kColumns && fields.size() != kColumnsWithoutHand) {
        return 0;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i] != ColumnName(i)) {
            return 0;
        }
    }
    return fields.size();
}

// Splits one record off the text; physical lines are counted, since a quoted
// field may hold line ends.
class RecordScanner {
public:
    explicit RecordScanner(std::string_view csv) : text(csv) {}

    bool AtEnd() const { return pos >= text.size(); }
    int Line() const { return line; }

    // The fields of the next record; `complete` is false when the text ended
    // before its line end (or inside quotes).
    bool Next(std::vector<std::string>& fields, bool& complete, std::string& reason)
    {
        fields.assign(1, {});
        complete = false;
        bool quoted = false;
        bool afterQuote = false;
        for (; pos < text.size(); ++pos) {
            const char c = text[pos];
            std::string& field = fields.back();
            if (quoted) {
                if (c == '"' && pos + 1 < text.size() && text[pos + 1] == '"') {
                    field.push_back('"');
                    ++pos;
                } else if (c == '"') {
                    quoted = false;
                    afterQuote = true;
                } else {
                    line += c == '\n' ? 1 : 0;
                    field.push_back(c);
                }
            } else if (c == ',') {
                fields.emplace_back();
                afterQuote = false;
            } else if (c == '\n' || (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')) {
                pos += c == '\r' ? 2 : 1;
                ++line;
                complete = true;
                return true;
            } else if (afterQuote) {
                reason = "text after the closing quote";
                return false;
            } else if (c == '"' && field.empty()) {
                quoted = true;
            } else {
                field.push_back(c);
            }
        }
        return true;
    }

private:
    std::string_view text;
    std::size_t pos = 0;
    int line = 1;
};

template <typename T> bool ReadNumber(const std::string& text, T& out)
{
    const auto result = std::from_chars(text.data(), text.data() + text.size(), out);
    return !text.empty() && result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// Empty: the simulator did not send the value at the time, or the control
// had no axis.
bool ReadValue(const std::string& field, std::string_view name, double& out, std::string& reason)
{
    if (field.empty()) {
        out = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    if (ReadNumber(field, out)) {
        return true;
    }
    reason = name;
    reason.append(" '");
    reason.append(field);
    reason.append("' is not a number");
    return false;
}

bool ReadRow(const std::vector<std::string>& fields, std::size_t columns, std::int64_t earliest, FlightSample& row,
             std::string& reason)
{
    if (fields.size() != columns) {
        reason = std::to_string(fields.size());
        reason.append(" fields where the header has ");
        reason.append(std::to_string(columns));
        return false;
    }
    if (!ReadNumber(fields[0], row.timeMs) || row.timeMs < earliest) {
        reason = "time_ms '";
        reason.append(fields[0]);
        reason.append(row.timeMs < earliest ? "' goes back in time" : "' is not a whole number");
        return false;
    }
    for (std::size_t i = 0; i < kFlightValueColumns.size(); ++i) {
        if (!ReadValue(fields[i + 1], kFlightValueColumns[i].name, row.values[i], reason)) {
            return false;
        }
    }
    row.aircraft = fields[kColumnsWithoutHand - 1];
    row.hand = NoFlightHand();
    for (std::size_t i = kColumnsWithoutHand; i < columns; ++i) {
        const std::size_t hand = i - kColumnsWithoutHand;
        if (!ReadValue(fields[i], kFlightHandColumns[hand], row.hand[hand], reason)) {
            return false;
        }
    }
    return true;
}

bool Failure(std::string_view name, int line, std::string_view reason, std::string& error)
{
    error = name;
    error.push_back(':');
    error.append(std::to_string(line));
    error.append(": ");
    error.append(reason);
    return false;
}

} // namespace

bool ParseFlightLog(std::string_view text, std::string_view name, std::vector<FlightSample>& rows, std::string& error)
{
    rows.clear();
    RecordScanner scanner(text);
    std::vector<std::string> fields;
    std::string reason;
    bool complete = false;
    int line = scanner.Line();
    std::string header("the header is not ");
    header.append(FlightHeader());
    const std::size_t columns = scanner.Next(fields, complete, reason) ? HeaderColumns(fields) : 0;
    if (columns == 0) {
        return Failure(name, line, header, error);
    }
    FlightSample row;
    while (!scanner.AtEnd()) {
        line = scanner.Line();
        const bool scanned = scanner.Next(fields, complete, reason);
        if (scanned && fields.size() == 1 && fields[0].empty()) {
            continue; // a blank line
        }
        if (scanned && ReadRow(fields, columns, rows.empty() ? 0 : rows.back().timeMs, row, reason)) {
            rows.push_back(row);
        } else if (complete || (!scanned && !scanner.AtEnd())) {
            rows.clear();
            return Failure(name, line, reason, error);
        } else {
            break; // the cut-off last line
        }
    }
    if (rows.empty()) {
        return Failure(name, scanner.Line(), "no rows after the header", error);
    }
    return true;
}

bool ReadFlightLog(const std::filesystem::path& path, std::vector<FlightSample>& rows, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path.string();
        error.append(": ");
        error.append(std::generic_category().message(errno != 0 ? errno : ENOENT));
        return false;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseFlightLog(text, path.string(), rows, error);
}

} // namespace vanemark
