#pragma once

#include <string>
#include <vector>

// The floor of reading the server list: the file's lines, without their
// ends, read with nothing but the C library.
std::vector<std::string> readLinesPlainly(const std::string& path);
