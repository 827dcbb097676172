// An in-memory registry below HKEY_CURRENT_USER: existing keys, typed values stored as raw
// bytes, open handles, and a log of the calls.
#pragma once
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/system.h"

namespace pw::fake {

class Registry : public IRegistry {
public:
    // One stored value. Assigning a text stores it as REG_SZ with its terminating null, as
    // Windows' own tools write it.
    struct Value {
        unsigned long type = 1;
        std::string data;   // raw bytes
        Value() = default;
        Value(unsigned long t, std::string d) : type(t), data(std::move(d)) {}
        Value(const std::string& text) : data(text + '\0') {}   // NOLINT: implicit on purpose
        Value(const char* text) : Value(std::string(text)) {}   // NOLINT
    };

    long OpenKey(Handle root, const std::string& path, unsigned long access, Handle& key) override {
        opens.push_back({root, path, access});
        if (root != 0x80000001u || !keys.count(path) || denied.count(path)) return 2;
        key = nextHandle++;
        open[key] = path;
        return 0;
    }
    long QueryValue(Handle key, const std::string& name, unsigned long& type, unsigned char* data,
                    unsigned long& size) override {
        ++queries;
        auto k = open.find(key);
        if (k == open.end()) return 6;   // ERROR_INVALID_HANDLE
        auto v = values.find(k->second + "\\" + name);
        if (v == values.end()) return 2;
        type = v->second.type;
        const unsigned long need = static_cast<unsigned long>(v->second.data.size());
        if (data) {
            if (size < need) {
                size = need;
                return 234;   // ERROR_MORE_DATA
            }
            std::memcpy(data, v->second.data.data(), need);
        }
        size = need;
        return 0;
    }
    long SetValue(Handle key, const std::string& name, unsigned long type, const unsigned char* data,
                  unsigned long size) override {
        auto k = open.find(key);
        if (k == open.end()) return 6;
        if (readOnly) return 5;   // ERROR_ACCESS_DENIED
        values[k->second + "\\" + name] = Value(type, std::string(reinterpret_cast<const char*>(data), size));
        return 0;
    }
    long DeleteValue(Handle key, const std::string& name) override {
        auto k = open.find(key);
        if (k == open.end()) return 6;
        return values.erase(k->second + "\\" + name) ? 0 : 2;
    }
    long CloseKey(Handle key) override {
        ++closes;
        return open.erase(key) ? 0 : 6;
    }

    struct Open { Handle root; std::string path; unsigned long access; };
    std::set<std::string> keys = {"Software\\Microsoft\\Windows\\CurrentVersion\\Run"};
    std::set<std::string> denied;             // exist, but cannot be opened
    std::map<std::string, Value> values;      // "key path\value name"
    std::map<Handle, std::string> open;       // handles not closed yet
    std::vector<Open> opens;
    bool readOnly = false;
    int queries = 0, closes = 0;
    Handle nextHandle = 0x100;
};

}  // namespace pw::fake
