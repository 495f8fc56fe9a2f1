// The flair sheet: the pictures that answer the player and guide them, laid out once here for
// the painter that makes the sheet and for the game that draws from it. Black is its key.
#pragma once

namespace flair {

struct Rect {
  int Left, Top, Right, Bottom;
  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
};

inline constexpr int SheetWidth = 512, SheetHeight = 784;

// Large words, each centred in a slot of 256 x 48, two slots to a row.
enum Word {
  WordLevel1 = 0,     // "LEVEL 1" to "LEVEL 10": words 0 to 9
  WordStage1 = 10,    // "STAGE 1" to "STAGE 9": words 10 to 18
  WordMiniGame = 19,
  WordMarathon = 20,
  WordBossArena = 21,
  WordPaused = 22,
  WordBoss = 23,
  WordWarning = 24,
  WordCount = 25,
};
inline constexpr int WordSlotWidth = 256, WordSlotHeight = 48;
constexpr Rect WordSlot(int word) {
  return {(word % 2) * WordSlotWidth, (word / 2) * WordSlotHeight, (word % 2 + 1) * WordSlotWidth,
          (word / 2 + 1) * WordSlotHeight};
}
// The text of each word, as the painter sets it.
constexpr const char* WordText(int word) {
  constexpr const char* levels[10] = {"LEVEL 1", "LEVEL 2", "LEVEL 3", "LEVEL 4", "LEVEL 5",
                                      "LEVEL 6", "LEVEL 7", "LEVEL 8", "LEVEL 9", "LEVEL 10"};
  constexpr const char* stages[9] = {"STAGE 1", "STAGE 2", "STAGE 3", "STAGE 4", "STAGE 5",
                                     "STAGE 6", "STAGE 7", "STAGE 8", "STAGE 9"};
  if (word >= WordLevel1 && word < WordLevel1 + 10) return levels[word - WordLevel1];
  if (word >= WordStage1 && word < WordStage1 + 9) return stages[word - WordStage1];
  switch (word) {
    case WordMiniGame: return "MINI GAME";
    case WordMarathon: return "MARATHON";
    case WordBossArena: return "BOSS ARENA";
    case WordPaused: return "PAUSED";
    case WordBoss: return "BOSS";
    case WordWarning: return "WARNING";
    default: return "";
  }
}

// Small pictures along the bottom of the sheet.
inline constexpr int SmallTop = 624;
// The flash at a gun's mouth, four frames from its brightest.
inline constexpr int MuzzleFrames = 4, MuzzleWidth = 20, MuzzleHeight = 24;
constexpr Rect Muzzle(int frame) { return {frame * MuzzleWidth, SmallTop, (frame + 1) * MuzzleWidth, SmallTop + MuzzleHeight}; }
// A spark from a hit, four frames from white-hot to a dim red.
inline constexpr int SparkFrames = 4, SparkSize = 7;
constexpr Rect Spark(int frame) { return {80 + frame * SparkSize, SmallTop, 80 + (frame + 1) * SparkSize, SmallTop + SparkSize}; }
// An ember of the ship's wreck, three frames from yellow to red.
inline constexpr int EmberFrames = 3, EmberSize = 5;
constexpr Rect Ember(int frame) { return {108 + frame * EmberSize, SmallTop, 108 + (frame + 1) * EmberSize, SmallTop + EmberSize}; }
// The ring of light that spreads from the ship's loss, drawn scaled.
inline constexpr Rect Ring = {352, SmallTop, 512, SmallTop + 160};
// Key caps for the controls, a letter wide and a word wide; the key's name is written on them.
inline constexpr Rect KeyCap = {196, SmallTop, 220, SmallTop + 22};
inline constexpr Rect WideKeyCap = {224, SmallTop, 284, SmallTop + 22};
// The mark of the boss at the head of the level's progress strip.
inline constexpr Rect BossMark = {288, SmallTop, 304, SmallTop + 16};

}  // namespace flair
