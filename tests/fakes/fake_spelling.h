// Fakes for spell checking: an automation server that plays Microsoft Word on the fake
// clipboard, and the executable's data resources.
#pragma once
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fake_platform.h"
#include "platform/automation.h"

namespace pw::fake {

// Word as the spell check uses it. Every call is logged as "Object.Member" ("Word.Visible=0",
// "Documents.Add", "ActiveDocument.Close(SaveChanges=0)"); failAt names the first call that
// fails. CheckSpelling applies "checked" to the document's text.
class Word {
public:
    explicit Word(Clipboard& clipboard) : clipboard_(clipboard) {}
    std::vector<std::string> log;
    std::string failAt;
    std::string document;        // the open document's text
    std::string checked;         // what the user's check turns the document into
    bool cutLosesClipboard = false;   // another program empties the clipboard during Cut
    bool heldAfterCut = false;        // another program holds the clipboard open after Cut
    bool heldAfterAdd = false;        // ... after the new document is added
    bool released = false;

    bool Run(const std::string& call) {
        log.push_back(call);
        if (call == failAt) return false;
        if (call == "Documents.Add" && heldAfterAdd) clipboard_.busy = true;
        if (call == "Selection.Paste") document = clipboard_.GetText();
        if (call == "ActiveDocument.CheckSpelling") document = checked;
        if (call == "Selection.Cut") {
            clipboard_.SetText(document);
            document.clear();
            if (cutLosesClipboard) {
                clipboard_.hasText = false;
                clipboard_.text.clear();
            }
            if (heldAfterCut) clipboard_.busy = true;
        }
        return true;
    }

private:
    Clipboard& clipboard_;
};

class AutoObject : public IAutoObject {
public:
    AutoObject(Word& word, std::string name, std::shared_ptr<int> live) : word_(word), name_(std::move(name)), live_(std::move(live)) { ++*live_; }
    ~AutoObject() override { --*live_; }
    bool PutBool(const std::string& property, bool value) override {
        return word_.Run(name_ + "." + property + "=" + (value ? "1" : "0"));
    }
    std::unique_ptr<IAutoObject> GetObject(const std::string& property) override {
        if (!word_.Run(name_ + "." + property)) return nullptr;
        return std::make_unique<AutoObject>(word_, property, live_);
    }
    bool Call(const std::string& method, const std::vector<std::pair<std::string, long>>& named) override {
        std::string call = name_ + "." + method;
        if (!named.empty()) {
            call += "(";
            for (std::size_t i = 0; i < named.size(); ++i)
                call += (i ? "," : "") + named[i].first + "=" + std::to_string(named[i].second);
            call += ")";
        }
        return word_.Run(call);
    }

private:
    Word& word_;
    std::string name_;
    std::shared_ptr<int> live_;
};

class Automation : public IAutomation {
public:
    explicit Automation(Clipboard& clipboard) : word(clipboard) {}
    std::unique_ptr<IAutoObject> Create(const std::string& progId) override {
        created.push_back(progId);
        if (!installed) return nullptr;
        return std::make_unique<AutoObject>(word, "Word", live);
    }
    bool installed = true;
    Word word;
    std::vector<std::string> created;
    std::shared_ptr<int> live = std::make_shared<int>(0);   // objects not yet released
};

class Resources : public IResources {
public:
    bool Data(const std::string& name, std::string& bytes) override {
        auto it = data.find(name);
        if (it == data.end()) return false;
        bytes = it->second;
        return true;
    }
    std::map<std::string, std::string> data;
};

// The packed word list the build makes (its path comes from the build).
inline const std::string& PackedWordList() {
    static const std::string bytes = [] {
        std::ifstream f(PAGEWICK_WORDLIST_FILE, std::ios::binary);
        std::ostringstream s;
        s << f.rdbuf();
        return s.str();
    }();
    return bytes;
}

}  // namespace pw::fake
