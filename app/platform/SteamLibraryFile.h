#pragma once

// Steam's list of its game libraries, "steamapps/libraryfolders.vdf": a KeyValues text file,
//   "libraryfolders" { "0" { "path" "/home/me/.local/share/Steam" … } "1" { "path" "/mnt/games" … } }
// Older files name the folders directly: "LibraryFolders" { "1" "/mnt/games" }.

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The library folders the file names, in file order; empty when it names none or cannot be read as
// KeyValues text. Only the part before a damaged place is used.
std::vector<std::string> SteamLibraryPaths(std::string_view vdf);

} // namespace platform
