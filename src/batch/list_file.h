// The list file: one grid cell per line, input then output of each job, CR LF after each.
#pragma once

#include <string>
#include <vector>

namespace vz {

class StringGrid;

// Every cell of every row, each followed by CR LF.
std::string listFileText(const StringGrid& grid);
// Lines ended by CR LF, a lone CR or a lone LF; the last needs no end, and an end at the
// very end adds no empty line.
std::vector<std::string> listFileLines(const std::string& text);
// Puts the lines into the grid as the list file reader does: the row count follows the
// file, and cells that no line reaches keep what they held.
void fillGrid(StringGrid& grid, const std::vector<std::string>& lines);

}  // namespace vz
