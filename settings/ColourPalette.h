#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vanemark {

struct PaletteEntry {
    std::uint32_t colour; // 0x00BBGGRR
    std::string_view name;
};

// The 40 named colours of the palette popup, row by row (8 columns, 5 rows).
namespace palette {

inline constexpr int kColumns = 8;
inline constexpr int kRows = 5;
inline constexpr int kCount = kColumns * kRows;
// Selection values besides the boxes 0 .. kCount - 1.
inline constexpr int kNone = -1;
inline constexpr int kMoreColors = -2;

const std::array<PaletteEntry, kCount>& Entries();

// Index of the first box holding exactly this colour, or kNone.
int IndexOf(std::uint32_t colour);

enum class Move { Left, Right, Up, Down };

// The selection after an arrow key. Left and Right run along the rows and
// continue on the neighbouring row; Up and Down go by rows. Leaving the grid
// at either end lands on the "More Colors..." row, and leaving that row
// re-enters the grid at the near end: Up and Left at the last box, Down and
// Right at the first. With nothing selected the keys act as if on that row.
int Step(int selection, Move move);

} // namespace palette
} // namespace vanemark
