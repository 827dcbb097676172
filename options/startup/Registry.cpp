#include "options/startup/Registry.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace pw {

long SetKeyValue(IRegistry& reg, Handle root, const std::string& path, const std::string& name,
                 const RegValue& value, unsigned long type) {
    Handle key = 0;
    const long open = reg.OpenKey(root, path, kRegistryAccess, key);
    if (open != 0) return open;
    const long status = WriteValue(reg, key, name, type, value);
    reg.CloseKey(key);
    return status;
}

std::string GetKeyValue(IRegistry& reg, Handle root, const std::string& path, const std::string& name) {
    Handle key = 0;
    // A key that cannot be opened has no handle to query or close.
    if (reg.OpenKey(root, path, kRegistryAccess, key) != 0) return "";
    RegValue value = std::string();
    ReadValue(reg, key, name, value);
    reg.CloseKey(key);
    const std::string* text = std::get_if<std::string>(&value);
    return text ? StripNull(*text) : std::string();
}

long DeleteKeyValue(IRegistry& reg, Handle root, const std::string& path, const std::string& name) {
    Handle key = 0;
    const long open = reg.OpenKey(root, path, kRegistryAccess, key);
    if (open != 0) return open;
    const long status = reg.DeleteValue(key, name);
    reg.CloseKey(key);
    return status;
}

long WriteValue(IRegistry& reg, Handle key, const std::string& name, unsigned long type, const RegValue& value) {
    if (type == REG_SZ_) {
        const std::string text = std::holds_alternative<std::string>(value)
                                     ? std::get<std::string>(value)
                                     : std::to_string(std::get<std::int32_t>(value));
        return reg.SetValue(key, name, REG_SZ_, reinterpret_cast<const unsigned char*>(text.c_str()),
                            static_cast<unsigned long>(text.size() + 1));
    }
    if (type == REG_DWORD_) {
        std::int32_t number = 0;
        if (const std::int32_t* n = std::get_if<std::int32_t>(&value)) {
            number = *n;
        } else {
            // A text stands for a number only when it is one whole 32-bit number.
            const std::string& text = std::get<std::string>(value);
            char* end = nullptr;
            const long long parsed = std::strtoll(text.c_str(), &end, 10);
            if (text.empty() || *end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX)
                return ERROR_INVALID_PARAMETER_;
            number = static_cast<std::int32_t>(parsed);
        }
        unsigned char bytes[4];
        std::memcpy(bytes, &number, 4);
        return reg.SetValue(key, name, REG_DWORD_, bytes, 4);
    }
    return 0;
}

long ReadValue(IRegistry& reg, Handle key, const std::string& name, RegValue& value) {
    unsigned long type = 0, size = 0;
    const long first = reg.QueryValue(key, name, type, nullptr, size);
    if (first != 0) return first;
    if (type == REG_SZ_) {
        std::vector<unsigned char> buffer(size + 1, 0);
        unsigned long got = size;
        const long status = reg.QueryValue(key, name, type, buffer.data(), got);
        // The characters the second query delivered (it may be fewer if the value shrank).
        if (status == 0)
            value = std::string(reinterpret_cast<const char*>(buffer.data()), got < size ? got : size);
        else
            value = std::string();
        return status;
    }
    if (type == REG_DWORD_) {
        unsigned char bytes[4] = {};
        unsigned long got = 4;
        const long status = reg.QueryValue(key, name, type, bytes, got);
        if (status == 0) {
            std::int32_t number = 0;
            std::memcpy(&number, bytes, 4);
            value = number;
        }
        return status;
    }
    return kRegistryOtherType;
}

std::string StripNull(const std::string& text) { return text.empty() ? text : text.substr(0, text.size() - 1); }

}  // namespace pw
