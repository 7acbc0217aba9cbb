// The Qt-free Windows calls against a real Windows API (Wine in `make
// test-windows`): registry reads of every kind of value the launcher may meet,
// and process starts checked by what the started program itself recorded.
#include "platform/WindowsProcess.h"
#include "platform/WindowsRegistry.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

using platform::windows::errorText;
using platform::windows::programCommandLine;
using platform::windows::queryRegistryValue;
using platform::windows::RegistryData;
using platform::windows::startCommandLine;

namespace {

int passed = 0;
int failed = 0;

std::string narrow(const std::wstring& text)
{
    std::string out(text.size() * 4, '\0');
    out.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                   out.data(), static_cast<int>(out.size()), nullptr, nullptr));
    return out;
}

void check(const std::string& name, bool ok, const std::string& detail = {})
{
    ++(ok ? passed : failed);
    std::printf("%s %s%s%s\n", ok ? "PASS" : "FAIL", name.c_str(), ok ? "" : " -- ",
                ok ? "" : detail.c_str());
}

std::string describe(const std::optional<RegistryData>& value)
{
    if (!value)
        return "nothing";
    std::string out = "type " + std::to_string(value->type) + ", bytes";
    for (const unsigned char byte : value->data.substr(0, 16))
        out += ' ' + std::to_string(byte);
    return out +
           (value->data.size() > 16 ? " ... (" + std::to_string(value->data.size()) + ")" : "");
}

void registryCases()
{
    const auto product = queryRegistryValue(
        0x80000002, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "ProductName");
    check("registry: a value the system provides",
          product && product->type == REG_SZ &&
              product->data.find_first_not_of('\0') != std::string::npos,
          describe(product));

    const char* const key = "Software\\VortlineBoundaryTest";
    RegDeleteTreeA(HKEY_CURRENT_USER, key);
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS) {
        check("registry: test key created", false, "RegCreateKeyExA failed");
        return;
    }
    struct Case {
        const char* title;
        const char* value;
        DWORD type;
        std::string stored;
        bool found;
    };
    const Case cases[] = {
        {"text stored with its NUL keeps it", "withNul", REG_SZ, std::string("Quake\0", 6), true},
        {"text stored without a NUL gains none", "withoutNul", REG_SZ, "Quake", true},
        {"32-bit number", "number", REG_DWORD, std::string("\x04\x03\x00\x01", 4), true},
        {"binary with zero bytes", "binary", REG_BINARY, std::string("\0\xff\0\x01", 4), true},
        {"1024 bytes fit", "full", REG_BINARY, std::string(1024, 'q'), true},
        {"1025 bytes are nothing", "tooLarge", REG_BINARY, std::string(1025, 'q'), false},
    };
    // RegSetValueExA counts a text's NUL for the caller when one follows the
    // given bytes, as Windows does too; a byte after each keeps it as given.
    for (const Case& c : cases) {
        const std::string guarded = c.stored + '!';
        RegSetValueExA(handle, c.value, 0, c.type, reinterpret_cast<const BYTE*>(guarded.data()),
                       static_cast<DWORD>(c.stored.size()));
    }
    RegCloseKey(handle);

    for (const Case& c : cases) {
        const auto value = queryRegistryValue(0x80000001, key, c.value);
        const bool ok =
            c.found ? value && value->type == c.type && value->data == c.stored : !value;
        check(std::string("registry: ") + c.title, ok, describe(value));
    }
    const auto noValue = queryRegistryValue(0x80000001, key, "missing");
    check("registry: a missing value is nothing", !noValue, describe(noValue));
    const auto noKey = queryRegistryValue(0x80000001, "Software\\VortlineMissingKey", "withNul");
    check("registry: a missing key is nothing", !noKey, describe(noKey));
    RegDeleteTreeA(HKEY_CURRENT_USER, key);
}

// What a started RecordArguments.exe wrote about itself.
struct Record {
    std::wstring module;
    std::wstring commandLine;
    std::wstring show;
};

std::wstring folder;
int startCount = 0;

// Starts the line and waits a bounded time for the started program's record.
std::optional<Record> startAndRecord(const std::wstring& commandLine, int showCommand)
{
    const std::wstring target = folder + L"\\record" + std::to_wstring(++startCount) + L".bin";
    DeleteFileW(target.c_str());
    SetEnvironmentVariableW(L"RECORD_ARGUMENTS_TO", target.c_str());
    if (startCommandLine(commandLine, showCommand) != ERROR_SUCCESS)
        return std::nullopt;
    for (int waited = 0; waited < 5000; waited += 20) {
        const HANDLE file = CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            Sleep(20);
            continue;
        }
        std::wstring bytes(GetFileSize(file, nullptr) / sizeof(wchar_t), L'\0');
        DWORD read = 0;
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size() * sizeof(wchar_t)), &read,
                 nullptr);
        CloseHandle(file);
        const size_t first = bytes.find(L'\0');
        const size_t second = bytes.find(L'\0', first + 1);
        if (second == std::wstring::npos)
            return Record{L"(unreadable record)", {}, {}};
        return Record{bytes.substr(0, first), bytes.substr(first + 1, second - first - 1),
                      bytes.substr(second + 1)};
    }
    return Record{L"(no record within 5 s)", {}, {}};
}

std::string describe(const std::optional<Record>& record)
{
    if (!record)
        return "not started";
    return "ran " + narrow(record->module) + " with [" + narrow(record->commandLine) + "], show " +
           narrow(record->show);
}

bool samePath(const std::wstring& left, const std::wstring& right)
{
    return CompareStringOrdinal(left.c_str(), -1, right.c_str(), -1, TRUE) == CSTR_EQUAL;
}

void processCases()
{
    wchar_t self[MAX_PATH];
    std::wstring here(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    here.resize(here.rfind(L'\\'));
    folder = here + L"\\processes";
    const std::wstring recorder = here + L"\\RecordArguments.exe";
    const std::wstring gameFolder = folder + L"\\Quake III Arena";
    const std::wstring game = gameFolder + L"\\quake3.exe";
    const std::wstring decoy = folder + L"\\Quake.exe";
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW(gameFolder.c_str(), nullptr);
    if (!CopyFileW(recorder.c_str(), game.c_str(), FALSE) ||
        !CopyFileW(recorder.c_str(), decoy.c_str(), FALSE)) {
        check("process: program copies made", false, narrow(game));
        return;
    }

    const std::wstring line =
        L'"' + recorder + L"\" +name \"Big  Player\" +say \"a \\\"quoted\\\" word\"  end ";
    auto record = startAndRecord(line, 1);
    check("process: spaces and quotes reach the program as given",
          record && samePath(record->module, recorder) && record->commandLine == line,
          describe(record));

    for (const int show : {1, 2, 3}) {
        record = startAndRecord(L'"' + recorder + L'"', show);
        check("process: show command " + std::to_string(show) + " reaches the program",
              record && record->show == std::to_wstring(show), describe(record));
    }

    const std::wstring notProgram = folder + L"\\text.exe";
    const HANDLE text = CreateFileW(notProgram.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    WriteFile(text, "not a program\r\n", 15, nullptr, nullptr);
    CloseHandle(text);
    // Why a line does not start, as the user reads it: the system's text for
    // the error, naming the program where the text names something.
    struct Refusal {
        const char* title;
        std::wstring line;
        unsigned long error; // 0: any
        std::wstring named;  // in the text
    };
    const Refusal refusals[] = {
        {"a missing program", folder + L"\\missing.exe +map q3dm17", ERROR_FILE_NOT_FOUND, {}},
        {"an empty line", {}, 0, {}},
        {"a file that is not a program", notProgram, ERROR_BAD_EXE_FORMAT, notProgram},
        {"a folder", L'"' + gameFolder + L'"', ERROR_ACCESS_DENIED, {}},
    };
    for (const Refusal& refusal : refusals) {
        const unsigned long error = startCommandLine(refusal.line, 1);
        const std::wstring words = errorText(error, refusal.line);
        check(std::string("process: ") + refusal.title + " is refused with the system's text",
              error != ERROR_SUCCESS && (refusal.error == 0 || error == refusal.error) &&
                  !words.empty() && words.find_first_of(L"\r\n") == std::wstring::npos &&
                  words.find(L"%1") == std::wstring::npos &&
                  words.find(refusal.named) != std::wstring::npos,
              "error " + std::to_string(error) + ": " + narrow(words));
    }
    check("process: an error without text is named by its number",
          errorText(0x2000FFFF, {}) == L"Error 536936447", narrow(errorText(0x2000FFFF, {})));

    const std::wstring arguments = L"+name Player +map q3dm17 ";
    record = startAndRecord(programCommandLine(game, arguments), 3);
    check("process: a quoted program path with spaces starts that program, arguments unchanged",
          record && samePath(record->module, game) &&
              record->commandLine == L'"' + game + L"\" " + arguments,
          describe(record));
    record = startAndRecord(game + L' ' + arguments, 3);
    check("process: the same path unquoted would have started the decoy",
          record && samePath(record->module, decoy), describe(record));
}

} // namespace

int main()
{
    registryCases();
    processCases();
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
