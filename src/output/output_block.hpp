#pragma once
// The block in which every output goes to its file. The page cache holds a
// file in pieces as large as the writes that filled it and as their offsets
// allow; blocks of 256 KB, each written at an offset that is a multiple of
// the block, let it take the file in large pieces. Writing 95 MB of report
// and plot, with the fsync and the rename over the old files, then costs
// the kernel about a quarter less than blocks of 64 KB cut where a line
// happens to end.
// The report and the plot command file hand over exactly one block at a
// time, keeping the part of a line beyond it for the next (the driver
// checks that their blocks are this one).

#include <cstddef>

namespace bp::out {

inline constexpr std::size_t OUTPUT_BLOCK = std::size_t{1} << 18;

}   // namespace bp::out
