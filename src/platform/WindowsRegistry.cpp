#include "WindowsRegistry.h"

#include <windows.h>

#include <vector>

namespace platform::windows {
namespace {

// The predefined roots are 32-bit values that Windows sign-extends into
// handles; HKEY_LOCAL_MACHINE itself is defined that way.
HKEY rootHandle(std::uint32_t root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

// Closes the key on every way out.
class OpenKey {
public:
    OpenKey(HKEY root, const std::string& name)
        : opened_(RegOpenKeyExA(root, name.c_str(), 0, KEY_READ, &key_) == ERROR_SUCCESS)
    {
    }
    ~OpenKey()
    {
        if (opened_)
            RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    bool isOpen() const { return opened_; }
    HKEY handle() const { return key_; }

private:
    HKEY key_ = nullptr;
    bool opened_;
};

} // namespace

std::optional<RegistryData> queryRegistryValue(std::uint32_t root, const std::string& keyName,
                                               const std::string& valueName)
{
    // Only reading is asked for: asking for write rights as well makes the
    // open fail under HKEY_LOCAL_MACHINE for anyone but an administrator.
    const OpenKey key(rootHandle(root), keyName);
    if (!key.isOpen())
        return std::nullopt;
    std::vector<BYTE> buffer(kRegistryBufferSize, 0);
    DWORD type = 0;
    DWORD size = kRegistryBufferSize;
    if (RegQueryValueExA(key.handle(), valueName.c_str(), nullptr, &type, buffer.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return RegistryData{type, std::string(buffer.begin(), buffer.begin() + size)};
}

} // namespace platform::windows
