#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <type_traits>

namespace vanemark {

// Little-endian fields read one after another from a datagram; every read
// past the end gives nullopt, so a short packet can never be read beyond.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : rest(bytes) {}

    template <typename T>
        requires std::is_arithmetic_v<T>
    std::optional<T> Take()
    {
        if (rest.size() < sizeof(T)) {
            rest = {};
            return std::nullopt;
        }
        std::uint8_t raw[sizeof(T)];
        std::memcpy(raw, rest.data(), sizeof(T));
        if constexpr (std::endian::native == std::endian::big) {
            for (std::size_t i = 0; i < sizeof(T) / 2; ++i) {
                std::swap(raw[i], raw[sizeof(T) - 1 - i]);
            }
        }
        T value;
        std::memcpy(&value, raw, sizeof(T));
        rest = rest.subspan(sizeof(T));
        return value;
    }

    // The next `count` bytes, or nullopt (and nothing left) when fewer remain.
    std::optional<std::span<const std::uint8_t>> Bytes(std::size_t count)
    {
        if (rest.size() < count) {
            rest = {};
            return std::nullopt;
        }
        const auto taken = rest.first(count);
        rest = rest.subspan(count);
        return taken;
    }

    std::size_t Left() const { return rest.size(); }

private:
    std::span<const std::uint8_t> rest;
};

} // namespace vanemark
