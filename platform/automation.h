// Automation objects reached late-bound, member by name (IDispatch on Windows), and the
// data resources the program carries inside its executable.
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace pw {

// One automation object. Every call reports failure instead of throwing.
class IAutoObject {
public:
    virtual ~IAutoObject() = default;
    // Sets a True/False property.
    virtual bool PutBool(const std::string& property, bool value) = 0;
    // Reads an object-valued property ("Documents", "Selection"); null when that fails.
    virtual std::unique_ptr<IAutoObject> GetObject(const std::string& property) = 0;
    // Calls a method with named whole-number arguments ({"SaveChanges", 0}).
    virtual bool Call(const std::string& method, const std::vector<std::pair<std::string, long>>& named = {}) = 0;
};

class IAutomation {
public:
    virtual ~IAutomation() = default;
    // Creates the object a programmatic identifier names ("Word.Application"); null when the
    // program behind it is not installed or will not start.
    virtual std::unique_ptr<IAutoObject> Create(const std::string& progId) = 0;
};

class IResources {
public:
    virtual ~IResources() = default;
    // The bytes of a data resource (RCDATA) of the executable; false when it is missing.
    virtual bool Data(const std::string& name, std::string& bytes) = 0;
};

}  // namespace pw
