#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "ports/Registry.h"

namespace rp::RegStuff {

// The Run key that Windows reads at log-on, under either root.
inline constexpr std::string_view kRunKey = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";

// The data of the Run value for a file in the program folder: its full path, quoted when it
// holds a space so that Windows cannot read it as a shorter program with arguments.
std::string RunEntryCommand(std::string_view folder, std::string_view fileName);

// Enters the program file in the machine-wide Run key; when that key cannot be written (a
// standard user), in the user's own Run key instead. The 64-bit program writes the 64-bit view
// and removes a value of the same name from the 32-bit view: a 32-bit copy wrote it there before
// an upgrade, and it names a file that is gone.
void AddRunEntry(Registry& registry, std::string_view programFolder, std::string_view fileName);
// Removes the value from both Run keys (and from both views of the machine-wide one).
void RemoveRunEntry(Registry& registry, std::string_view valueName);

// Opens the key (creating it when createKey is set), writes the value and closes the key.
// Returns the status of the open, or else of the write.
std::int32_t SetKeyValue(Registry& registry, RegistryRoot root, std::string_view subkey,
                         std::string_view valueName, std::string_view data, std::uint32_t type,
                         bool createKey = false);
// Writes a REG_SZ as its text, a REG_DWORD as the 4 bytes of the number in data; any other
// type writes nothing and returns 0.
std::int32_t WriteTypedValue(RegistryKey& key, std::string_view valueName, std::uint32_t type,
                             std::string_view data);
// Opens the key (in another view when `view` is kKeyWow64_32Key), deletes the value and closes
// the key. Returns the status of the open or delete.
std::int32_t DeleteKeyValue(Registry& registry, RegistryRoot root, std::string_view subkey,
                            std::string_view valueName, std::uint32_t view = 0);

}  // namespace rp::RegStuff
