// velmora-puzzle --booklet FILE.pdf: a batch of puzzles printed to a PDF file,
// to solve on paper.
#pragma once

namespace velmora::puzzle_tool {

// True when the command line asks for a booklet (it names --booklet).
bool WantsBooklet(int argc, char** argv);

// Parses the booklet's options, builds every puzzle, and writes the PDF file in
// full or not at all. Returns the process status: 0 done, 1 the file could not
// be written, 2 bad arguments or an invalid code, 3 a puzzle could not be built.
int RunBooklet(int argc, char** argv);

}  // namespace velmora::puzzle_tool
