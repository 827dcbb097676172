// Registry routines: one value of one existing key, opened and closed within each call.
// Statuses are the platform's registry codes, 0 for success.
#pragma once
#include <cstdint>
#include <string>
#include <variant>

#include "platform/WinNumbers.h"
#include "platform/system.h"

namespace pw {

// KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY | KEY_CREATE_LINK
constexpr unsigned long kRegistryAccess = 0x3F;
constexpr long kRegistryOtherType = -1;   // ReadValue: a value of a type it does not serve

// A value as the routines pass it: text for REG_SZ, a 32-bit number for REG_DWORD.
using RegValue = std::variant<std::string, std::int32_t>;

// Writes into an existing key; the key is never created.
long SetKeyValue(IRegistry& reg, Handle root, const std::string& path, const std::string& name,
                 const RegValue& value, unsigned long type);
// The text of a string value, or "" when it cannot be read.
std::string GetKeyValue(IRegistry& reg, Handle root, const std::string& path, const std::string& name);
long DeleteKeyValue(IRegistry& reg, Handle root, const std::string& path, const std::string& name);

// REG_SZ: the text and its terminating null. REG_DWORD: 4 bytes. Other types: nothing, 0.
long WriteValue(IRegistry& reg, Handle key, const std::string& name, unsigned long type, const RegValue& value);
// REG_SZ: the stored characters, terminating null included. REG_DWORD: the number. On a
// failed first query, or for other types (kRegistryOtherType), value is left as it was.
long ReadValue(IRegistry& reg, Handle key, const std::string& name, RegValue& value);
// Drops the last character (the stored terminating null) of a non-empty text.
std::string StripNull(const std::string& text);

}  // namespace pw
