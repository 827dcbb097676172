#include "fakes/fake_platform.h"

#include <algorithm>

namespace pw {
// The fakes answer through fake::App::DecimalSeparator; this only satisfies the default.
std::string UserDecimalSeparator() { return "."; }
}  // namespace pw

namespace pw::fake {

Form::Form(Ui& u, const FormDef& d, FormEvents& e, Handle h, Handle o)
    : ui(u), def(d), events(e), handle(h), owner(o) {
    width = d.clientWidth + frameWidth;
    height = d.clientHeight + frameHeight;
    ui.forms.push_back(this);
}

Form::~Form() { ui.forms.erase(std::remove(ui.forms.begin(), ui.forms.end(), this), ui.forms.end()); }

IControl& Form::AddControl(const ControlDef& d) {
    controls.push_back(std::make_unique<fake::Control>(d, ui.nextHandle++));
    fake::Control& c = *controls.back();
    c.Move(d.left, d.top, d.width, d.height);
    return c;
}

IControl* Form::Control(int id) {
    for (auto& c : controls)
        if (c->def.id == id) return c.get();
    return nullptr;
}

void Form::RemoveControl(IControl& c) {
    for (auto it = controls.begin(); it != controls.end(); ++it) {
        if (it->get() != &c) continue;
        controls.erase(it);
        ++removedControls;
        return;
    }
}

void Form::SetMenu(const std::vector<MenuItem>& items) { menu = items; }

void Form::SetState(int s) {
    log.push_back("state:" + std::to_string(s));
    if (s == state) return;
    state = s;
    if (visible) events.Form_Resize();
}

void Form::Show() {
    log.push_back("show");
    if (ui.sharedLog) ui.sharedLog->push_back("show");
    if (visible) return;
    visible = true;
    ++showCount;
    events.Form_Resize();
}

void Form::Hide() {
    log.push_back("hide");
    if (ui.sharedLog) ui.sharedLog->push_back("hide");
    visible = false;
}

void Form::Move(float l, float t, float w, float h) {
    log.push_back("move");
    left = l;
    top = t;
    width = w;
    height = h;
    if (visible && state != vbMinimized) events.Form_Resize();
}

void Form::Destroy() {
    log.push_back("destroy");
    if (ui.sharedLog) ui.sharedLog->push_back("destroy:" + def.caption);
    destroyed = true;
    visible = false;
}

std::unique_ptr<IForm> Ui::CreateForm(const FormDef& def, FormEvents& events, Handle owner) {
    return std::make_unique<Form>(*this, def, events, nextHandle++, owner);
}

FileError FileSystem::ReadAll(const std::string& p, std::string& data) {
    if (!files.count(p)) return {true, "The system cannot find the file specified."};
    if (unreadable.count(p)) return {true, "The process cannot access the file because it is being used by another process."};
    data = files[p];
    return {};
}

FileError FileSystem::WriteFile(const std::string& p, const std::string& data) {
    writes.push_back(p);
    if (sharedLog) sharedLog->push_back("write:" + p);
    if (unwritable.count(p)) return {true, "Access is denied."};
    if (full.count(p)) {
        files[p] = data.substr(0, data.size() / 2);   // written in place: cut short
        return {true, kDiskFull};
    }
    files[p] = data;
    times[p] = ++clock;
    return {};
}

FileError FileSystem::WriteNew(const std::string& p, const std::string& data) {
    if (files.count(p)) return {true, "The file exists."};
    writes.push_back(p);
    if (unwritable.count(p) || full.count(p)) return {true, full.count(p) ? kDiskFull : "Access is denied."};
    files[p] = data;
    times[p] = ++clock;
    return {};
}

FileError FileSystem::WriteReplace(const std::string& p, const std::string& data) {
    if (attributes.count(p) && (attributes[p] & 1)) {
        writes.push_back(p);
        return {true, "Access is denied."};   // a read-only file is not replaced
    }
    if (full.count(p)) {
        writes.push_back(p);
        return {true, kDiskFull};   // the copy beside it failed: the old content stays
    }
    return WriteFile(p, data);  // the old content survives a failure either way
}

}  // namespace pw::fake
