#include "PlainServerList.h"

#include <cstdio>
#include <memory>

std::vector<std::string> readLinesPlainly(const std::string& path)
{
    std::vector<std::string> lines;
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        return lines;
    std::string text;
    char chunk[65536];
    for (std::size_t count; (count = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;)
        text.append(chunk, count);
    for (std::size_t begin = 0; begin < text.size();) {
        std::size_t end = text.find('\n', begin);
        end = end == std::string::npos ? text.size() : end;
        const std::size_t contentEnd = end > begin && text[end - 1] == '\r' ? end - 1 : end;
        lines.emplace_back(text, begin, contentEnd - begin);
        begin = end + 1;
    }
    return lines;
}

std::vector<std::string> readSettingsPlainly(const std::string& path)
{
    const std::vector<std::string> lines = readLinesPlainly(path);
    std::vector<std::string> fields;
    if (lines.empty())
        return fields;
    fields.emplace_back();
    for (const char c : lines.front()) {
        if (c == ',')
            fields.emplace_back();
        else if (c != '"')
            fields.back() += c;
    }
    return fields;
}
