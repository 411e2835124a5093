#pragma once

// A game's file of the Lutris game manager ("~/.config/lutris/games/<slug>.yml", YAML). A Wine game
// names its prefix below "game:" ("prefix: /home/me/Games/velmora"); some files keep it below "wine:".

#include <string>
#include <string_view>

namespace platform {

// The prefix folder the file names, with a leading "~" replaced by `home`; empty when it names none.
std::string LutrisWinePrefix(std::string_view yml, const std::string& home);

} // namespace platform
