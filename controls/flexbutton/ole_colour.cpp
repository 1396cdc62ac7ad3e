#include "ole_colour.h"

#include <array>

namespace ordelix {
namespace {

struct PaletteEntry {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

constexpr QPalette::ColorGroup active = QPalette::Active;

// Indexed by system colour number.
constexpr std::array<PaletteEntry, 31> system_colours{{
    {active, QPalette::Midlight},                     // scroll bar
    {active, QPalette::Dark},                         // desktop
    {active, QPalette::Highlight},                    // active caption
    {QPalette::Inactive, QPalette::Highlight},        // inactive caption
    {active, QPalette::Window},                       // menu
    {active, QPalette::Base},                         // window
    {active, QPalette::Shadow},                       // window frame
    {active, QPalette::WindowText},                   // menu text
    {active, QPalette::Text},                         // window text
    {active, QPalette::HighlightedText},              // caption text
    {active, QPalette::Button},                       // active border
    {active, QPalette::Button},                       // inactive border
    {active, QPalette::Mid},                          // application workspace
    {active, QPalette::Highlight},                    // highlight
    {active, QPalette::HighlightedText},              // highlight text
    {active, QPalette::Button},                       // button face
    {active, QPalette::Dark},                         // button shadow
    {QPalette::Disabled, QPalette::Text},             // grey text
    {active, QPalette::ButtonText},                   // button text
    {QPalette::Inactive, QPalette::HighlightedText},  // inactive caption text
    {active, QPalette::Light},                        // button highlight
    {active, QPalette::Shadow},                       // 3D dark shadow
    {active, QPalette::Midlight},                     // 3D light
    {active, QPalette::ToolTipText},                  // info text
    {active, QPalette::ToolTipBase},                  // info background
    {active, QPalette::NoRole},                       // unused number
    {active, QPalette::Link},                         // hot-tracked item
    {active, QPalette::Highlight},                    // active caption gradient
    {QPalette::Inactive, QPalette::Highlight},        // inactive caption gradient
    {active, QPalette::Highlight},                    // menu highlight
    {active, QPalette::Window},                       // menu bar
}};

}  // namespace

OleColor translate_colour(OleColor colour, const QPalette& palette) {
  if ((colour & 0xFF000000) == 0) return colour;
  if ((colour & 0xFF000000) != 0x80000000) return no_colour;
  const OleColor index = colour & 0x00FFFFFF;
  if (index >= system_colours.size()) return no_colour;
  const PaletteEntry entry = system_colours[index];
  if (entry.role == QPalette::NoRole) return no_colour;
  return from_qcolor(palette.color(entry.group, entry.role));
}

}  // namespace ordelix
