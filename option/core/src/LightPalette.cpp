#include "option/LightPalette.h"

namespace option {
namespace {

constexpr Rgb kDevice[kPaletteSize] = {
    {100, 0, 0},   {250, 0, 0},   {250, 15, 0},    {250, 25, 0},  {250, 40, 0},   {250, 60, 0},
    {250, 80, 0},  {250, 100, 0}, {250, 125, 0},   {250, 175, 0}, {250, 250, 0},  {125, 250, 0},
    {0, 250, 0},   {0, 50, 0},    {0, 250, 50},    {0, 250, 150}, {0, 250, 250},  {200, 250, 250},
    {0, 150, 250}, {0, 100, 250}, {100, 100, 250}, {0, 50, 250},  {0, 25, 250},   {0, 0, 250},
    {0, 0, 125},   {35, 0, 250},  {100, 0, 250},   {250, 0, 250}, {155, 50, 250}, {155, 0, 100},
    {250, 0, 100}, {250, 0, 50},  {250, 0, 25}};

constexpr Rgb kScreen[kPaletteSize] = {
    {180, 0, 1},     {254, 0, 0},    {255, 71, 0},    {255, 107, 1},   {255, 157, 72},
    {255, 187, 90},  {248, 232, 0},  {246, 255, 78},  {201, 255, 79},  {166, 255, 79},
    {132, 255, 78},  {0, 255, 1},    {0, 207, 55},    {1, 166, 45},    {0, 207, 123},
    {1, 207, 158},   {1, 203, 207},  {107, 225, 227}, {41, 197, 254},  {38, 162, 234},
    {100, 158, 240}, {38, 132, 232}, {0, 72, 255},    {14, 15, 255},   {15, 15, 189},
    {89, 7, 255},    {121, 12, 255}, {160, 12, 254},  {170, 108, 231}, {182, 10, 216},
    {201, 12, 254},  {206, 10, 218}, {217, 10, 126}};

bool inPalette(int index) { return index >= 0 && index < kPaletteSize; }

}  // namespace

Rgb deviceColor(int index) { return inPalette(index) ? kDevice[index] : Rgb{}; }
Rgb screenColor(int index) { return inPalette(index) ? kScreen[index] : Rgb{}; }

Rgb zoneScreenColor(const settings::Profile& profile, int zone) {
  if (zone < 0 || zone >= settings::kLightZoneCount) return {};
  const settings::LightZone& z = profile.LightInfo[zone];
  if (profile.LightEffectType == 0 || z.OnFlag != 1) return {};
  if (inPalette(z.ColorIndex)) return kScreen[z.ColorIndex];
  return {z.Red, z.Green, z.Blue};
}

}  // namespace option
