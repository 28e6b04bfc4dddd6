// The game's forms made from their resources in this process, one game
// tick and one full paint of the game form, as medians.
#pragma once

namespace bench {

// Prints, for the game form, the menu and the about form,
//   form <class> runs <n> median-ms <m>
// then
//   tick game runs <n> median-us <m>
//   paint game <w>x<h> runs <n> median-us <m>
void PrintFormFigures(int runs);

}  // namespace bench
