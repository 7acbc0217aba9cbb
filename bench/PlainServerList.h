#pragma once

#include <string>
#include <vector>

// The floor of reading the server list: the file's lines, without their
// ends, read with nothing but the C library.
std::vector<std::string> readLinesPlainly(const std::string& path);

// The floor of reading the settings: the first line's comma-separated
// fields, their quotes dropped.
std::vector<std::string> readSettingsPlainly(const std::string& path);
