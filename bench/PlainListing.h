#pragma once

#include <string>
#include <vector>

// The floor of listing a maps folder: the regular files whose names end in
// ".bsp" or ".map" in any letter case, sorted without regard to case, with
// nothing but readdir and the standard library.
std::vector<std::string> listMapsPlainly(const std::string& folder);

// Sorts names without regard to case, as the launcher's lists show them.
void sortIgnoringCase(std::vector<std::string>& names);
