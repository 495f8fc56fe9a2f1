// The sound effects by slot, and the files they are played from (Sound/NAME.wav).
#pragma once

enum SoundSlot {
  SoundExplo0 = 0,
  SoundExplo1 = 1,
  SoundExplo2 = 2,
  SoundEhit = 3,
  SoundShiphit = 4,
  SoundHitEnemy = 5,
  SoundCollect = 6,
  SoundLevelSelect = 7,
  SoundLevelUp = 8,
  SoundSelect = 9,
  SoundFire = 10,     // the player's guns: short and quiet, since it sounds at every volley
  SoundWarning = 11,  // life is low: a soft two-note chime
};
inline constexpr int SoundSlotCount = 12;
inline constexpr const char* SoundNames[SoundSlotCount] = {
    "Explo0", "Explo1", "Explo2", "Ehit", "Shiphit", "HitEnemy", "Collect", "LevelSelect", "LevelUp", "Select",
    "Fire",   "Warning"};
