#include "settings/ColourPalette.h"

#include "settings/ColourRef.h"

namespace vanemark::palette {

const std::array<PaletteEntry, kCount>& Entries()
{
    // Sized by the initialiser and checked, so a missing box fails to compile.
    static constexpr auto entries = std::to_array<PaletteEntry>({
        {Rgb(0, 0, 0), "Black"},
        {Rgb(165, 42, 0), "Brown"},
        {Rgb(0, 64, 64), "Dark Olive Green"},
        {Rgb(0, 85, 0), "Dark Green"},
        {Rgb(0, 0, 94), "Dark Teal"},
        {Rgb(0, 0, 139), "Dark blue"},
        {Rgb(75, 0, 130), "Indigo"},
        {Rgb(40, 40, 40), "Dark grey"},
        {Rgb(139, 0, 0), "Dark red"},
        {Rgb(255, 104, 32), "Orange"},
        {Rgb(139, 139, 0), "Dark yellow"},
        {Rgb(0, 147, 0), "Green"},
        {Rgb(56, 142, 142), "Teal"},
        {Rgb(0, 0, 255), "Blue"},
        {Rgb(123, 123, 192), "Blue-grey"},
        {Rgb(102, 102, 102), "Grey - 40"},
        {Rgb(255, 0, 0), "Red"},
        {Rgb(255, 173, 91), "Light orange"},
        {Rgb(50, 205, 50), "Lime"},
        {Rgb(60, 179, 113), "Sea green"},
        {Rgb(127, 255, 212), "Aqua"},
        {Rgb(125, 158, 192), "Light blue"},
        {Rgb(128, 0, 128), "Violet"},
        {Rgb(128, 128, 128), "Grey - 50"},
        {Rgb(255, 192, 203), "Pink"},
        {Rgb(255, 215, 0), "Gold"},
        {Rgb(255, 255, 0), "Yellow"},
        {Rgb(0, 255, 0), "Bright green"},
        {Rgb(64, 224, 208), "Turquoise"},
        {Rgb(192, 255, 255), "Skyblue"},
        {Rgb(72, 0, 72), "Plum"},
        {Rgb(192, 192, 192), "Light grey"},
        {Rgb(255, 228, 225), "Rose"},
        {Rgb(210, 180, 140), "Tan"},
        {Rgb(255, 255, 224), "Light yellow"},
        {Rgb(152, 251, 152), "Pale green "},
        {Rgb(175, 238, 238), "Pale turquoise"},
        {Rgb(104, 131, 139), "Pale blue"},
        {Rgb(230, 230, 250), "Lavender"},
        {Rgb(255, 255, 255), "White"},
    });
    static_assert(entries.size() == kCount);
    return entries;
}

int IndexOf(std::uint32_t colour)
{
    const auto& entries = Entries();
    for (int i = 0; i < kCount; ++i) {
        if (entries[static_cast<std::size_t>(i)].colour == colour) {
            return i;
        }
    }
    return kNone;
}

int Step(int selection, Move move)
{
    constexpr int last = kCount - 1;
    if (selection < 0 || selection > last) {
        // The "More Colors..." row, or nothing yet: enter the grid at the near end.
        return (move == Move::Up || move == Move::Left) ? last : 0;
    }
    switch (move) {
    case Move::Left:
        return selection == 0 ? kMoreColors : selection - 1;
    case Move::Right:
        return selection == last ? kMoreColors : selection + 1;
    case Move::Up:
        return selection < kColumns ? kMoreColors : selection - kColumns;
    case Move::Down:
        return selection + kColumns > last ? kMoreColors : selection + kColumns;
    }
    return selection;
}

} // namespace vanemark::palette
