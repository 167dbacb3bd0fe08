// A stored "position" and a layout's window size, placed on a screen and
// dragged: whatever the numbers, the window keeps its size (or the smallest
// usable one) and start-up never leaves it past the right or bottom edge.
#include "FuzzCheck.h"
#include "app/WindowGeometry.h"
#include "config/WindowPosition.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vanemark;
    std::int32_t size2[2] = {278, 82};
    if (size >= sizeof size2) {
        std::memcpy(size2, data, sizeof size2);
        data += sizeof size2;
        size -= sizeof size2;
    }
    const auto stored = settings::ParsePosition(std::string(reinterpret_cast<const char*>(data), size));
    const auto again = settings::ParsePosition(settings::FormatPosition(stored));
    FUZZ_CHECK(std::memcmp(&stored, &again, sizeof stored) == 0);

    const ScreenRect desktop{0, 0, 1280, 800};
    const ScreenRect placed = PlaceWindow(stored.left, stored.top, size2[0], size2[1], 16, 14, desktop);
    // Widths a screen can hold keep their size; nothing ends past the right or bottom edge.
    const std::int64_t width = std::max<std::int64_t>(std::llabs(size2[0]), 16);
    const std::int64_t height = std::max<std::int64_t>(std::llabs(size2[1]), 14);
    if (width <= 100000 && height <= 100000) {
        FUZZ_CHECK(placed.Width() == width && placed.Height() == height);
    }
    FUZZ_CHECK(placed.right <= desktop.right && placed.bottom <= desktop.bottom);

    const ScreenRect small{placed.left, placed.top, placed.left + 140, placed.top + 140};
    const ScreenRect dragged = DragWindow(small, {stored.right, stored.bottom}, {stored.left, stored.top}, desktop);
    FUZZ_CHECK(dragged.Width() == 140 && dragged.Height() == 140);
    return 0;
}
