#pragma once

namespace tavrola {

// Where the grid's lines stand on the window, in pixels: the boxes of line 1 start at
// kGridTopLine and each line is kGridLineStep lower. The window lays its edits out by
// these and the non-preference bars stand on the name boxes' bottom edges.
inline constexpr int kGridTopLine = 168;
inline constexpr int kGridLineStep = 24;
inline constexpr int kGridEditHeight = 21;

// Top of the boxes of grid line 1..25.
inline constexpr int GridLineTop(int line) { return kGridTopLine + kGridLineStep * (line - 1); }

}  // namespace tavrola
