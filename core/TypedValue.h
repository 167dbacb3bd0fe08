#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vanemark {

// One value cell: a double, a 32-bit integer or an owned text, with status
// flags. The cell has no lock of its own; whoever shares it guards it.
class TypedValue {
public:
    enum Flag : std::uint32_t {
        Updated = 0x01,
        Polled = 0x02,
        Readable = 0x40,
        Writable = 0x80,
        Received = 0x80000000u,
    };
    enum Type : std::int32_t { Double = 0, Integer = 1, String = 2 };

    // Callers hand GetText buffers of 256 bytes: at most this many characters.
    static constexpr std::size_t kMaxText = 255;

    TypedValue() = default;
    explicit TypedValue(Type t, std::string_view cellName = {}, int decimals = 2);
    virtual ~TypedValue() = default;
    TypedValue(const TypedValue&) = default;
    TypedValue& operator=(const TypedValue&) = default;
    TypedValue(TypedValue&&) noexcept = default;
    TypedValue& operator=(TypedValue&&) noexcept = default;

    int SetText(std::string_view value);
    int SetInt(std::int32_t v);
    int SetDouble(double v);
    int AssignReceived(std::string_view value);
    int GetDouble(double& out) const;
    // At most kMaxText characters.
    int GetText(std::string& out) const;
    int Clear();

    const std::string& Name() const { return name; }
    Type ValueType() const { return type; }
    int Precision() const { return precision; }
    std::uint32_t Flags() const { return flags; }
    bool Has(std::uint32_t flag) const { return (flags & flag) == flag; }
    void SetFlag(Flag flag, bool on) { flags = on ? (flags | flag) : (flags & ~static_cast<std::uint32_t>(flag)); }

protected:
    // For records that learn what they are after construction (the key table).
    void Define(Type t, std::string_view cellName)
    {
        type = t;
        name = cellName;
    }

private:
    void MarkAssigned() { flags |= Received | Updated; }

    std::string name; // empty when the cell has no name
    std::uint32_t flags = 0;
    Type type = Double;
    double dbl = 0.0;         // value of a Double cell
    std::int32_t integer = 0; // value of an Integer cell
    std::string text;         // value of a String cell
    bool hasText = false;
    std::int32_t precision = 2;
};

} // namespace vanemark
