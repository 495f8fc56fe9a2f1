// The slow backdrop of the play column: a dark nebula with distant dust, drifting down far more
// slowly than the stars that fall over it. Purely a picture: it reads the clock, never changes
// the game and never draws a random number.
#pragma once

struct Game;

// On the backdrop sheet: the nebula tile (600 x 600, wrapping from its bottom row to its top)
// and below it the notice shown once the ship is lost.
inline constexpr int BackdropTileSize = 600;
inline constexpr int ShipLostLeft = 0, ShipLostTop = 600, ShipLostWidth = 320, ShipLostHeight = 64;
// Where the notice sits: centred in the play column, below the mini game's score panel.
inline constexpr int ShipLostX = 400 - ShipLostWidth / 2, ShipLostY = 462;

// Draws the nebula over the play column (x 100 to 700), scrolled by the level's clock.
void DrawBackdrop(Game& g);
// From the ship's loss until the level is left: that the ship is lost and that Escape leads
// back to the menu.
void DrawShipLostNotice(Game& g);
