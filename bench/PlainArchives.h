#pragma once

#include <string>
#include <vector>

// The floors of the work the launcher does in the game's archives, with
// nothing but minizip and the standard library.

// The maps/*.bsp entry names in every .pk3 of `folder`: each archive's
// central directory walked once.
std::vector<std::string> listArchiveMapsPlainly(const std::string& folder);

// One entry's bytes; empty when the archive or the entry cannot be read.
std::string readArchiveEntryPlainly(const std::string& archive, const std::string& entry);
