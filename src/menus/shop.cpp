// The shop: points unlock and level up shots, level up the ship's parts and buy potions;
// the same regions equip two shots, two charge abilities and two gems, the left button
// filling the first slot and the right button the second. Purchases change the progress
// at once; the loadout lives in the ship only.
#include <string>

#include "menus/menu_draw.h"
#include "menus/menus.h"
#include "world/sound.h"

const char* const ShotNames[20] = {
    "POWER BEAM",    "BOOMERANG SHOT",    "SPEED SHOT",   "ENERGY DNA",     "THE CLAPPER",
    "ENERGY SPREAD", "WIDE BEAM",         "POWER MINE",   "SLICE RING",     "GOLD SPLICER",
    "GHOST ATTACK",  "MULTIPLE MISSILES", "STICK SPREAD", "X FOLLOWER",     "PLASMA BLADE",
    "CRESCENT BLADE", "SHRAPNEL SPREADER", "PHAZON WAVE", "SHOT CORRUPTER", "PURE POWER",
};

const char* const ChargeNames[9] = {"BOOSTER",  "RAMMER",      "DOUBLE SHOT", "DEFENCE x2", "ATTACK x2",
                                    "SIPHONER", "SHOT ERASER", "MATRIX",      "CLOAKER"};

namespace {

// A click puts the item in a slot, unless the other slot already holds it.
void Equip(Game& g, Integer& slot1, Integer& slot2, int item) {
  if (g.MouseLeft && slot2 != item) {
    slot1 = static_cast<Integer>(item);
    PlaySoundIfOn(g, SoundSelect);
  }
  if (g.MouseRight && slot1 != item) {
    slot2 = static_cast<Integer>(item);
    PlaySoundIfOn(g, SoundSelect);
  }
}

// A left click pays the price if the purse holds it.
bool Buy(Game& g, Long cost) {
  if (!g.MouseLeft || g.Progress.Points < cost) return false;
  g.Progress.Points -= cost;
  PlaySoundIfOn(g, SoundLevelUp);
  return true;
}

void SetHint(Game& g, const std::string& l0, const std::string& l1 = "", const std::string& l2 = "",
             const std::string& l3 = "") {
  g.Menu.HelpLines[0] = l0;
  g.Menu.HelpLines[1] = l1;
  g.Menu.HelpLines[2] = l2;
  g.Menu.HelpLines[3] = l3;
}

// The level band of an unlocked shot: the price of the next level and the purchase.
void ShotLevelBand(Game& g, int shot) {
  Integer& level = g.Progress.ShotLevel[shot];
  if (level < 9 && Buy(g, ShotLevelPrice(level))) level = static_cast<Integer>(level + 1);
  // The hint follows the level as it now stands, so a shot just bought up to its last
  // level says so at once rather than quoting the price of an eleventh.
  if (level >= 9) {
    g.Menu.HelpLines[0] = "THIS SHOT IS FULLY LEVELED UP";
    return;
  }
  const Long cost = ShotLevelPrice(level);
  g.Menu.HelpLines[0] = "IT COSTS " + std::to_string(cost) + " POINTS TO LEVEL THIS SHOT";
  g.Menu.HelpLines[1] = "UP TO LEVEL " + std::to_string(level + 2) + ". CLICK HERE TO SPEND";
  g.Menu.HelpLines[2] = "POINTS LEVEL IT UP";
}

// Row 3 cannot be bought; each shot there says how it is won.
void RareShotHint(Game& g, int column) {
  const ProgressBlock& p = g.Progress;
  switch (column) {
    case 0: SetHint(g, "TO UNLOCK THIS SHOT, GET OVER 50%", "COMPLETION."); break;
    case 1: SetHint(g, "TO UNLOCK THIS SHOT, GET OVER 65%", "COMPLETION."); break;
    case 2: SetHint(g, "TO UNLOCK THIS SHOT, GET OVER 80%", "COMPLETION."); break;
    case 3:
      SetHint(g, "THIS SHOT IS NOT THAT EASY TO GET.",
              p.LevelOpen[12] ? "BEAT THE BOSS ARENA, AND YOU GET THIS" : "BEAT THE ? LEVEL, AND YOU GET THIS",
              "WONDERFUL SUPPORT SHOT.");
      break;
    default:
      SetHint(g, "YOU CANT JUST BUY A SHOT THIS GOOD.",
              p.LevelOpen[11] ? "BEAT THE MARATHON LEVEL, AND THIS SHOT" : "BEAT THE ? LEVEL, AND THIS SHOT",
              "WILL BE YOURS.");
      break;
  }
}

// Marks the card of a shot in slot X or slot C all round in the slot's colour, with the slot's
// letter in its corner, so the loadout reads at a glance.
void SlotCard(Game& g, int left, int top, uint32_t colour, const char* letter) {
  DrawBoxIn(g, left - 2, top - 2, left + 48, top, colour);
  DrawBoxIn(g, left - 2, top + 46, left + 48, top + 48, colour);
  DrawBoxIn(g, left - 2, top, left, top + 46, colour);
  DrawBoxIn(g, left + 46, top, left + 48, top + 46, colour);
  DrawBoxIn(g, left + 36, top + 28, left + 46, top + 40, colour);
  DrawTextIn(g, left + 38, top + 28, letter, 0x101418);
}

// Under the pointer an equip button lights up, and a level band is ringed in gold: the one
// equips, the other spends points.
void CardHover(Game& g, int left, int top) {
  if (PointerIn(g, left, left + 45, top, top + 12)) ShadeBox(g, left, top, left + 46, top + 13, 0xFFFFFF, 70);
  if (PointerIn(g, left, left + 45, top + 14, top + 45)) {
    ShadeBox(g, left, top + 13, left + 46, top + 46, 0xFFD060, 40);
    DrawBoxIn(g, left, top + 13, left + 46, top + 14, 0xFFC040);
    DrawBoxIn(g, left, top + 45, left + 46, top + 46, 0xFFC040);
    DrawBoxIn(g, left, top + 13, left + 1, top + 46, 0xFFC040);
    DrawBoxIn(g, left + 45, top + 13, left + 46, top + 46, 0xFFC040);
  }
}

void ShotGrid(Game& g) {
  ProgressBlock& p = g.Progress;
  for (int row = 0; row <= 3; ++row) {
    for (int column = 0; column <= 4; ++column) {
      const int shot = 5 * row + column;
      const MenuArea card = ShotCardArea(shot);
      const int left = card.Left, top = card.Top;
      const int markX = 166 + 49 * column, markY = 106 + 49 * row;
      if (p.ShotLevel[shot] >= 0) {
        if (PointerIn(g, ShotEquipArea(shot))) Equip(g, g.Ship.CurShot1, g.Ship.CurShot2, shot);
        if (PointerIn(g, ShotLevelArea(shot))) ShotLevelBand(g, shot);
        CardHover(g, left, top);
        if (g.Ship.CurShot1 == shot) SlotCard(g, left, top, 0x40D860, "X");
        if (g.Ship.CurShot2 == shot) SlotCard(g, left, top, 0xFFA030, "C");
        // Players count levels from 1.
        DrawText(g, 187 + 49 * column, 135 + 49 * row, std::to_string(p.ShotLevel[shot] + 1));
        if (g.Ship.CurShot1 == shot) DrawSprite(g, SheetButtons, markX, markY, 0, 48, 48, 63);
        if (g.Ship.CurShot2 == shot) DrawSprite(g, SheetButtons, markX, markY, 48, 48, 96, 63);
      } else {
        DrawSprite(g, SheetButtons, markX, markY, 0, 0, 48, 47);
        if (!PointerIn(g, card)) continue;
        if (row <= 2) {
          if (Buy(g, ShotUnlockPrice)) p.ShotLevel[shot] = 0;
          SetHint(g, "IT COSTS 100 POINTS TO UNLOCK THE", std::string(ShotNames[shot]) + ". CLICK HERE TO SPEND",
                  "POINTS AND OPEN UP THIS FOR USE.");
        } else {
          RareShotHint(g, column);
        }
      }
    }
  }
}

void ChargeAbilities(Game& g) {
  for (int ability = 0; ability <= 8; ++ability) {
    const bool pointer = PointerIn(g, AbilityArea(ability));
    if (g.Progress.ChargeOwned[ability]) {
      if (pointer) Equip(g, g.Ship.Special1, g.Ship.Special2, ability);
    } else {
      DrawSprite(g, SheetButtons, 278, 340 + 27 * ability, 0, 63, 101, 88);
      if (pointer) SetHint(g, "COMPLETE LEVEL " + std::to_string(ability + 1) + "'S GOAL TO UNLOCK.");
    }
  }
  const Integer s1 = g.Ship.Special1, s2 = g.Ship.Special2;
  if (s1 >= 0 && s1 <= 8) DrawSprite(g, SheetButtons, 278, 340 + 27 * s1, 0, 89, 102, 115);
  if (s2 >= 0 && s2 <= 8) DrawSprite(g, SheetButtons, 278, 340 + 27 * s2, 48, 18, 150, 44);
}

std::string GemCondition(int gem) {
  switch (gem) {
    case 9: return "BEAT LEVEL 10 TO UNLOCK.";
    case 10: return "USE 15 POTIONS TO UNLOCK.";
    case 11: return "PLAY 50 LEVELS TO UNLOCK.";
    case 12: return "DONT USE CHARGE ONCE IN ALL LEVELS TO UNLOCK.";
    case 13: return "KILL ALL ENEMIES ONCE IN ALL LEVELS TO UNLOCK.";
    case 14: return "UNLOCK ALL CHARGE ABILITIES TO UNLOCK.";
    case 15: return "TAKE NO DAMAGE ONCE IN ALL LEVELS TO UNLOCK.";
    case 16: return "GET 90% COMPLETION TO UNLOCK.";
    case 17: return "GET 99% COMPLETION TO UNLOCK.";
    default: return "COMPLETE LEVEL " + std::to_string(gem + 1) + "'S GOAL TO UNLOCK.";
  }
}

void GemMark(Game& g, int gem, int srcLeft, int srcRight) {
  if (gem < 0 || gem > 17) return;
  const int x = gem < 9 ? 385 : 422;
  DrawSprite(g, SheetButtons, x, 340 + 27 * (gem % 9), srcLeft, 141, srcRight, 167);
}

void Gems(Game& g) {
  for (int column = 0; column <= 1; ++column) {
    for (int row = 0; row <= 8; ++row) {
      const int gem = 9 * column + row;
      const bool pointer = PointerIn(g, GemArea(gem));
      if (g.Progress.GemOwned[gem]) {
        if (pointer) Equip(g, g.Ship.GemType1, g.Ship.GemType2, gem);
      } else {
        DrawSprite(g, SheetButtons, 385 + 37 * column, 340 + 27 * row, 0, 115, 35, 140);
        if (pointer) SetHint(g, GemCondition(gem));
      }
    }
  }
  GemMark(g, g.Ship.GemType1, 0, 35);
  GemMark(g, g.Ship.GemType2, 35, 70);
}

void ShipParts(Game& g) {
  for (int part = 0; part <= 4; ++part) {
    Integer& level = g.Progress.PartLevel[part];
    const bool pointer = PointerIn(g, PartArea(part));
    if (level < 10 && pointer) {
      if (Buy(g, PartPrice(level))) level = static_cast<Integer>(level + 1);
      g.Menu.HelpLines[2] = "IT COSTS " + std::to_string(PartPrice(level)) + " TO LEVEL THIS PART UP";
    }
    if (level >= 10 && pointer) g.Menu.HelpLines[2] = "THIS PART IS FULLY LEVELED UP";
    DrawText(g, 742, 125 + 39 * part, std::to_string(level));
  }
}

void Potions(Game& g) {
  for (int kind = 0; kind <= 2; ++kind) {
    Integer& stock = g.Progress.Potions[kind];
    // At most five of a kind; a refused purchase keeps the points.
    if (PointerIn(g, PotionArea(kind)) && stock < MaxPotions && Buy(g, PotionPrices[kind]))
      stock = static_cast<Integer>(stock + 1);
    DrawText(g, 498 + 81 * kind, 498, std::to_string(stock));
  }
}

}  // namespace

void Shop(Game& g) {
  ShotGrid(g);
  ChargeAbilities(g);
  Gems(g);
  ShipParts(g);
  Potions(g);
}
