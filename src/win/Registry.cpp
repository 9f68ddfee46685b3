#include "win/Registry.h"

#include <algorithm>
#include <limits>

#include "core/Error.h"

namespace velmora::win {
namespace {

Error InvalidDataType(const std::string& name) { return Error("Invalid data type for '" + name + "'"); }

Error FailedToSetData(const std::string& name) { return Error("Failed to set data for '" + name + "'"); }

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

struct ValueInfo {
  DWORD type = REG_NONE;
  DWORD size = 0;
};

std::optional<ValueInfo> QueryValueInfo(HKEY key, const std::string& name) {
  ValueInfo info;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &info.type, nullptr, &info.size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return info;
}

void SetValue(HKEY key, const std::string& name, DWORD type, const void* data, std::size_t size) {
  if (size > std::numeric_limits<DWORD>::max() ||
      RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size)) !=
          ERROR_SUCCESS) {
    throw FailedToSetData(name);
  }
}

}  // namespace

RegistryKey OpenKey(HKEY root, const std::string& path) {
  RegistryKey key;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      key.put(), nullptr) != ERROR_SUCCESS) {
    key.release();
  }
  return key;
}

RegistryKey OpenKeyForWriting(HKEY root, const std::string& path) {
  RegistryKey key = OpenKey(root, path);
  if (!key) throw Error("Failed to create key " + path);
  return key;
}

RegistryKey OpenExistingKey(HKEY root, const std::string& path, REGSAM access) {
  RegistryKey key;
  if (RegOpenKeyExA(root, path.c_str(), 0, access, key.put()) != ERROR_SUCCESS) key.release();
  return key;
}

std::optional<RawValue> ReadRawValue(HKEY key, const std::string& name) {
  std::optional<ValueInfo> info = QueryValueInfo(key, name);
  if (!info) return std::nullopt;
  RawValue value;
  for (;;) {
    value.bytes.resize(info->size);
    DWORD size = info->size;
    const LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.bytes.data(), &size);
    if (result == ERROR_MORE_DATA) {
      info->size = size;
      continue;
    }
    if (result != ERROR_SUCCESS) return std::nullopt;
    value.bytes.resize(size);
    return value;
  }
}

std::vector<std::pair<std::string, std::string>> ReadTextValues(HKEY key) {
  std::vector<std::pair<std::string, std::string>> values;
  DWORD longestName = 0;
  DWORD longestData = 0;
  if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                       &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
    return values;
  }
  std::string name(longestName + 1, '\0');
  std::string data(longestData + 1, '\0');
  for (DWORD index = 0;;) {
    DWORD nameSize = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    const LONG result = RegEnumValueA(key, index, name.data(), &nameSize, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &dataSize);
    if (result == ERROR_MORE_DATA) {
      // A value that grew since the key was measured: widen both buffers and ask again.
      name.assign(name.size() * 2, '\0');
      data.assign(data.size() * 2, '\0');
      continue;
    }
    if (result != ERROR_SUCCESS) break;
    if (type == REG_SZ) {
      const std::string text(data.data(), std::min<std::size_t>(dataSize, data.size()));
      values.emplace_back(name.substr(0, nameSize), text.substr(0, text.find('\0')));
    }
    ++index;
  }
  return values;
}

std::optional<std::string> ReadText(HKEY key, const std::string& name) {
  std::optional<ValueInfo> info = QueryValueInfo(key, name);
  if (!info) return std::nullopt;
  std::string text;
  for (;;) {
    if (!IsText(info->type)) throw InvalidDataType(name);
    text.resize(info->size);
    DWORD size = info->size;
    const LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &info->type,
                                         reinterpret_cast<BYTE*>(text.data()), &size);
    if (result == ERROR_MORE_DATA) {
      info->size = size;
      continue;
    }
    if (result != ERROR_SUCCESS) return std::nullopt;
    if (!IsText(info->type)) throw InvalidDataType(name);
    text.resize(size);
    break;
  }
  const std::size_t end = text.find('\0');
  if (end != std::string::npos) text.resize(end);
  return text;
}

std::optional<std::vector<std::uint8_t>> ReadBinary(HKEY key, const std::string& name, std::size_t size) {
  const std::optional<ValueInfo> info = QueryValueInfo(key, name);
  if (!info || info->size != size) return std::nullopt;
  if (IsText(info->type) || info->type == REG_DWORD) throw InvalidDataType(name);
  std::vector<std::uint8_t> bytes(size);
  DWORD got = info->size;
  DWORD type = REG_NONE;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, bytes.data(), &got) != ERROR_SUCCESS || got != size) {
    return std::nullopt;
  }
  return bytes;
}

void WriteText(HKEY key, const std::string& name, const std::string& text) {
  SetValue(key, name, REG_SZ, text.c_str(), text.size() + 1);
}

void WriteBinary(HKEY key, const std::string& name, const void* data, std::size_t size) {
  SetValue(key, name, REG_BINARY, data, size);
}

bool DeleteValue(HKEY key, const std::string& name) {
  const LONG result = RegDeleteValueA(key, name.c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace velmora::win
