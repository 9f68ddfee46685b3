// The registry layer: keys opened with full access and created when missing, typed reads and
// writes of values, and failures reported as velmora::Error.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "win/Handles.h"

namespace velmora::win {

// The programs the current user's logon starts, under HKEY_CURRENT_USER.
constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Opens root\path with KEY_ALL_ACCESS, creating it when it does not exist. An empty key when it
// can be neither opened nor created.
RegistryKey OpenKey(HKEY root, const std::string& path);
// As OpenKey, for writing: throws Error "Failed to create key <path>" instead of returning an
// empty key.
RegistryKey OpenKeyForWriting(HKEY root, const std::string& path);
// Opens root\path with the given access without creating it; an empty key when that fails.
RegistryKey OpenExistingKey(HKEY root, const std::string& path, REGSAM access);

// A value as stored: its registry type and its bytes.
struct RawValue {
  DWORD type = REG_NONE;
  std::vector<std::uint8_t> bytes;
};
// Any value, whatever its type; no value when it does not exist or cannot be read.
std::optional<RawValue> ReadRawValue(HKEY key, const std::string& name);
// The REG_SZ values of a key (every other type is passed over) as name and text up to the first
// zero byte, in the order the registry enumerates them.
std::vector<std::pair<std::string, std::string>> ReadTextValues(HKEY key);

// The text of a REG_SZ or REG_EXPAND_SZ value (not expanded), up to its first zero byte; no value
// when it does not exist. Throws Error "Invalid data type for '<name>'" for any other type.
std::optional<std::string> ReadText(HKEY key, const std::string& name);
// The bytes of a value that holds exactly `size` bytes; no value when it does not exist or has
// another size. Throws Error "Invalid data type for '<name>'" when it has that size but the type
// REG_SZ, REG_EXPAND_SZ or REG_DWORD; any other type is read as it is.
std::optional<std::vector<std::uint8_t>> ReadBinary(HKEY key, const std::string& name, std::size_t size);

// Writes REG_SZ with its terminating zero byte. Throws Error "Failed to set data for '<name>'".
void WriteText(HKEY key, const std::string& name, const std::string& text);
// Writes REG_BINARY. Throws Error "Failed to set data for '<name>'".
void WriteBinary(HKEY key, const std::string& name, const void* data, std::size_t size);
// Removes a value; true when it is gone afterwards, also when it never existed.
bool DeleteValue(HKEY key, const std::string& name);

}  // namespace velmora::win
