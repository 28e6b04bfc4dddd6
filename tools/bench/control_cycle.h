// A control's whole life in a container, repeated: made by its class
// factory, initialised new, given the site, activated in place, drawn,
// closed and released; against the same cycle of the benchmark's minimal
// in-process object.
#pragma once

namespace bench {

// Prints
//   control minimal runs <n> median-us <m>
//   control <name> runs <n> median-us <m> minimal-us <m> ratio <r>
// for Snapview, Gleaner and Meterix (loaded from the current folder), or
// "control <name> failed: <why>".
void PrintControlCycles(int runs);

}  // namespace bench
