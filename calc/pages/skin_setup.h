// Theming the program's windows with the skin engine it carries.
#pragma once

namespace calc {

// Writes the skin engine library beside the program when nothing exists under its name
// there, and makes it hidden; anything already there is left exactly as it is. The name
// only ever holds the complete library, however the writing ends or whoever else writes.
void EnsureSkinEngineFile();

// Switches the engine's aero effect on or off.
void SetAero(int on);

// Passes skin `number` (1 to 33) to the engine in a buffer of its own, freed as soon as
// the engine returns; any other number passes no skin.
void AttachSkin(int number);

}  // namespace calc
