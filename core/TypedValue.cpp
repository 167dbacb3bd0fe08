#include "core/TypedValue.h"

#include "core/NumberText.h"

#include <algorithm>

namespace vanemark {

TypedValue::TypedValue(Type t, std::string_view cellName, int decimals) : name(cellName), type(t), precision(decimals)
{
}

int TypedValue::SetText(std::string_view value)
{
    // Text stops at an embedded NUL, as every reader of the cell sees it.
    value = value.substr(0, std::min(value.size(), value.find('\0')));
    // assign() keeps the buffer whenever it is already large enough.
    text.assign(value);
    hasText = true;
    MarkAssigned();
    return 0;
}

int TypedValue::SetInt(std::int32_t v)
{
    switch (type) {
    case Double:
        dbl = static_cast<double>(v);
        break;
    case Integer:
        integer = v;
        break;
    default:
        return SetText(FormatInt(v));
    }
    MarkAssigned();
    return 0;
}

namespace {

// Truncation toward zero; values beyond the int32 range saturate instead of
// being undefined.
std::int32_t Truncate(double v)
{
    if (!(v == v)) {
        return 0;
    }
    if (v >= 2147483647.0) {
        return 2147483647;
    }
    if (v <= -2147483648.0) {
        return -2147483647 - 1;
    }
    return static_cast<std::int32_t>(v);
}

} // namespace

int TypedValue::SetDouble(double v)
{
    switch (type) {
    case Double:
        dbl = v;
        break;
    case Integer:
        integer = Truncate(v);
        break;
    default:
        return SetText(FormatFixed(v, precision));
    }
    MarkAssigned();
    return 0;
}

int TypedValue::AssignReceived(std::string_view value)
{
    switch (type) {
    case Double:
        dbl = ParseDouble(value);
        break;
    case Integer:
        integer = ParseInt(value);
        break;
    default:
        return SetText(value);
    }
    MarkAssigned();
    return 0;
}

int TypedValue::GetDouble(double& out) const
{
    switch (type) {
    case Double:
        out = dbl;
        return 0;
    case Integer:
        out = static_cast<double>(integer);
        return 0;
    default:
        if (!hasText) {
            out = 0.0;
            return -1;
        }
        out = ParseDouble(text);
        return 0;
    }
}

int TypedValue::GetText(std::string& out) const
{
    switch (type) {
    case Double:
        out = FormatFixed(dbl, precision);
        break;
    case Integer:
        out = FormatInt(integer);
        break;
    default:
        out = text;
        break;
    }
    if (out.size() > kMaxText) {
        out.resize(kMaxText);
    }
    return 0;
}

int TypedValue::Clear()
{
    SetDouble(0.0);
    flags &= ~(Received | Updated);
    return 0;
}

} // namespace vanemark
