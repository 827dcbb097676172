// In-memory stand-ins for the platform, for the native unit tests. Each fake records what
// the logic asked of it and answers from fields a test sets.
#pragma once
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "fakes/fake_finddialogs.h"
#include "fakes/fake_registry.h"

namespace pw::fake {

// A text box's surface: lines 16 pixels high, every character 8 wide; the waves drawn.
class Canvas : public IBoxCanvas {
public:
    struct Wave { int x, y, width; };
    int LineHeight() override { return kLineHeight; }
    int TextWidth(const std::u16string& text) override { return kCharWidth * static_cast<int>(text.size()); }
    void CharEnds(const std::u16string& text, std::vector<int>& ends) override {
        ends.clear();
        for (size_t i = 0; i < text.size(); ++i) ends.push_back(kCharWidth * static_cast<int>(i + 1));
    }
    int WidestChar() override { return kCharWidth; }
    void WavyLine(int x, int y, int width) override { waves.push_back({x, y, width}); }
    static constexpr int kLineHeight = 16, kCharWidth = 8;
    std::vector<Wave> waves;
};

class Control : public IControl {
public:
    explicit Control(const ControlDef& d, Handle h) : def(d), handle(h), text(d.caption) {}
    Handle hWnd() const override { return handle; }
    std::string Text() const override { return text; }
    void SetText(const std::string& t) override { text = t; selStart = 0; selLength = 0; ++setTextCount; canUndo = false; }
    int Value() const override { return value; }
    void SetValue(int v) override { value = v; }
    void AddItem(const std::string& item) override { items.push_back(item); }
    int ItemCount() const override { return static_cast<int>(items.size()); }
    std::string Item(int i) const override { return i >= 0 && i < ItemCount() ? items[i] : std::string(); }
    FontSpec Font() const override { return font; }
    void SetFont(const FontSpec& f) override { font = f; }
    void SetForeColor(Color c) override { foreColor = c; }
    Color ForeColor() const override { return foreColor; }
    void SetBackColor(Color c) override { backColor = c; }
    void SetToolTip(const std::string& t) override { toolTip = t; }
    void SetImage(const std::string& r) override { image = r; }
    void SetHandCursor(const std::string& r) override { cursor = r; }
    void Move(float l, float t, float w, float h) override {
        left = l; top = t; width = w;
        height = def.kind == ControlKind::StatusBar ? kStatusBarHeight : h;   // a bar keeps its own
    }
    void SetFocus() override { focused = true; }
    bool Focused() const override { return focused; }
    void SetRange(int lo, int hi) override { rangeLo = lo; rangeHi = hi; }
    float Height() const override { return height; }
    void SetFontScale(int percent) override {
        fontScale = percent;
        firstVisibleLine = 0;   // as a box that lays its lines out anew from the top
        if (wrapOnScale >= 0) wrapAt = wrapOnScale;
    }
    int FontScale() const override { return fontScale; }
    void SetPanels(const std::vector<float>& edges) override { panelEdges = edges; }
    void SetPanelText(int panel, const std::string& t) override {
        if (panel >= static_cast<int>(panels.size())) panels.resize(static_cast<size_t>(panel) + 1);
        panels[static_cast<size_t>(panel)] = t;
        ++panelTextsSent;
    }
    int SelStart() const override { return selStart; }
    void SetSelStart(int s) override {
        selStart = std::max(0, std::min(s, static_cast<int>(text.size())));
        selLength = 0;
    }
    int SelLength() const override { return selLength; }
    void SetSelLength(int n) override {
        selLength = std::max(0, std::min(n, static_cast<int>(text.size()) - selStart));
    }
    std::string SelText() const override { return text.substr(selStart, selLength); }
    void SetSelText(const std::string& t) override {
        undoText = text;
        text.replace(selStart, selLength, t);
        selStart += static_cast<int>(t.size());
        selLength = 0;
        canUndo = true;
        ++replaceCount;
    }
    long Send(unsigned msg, unsigned long w, long l) override {
        sent.push_back({msg, w, l});
        switch (msg) {
            case 0x00C6: return canUndo ? 1 : 0;                       // EM_CANUNDO
            case 0x0304:                                               // WM_UNDO: one step, which toggles
                if (canUndo) {
                    text.swap(undoText);
                    selStart = std::min(selStart, static_cast<int>(text.size()));
                    selLength = 0;
                }
                return 0;
            case 0x00B8: return modified ? 1 : 0;                      // EM_GETMODIFY
            case 0x00B9: modified = w != 0; return 0;                  // EM_SETMODIFY
            case 0x00C5: limit = static_cast<long>(w); return 0;       // EM_SETLIMITTEXT
            case 0x00D5: return limit;                                 // EM_GETLIMITTEXT
            case 0x00CE: return firstVisibleLine;                      // EM_GETFIRSTVISIBLELINE
            case 0x00BB: return LineIndex(static_cast<long>(w));       // EM_LINEINDEX
            case 0x00C9: return LineFromChar(static_cast<long>(w));    // EM_LINEFROMCHAR
            case 0x00B6: firstVisibleLine = std::max(0L, firstVisibleLine + l); return 1;   // EM_LINESCROLL
            case 0x00BA: return static_cast<long>(LineStarts().size());   // EM_GETLINECOUNT
            case 0x00C1: return static_cast<long>(LineText(static_cast<int>(LineFromChar(static_cast<long>(w)))).size());   // EM_LINELENGTH
            case 0x00B1:                                               // EM_SETSEL (-1: to the end)
                selStart = std::min(static_cast<int>(w), static_cast<int>(text.size()));
                selLength = (l < 0 ? static_cast<int>(text.size()) : std::min(static_cast<int>(l), static_cast<int>(text.size()))) - selStart;
                return 0;
            case 0x00D6: {                                             // EM_POSFROMCHAR (units)
                const std::u16string u = Utf8ToUtf16(text);
                const long at = static_cast<long>(w);
                if (at > static_cast<long>(u.size())) return -1;
                const long line = LineFromChar(static_cast<long>(Utf8OffsetOfUnits(u.data(), u.size(), static_cast<size_t>(at))));
                const long lineStart = static_cast<long>(Utf16Length(text.substr(0, static_cast<size_t>(LineIndex(line)))));
                const long x = (at - lineStart) * Canvas::kCharWidth - scrolledX;
                const long y = (line - firstVisibleLine) * Canvas::kLineHeight;
                return static_cast<long>((x & 0xFFFF) | ((y & 0xFFFF) << 16));
            }
            default: return 0;
        }
    }
    // The box's lines: each line break starts one, and with wrapAt set every wrapAt characters
    // of a long line too.
    std::vector<long> LineStarts() const {
        std::vector<long> starts{0};
        long run = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                starts.push_back(static_cast<long>(i) + 1);
                run = 0;
            } else if (text[i] != '\r' && wrapAt > 0 && ++run > wrapAt) {
                starts.push_back(static_cast<long>(i));
                run = 1;
            }
        }
        return starts;
    }
    long LineIndex(long line) const {
        const std::vector<long> s = LineStarts();
        return line >= 0 && line < static_cast<long>(s.size()) ? s[static_cast<size_t>(line)] : -1;
    }
    long LineFromChar(long at) const {
        const std::vector<long> s = LineStarts();
        return static_cast<long>(std::upper_bound(s.begin(), s.end(), at) - s.begin()) - 1;
    }
    static constexpr float kStatusBarHeight = 330;

    // The overlay: painted on `canvas` when the program asks, or the test plays a paint.
    void SetOverlay(IBoxOverlay* o) override { overlay = o; }
    std::u16string LineText(int line) const override {
        const std::vector<long> s = LineStarts();
        if (line < 0 || line >= static_cast<int>(s.size())) return {};
        const size_t from = static_cast<size_t>(s[static_cast<size_t>(line)]);
        size_t to = line + 1 < static_cast<int>(s.size()) ? static_cast<size_t>(s[static_cast<size_t>(line) + 1]) : text.size();
        while (to > from && (text[to - 1] == '\n' || text[to - 1] == '\r')) --to;
        return Utf8ToUtf16(text.substr(from, to - from));
    }
    PixelRect ClientPixels() const override { return client; }
    void PaintOverlay() override {
        if (overlay) overlay->Painted(canvas);
    }
    void Invalidate(const PixelRect& area) override { invalidated.push_back(area); }
    int PopupMenu(const std::vector<PopupEntry>& entries, int x, int y) override {
        popups.push_back({entries, x, y});
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].caption == choose && entries[i].enabled) return static_cast<int>(i);
        return -1;
    }
    struct Popup { std::vector<PopupEntry> entries; int x, y; };
    IBoxOverlay* overlay = nullptr;
    Canvas canvas;
    PixelRect client{0, 0, 400, 160};   // ten lines shown
    long scrolledX = 0;
    std::vector<PixelRect> invalidated;
    std::vector<Popup> popups;
    std::string choose;                  // the pop-up entry the user picks ("": none)

    void SetVisible(bool v) override { visible = v; }
    bool Visible() const override { return visible; }
    void SetEnabled(bool e) override { enabled = e; }
    bool Enabled() const override { return enabled; }
    void ClearItems() override { items.clear(); value = -1; }

    struct Sent { unsigned msg; unsigned long wParam; long lParam; };
    ControlDef def;
    Handle handle;
    std::string text;
    int value = 0;
    std::vector<std::string> items;
    FontSpec font;
    Color foreColor = SystemColor(COLOR_WINDOWTEXT_INDEX);
    Color backColor = 0xFFFFFF;
    std::string toolTip, image, cursor;
    float left = 0, top = 0, width = 0, height = 0;
    bool focused = false;
    int rangeLo = 0, rangeHi = 0;
    int selStart = 0, selLength = 0;
    bool canUndo = false, modified = false;
    std::string undoText;   // what Undo brings back
    long limit = 30000, firstVisibleLine = 0;
    int wrapAt = 0;                      // characters a line holds before it wraps; 0: none
    int wrapOnScale = -1;                // wrapAt after the next font scale (-1: unchanged)
    int fontScale = 100;
    std::vector<float> panelEdges;
    std::vector<std::string> panels;     // a status bar's panel texts
    int panelTextsSent = 0;
    int setTextCount = 0, replaceCount = 0;
    std::vector<Sent> sent;
    bool visible = true, enabled = true;
};

class Ui;

class Form : public IForm {
public:
    Form(Ui& ui, const FormDef& d, FormEvents& e, Handle h, Handle o);
    ~Form() override;
    Handle hWnd() const override { return destroyed ? 0 : handle; }
    IControl& AddControl(const ControlDef& d) override;
    IControl* Control(int id) override;
    void RemoveControl(IControl& c) override;
    fake::Control* Ctl(int id) { return static_cast<fake::Control*>(Control(id)); }
    void SetMenu(const std::vector<MenuItem>& items) override;
    void SetMenuEnabled(int id, bool e) override { menuEnabled[id] = e; }
    bool MenuEnabled(int id) const override { auto it = menuEnabled.find(id); return it == menuEnabled.end() || it->second; }
    void SetMenuChecked(int id, bool c) override { menuChecked[id] = c; }
    bool MenuChecked(int id) const override { auto it = menuChecked.find(id); return it != menuChecked.end() && it->second; }
    void PopupMenu(int id) override { popups.push_back(id); }
    std::string Caption() const override { return def.caption; }
    void SetCaption(const std::string& c) override { def.caption = c; }
    int State() const override { return state; }
    void SetState(int s) override;
    bool Visible() const override { return visible; }
    bool Enabled() const override { return enabled; }
    void Show() override;
    void Hide() override;
    void BringToFront() override { ++bringToFrontCount; }
    float Left() const override { return left; }
    float Top() const override { return top; }
    float Width() const override { return state == vbMaximized ? maxWidth : width; }
    float Height() const override { return state == vbMaximized ? maxHeight : height; }
    void Move(float l, float t, float w, float h) override;
    float ScaleWidth() const override { return Width() - frameWidth; }
    float ScaleHeight() const override { return Height() - frameHeight; }
    void SetZOrder(long after) override { zorder.push_back(after); }
    void SetOpacity(bool layered_, int a) override { layered = layered_; alpha = a; }
    void SendSetIcon(int which, Handle icon) override { icons.push_back({which, icon}); }
    void Destroy() override;
    void StartTimer(int id, unsigned ms) override { timers[id] = ms; ++timerStarts; }
    void StopTimer(int id) override { timers.erase(id); }
    // The mouse moves to a point of the client area (twips). As the system routes it: to the
    // topmost control under it that takes the mouse (a clickable one; plain labels and pictures
    // let it through), else to the form itself (id 0); backdrops lie beneath every other control.
    void MouseAt(float x, float y) {
        const auto under = [&](const fake::Control& c) {
            return (c.def.style & csClickable) && x >= c.left && x < c.left + c.width && y >= c.top &&
                   y < c.top + c.height;
        };
        for (auto it = controls.rbegin(); it != controls.rend(); ++it)
            if (!((*it)->def.style & csBackdrop) && under(**it)) return events.MouseMove((*it)->def.id, 0);
        for (const auto& c : controls)
            if ((c->def.style & csBackdrop) && under(*c)) return events.MouseMove(c->def.id, 0);
        events.MouseMove(0, 0);
    }
    // Enter and Esc as the host handles them in every window but the main one: Enter presses
    // the default button, Esc closes the window as its close box does.
    void PressEnter() {
        for (const auto& c : controls)
            if (c->def.style & csDefault) return events.Command(c->def.id);
    }
    void PressEsc() { RunClose(events, *this, vbFormControlMenu); }
    // Fires a running timer as its WM_TIMER would.
    bool FireTimer(int id) {
        if (!timers.count(id)) return false;
        long r = 0;
        events.Message(0x0113, static_cast<unsigned long>(id), 0, r);
        return true;
    }

    Ui& ui;
    FormDef def;
    FormEvents& events;
    Handle handle, owner;
    std::vector<std::unique_ptr<fake::Control>> controls;
    std::vector<MenuItem> menu;
    std::map<int, bool> menuEnabled, menuChecked;
    std::vector<int> popups;
    int state = vbNormal;
    bool visible = false, destroyed = false, layered = false;
    bool enabled = true;   // false: a modal window of the program keeps it from taking input
    int alpha = 255, bringToFrontCount = 0, showCount = 0;
    float left = 0, top = 0, width = 0, height = 0;
    float frameWidth = 120, frameHeight = 690;   // borders, caption and menu bar
    float maxWidth = 15360, maxHeight = 11100;
    std::vector<long> zorder;
    std::vector<std::pair<int, Handle>> icons;
    std::vector<std::string> log;   // "show", "hide", "state:1", "move"
    std::map<int, unsigned> timers;   // running timers: id -> interval
    int timerStarts = 0;
    int removedControls = 0;
};

class Ui : public IUi {
public:
    std::unique_ptr<IForm> CreateForm(const FormDef& def, FormEvents& events, Handle owner) override;
    float ScreenWidth() const override { return screenWidth; }
    float ScreenHeight() const override { return screenHeight; }
    float TwipsPerPixelX() const override { return 15; }
    float TwipsPerPixelY() const override { return 15; }
    void SetBusyCursor(bool b) override { busy = b; if (b) ++busyCount; }
    void Beep() override { ++beeps; }
    int MsgBox(const std::string& text, int style, const std::string& title) override {
        boxes.push_back({text, style, title});
        if (answers.empty()) return vbOK;
        int a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    void AddModeless(Handle h) override { modeless.insert(h); }
    void RemoveModeless(Handle h) override { modeless.erase(h); }
    // A modal form: the test plays the user in onModal (nothing set: the form stays as it is).
    void RunModal(IForm& form) override {
        modal.push_back(form.hWnd());
        ++modalRuns;
        form.Show();
        if (onModal) onModal(static_cast<Form&>(form));
    }
    std::function<void(Form&)> onModal;
    int modalRuns = 0;
    std::vector<Area> Monitors() const override {
        if (!monitors.empty()) return monitors;
        return {Area{0, 0, screenWidth, screenHeight}};
    }
    std::vector<Area> monitors;   // empty: one monitor of the screen size

    struct Box { std::string text; int style; std::string title; };
    float screenWidth = 15360, screenHeight = 11520;   // 1024 x 768 pixels
    bool busy = false;
    int busyCount = 0, beeps = 0;
    std::vector<Box> boxes;
    std::vector<int> answers;     // queued MsgBox answers
    std::set<Handle> modeless;
    std::vector<Handle> modal;    // forms shown modally, in order
    std::vector<Form*> forms;     // live forms, oldest first
    Handle nextHandle = 0x1000;
    std::vector<std::string>* sharedLog = nullptr;  // optional: cross-fake order of events
};

class App : public IApp {
public:
    std::string Path() const override { return path; }
    std::string ExeName() const override { return exeName; }
    std::string Title() const override { return "Pagewick"; }
    std::string Command() const override { return command; }
    bool PrevInstance() override { return prevInstance; }
    void SetTaskVisible(bool v) override { taskVisible = v; ++taskVisibleCalls; }
    bool InitCommonControlsEx(unsigned size, unsigned classes) override { iccSize = size; iccClasses = classes; return true; }
    void InitCommonControls() override { ++initCommonControls; }
    bool Launch(const std::string& exe, const std::string& args) override {
        launched.push_back({exe, args});
        return launchWorks;
    }
    bool launchWorks = true;   // false: the system cannot start the program
    void ExitProcess(int code) override { exitCode = code; }
    std::string Environ(const std::string& name) const override { auto it = env.find(name); return it == env.end() ? "" : it->second; }
    std::string DesktopFolder() const override { return desktop; }
    std::string desktop;   // the shell's desktop folder ("" : the shell cannot say)
    std::string DecimalSeparator() const override { return decimalSeparator; }
    std::string decimalSeparator = ".";
    std::string TimeStamp() const override { return timeStamp; }
    std::string timeStamp = "2026-12-09 131500";
    void ShortTimeAndDate(std::string& t, std::string& d) const override {
        t = shortTime;
        d = shortDate;
    }
    std::string shortTime = "10:35 AM", shortDate = "12/10/2026";

    std::string path = "C:\\Programs\\Pagewick", exeName = "pagewick", command;
    bool prevInstance = false, taskVisible = true;
    int taskVisibleCalls = 0, initCommonControls = 0, exitCode = -1;
    unsigned iccSize = 0, iccClasses = 0;
    std::vector<std::pair<std::string, std::string>> launched;
    std::map<std::string, std::string> env;
};

class FileSystem : public IFileSystem {
public:
    bool FileExists(const std::string& p) override { return files.count(p) != 0; }
    bool FileReadable(const std::string& p) override { return files.count(p) != 0 && !unreadable.count(p); }
    FileError ReadAll(const std::string& p, std::string& data) override;
    FileError WriteFile(const std::string& p, const std::string& data) override;
    FileError WriteReplace(const std::string& p, const std::string& data) override;
    FileError WriteNew(const std::string& p, const std::string& data) override;
    FileStamp Stamp(const std::string& p) override {
        FileStamp s;
        auto it = files.find(p);
        if (it == files.end()) return s;
        s.exists = true;
        s.size = FileSize(p);
        s.written = times.count(p) ? times[p] : 0;
        s.readOnly = attributes.count(p) && (attributes[p] & 1);
        return s;
    }
    std::string FinalPath(const std::string& p) override {
        auto it = links.find(p);
        return it == links.end() ? p : it->second;
    }
    // Another program writes the file (its time of writing moves on, as the system's would).
    void Put(const std::string& p, const std::string& data) {
        files[p] = data;
        times[p] = ++clock;
    }
    bool SetAttributes(const std::string& p, unsigned a) override { attributes[p] = a; return files.count(p) != 0; }
    bool RemoveFile(const std::string& p) override { removed.push_back(p); return files.erase(p) != 0; }
    long long FileSize(const std::string& p) override {
        auto big = sizes.find(p);
        if (big != sizes.end()) return big->second;
        auto it = files.find(p);
        return it == files.end() ? -1 : static_cast<long long>(it->second.size());
    }
    FileError Rename(const std::string& from, const std::string& to) override {
        if (unwritable.count(from)) return {true, "Access is denied."};
        if (!files.count(from)) return {true, "The system cannot find the file specified."};
        if (files.count(to)) return {true, "Cannot create a file when that file already exists."};
        files[to] = files[from];
        files.erase(from);
        times[to] = times[from];
        times.erase(from);
        renames.push_back({from, to});
        return {};
    }
    bool KeepsStreams(const std::string&) override { return streams; }
    bool streams = true;                       // the file system keeps "file:stream" names
    std::map<std::string, long long> sizes;   // sizes reported without holding the bytes
    std::vector<std::pair<std::string, std::string>> renames;

    std::map<std::string, std::string> files;
    std::map<std::string, unsigned> attributes;
    std::set<std::string> unreadable;      // exist but cannot be opened
    std::set<std::string> unwritable;      // writes fail with "Access is denied."
    std::set<std::string> full;            // the disk fills up half-way through writing these
    static constexpr const char* kDiskFull = "There is not enough space on the disk.";
    std::map<std::string, std::string> links;   // a link's path -> the file it leads to (FinalPath)
    std::map<std::string, std::uint64_t> times; // time of the last write, by the clock below
    std::uint64_t clock = 1;
    std::vector<std::string> writes;       // paths written, in order
    std::vector<std::string> removed;      // paths RemoveFile was asked for, in order
    std::vector<std::string>* sharedLog = nullptr;
};

// The clipboard: its text (format 13, Unicode text) and any other formats by number.
class Clipboard : public IClipboard {
public:
    static constexpr unsigned kText = 13;
    bool HasText() override { return hasText; }
    bool ReadText(std::string& t) override {
        t = hasText && !busy ? text : std::string();
        return hasText && !busy;
    }
    bool SetText(const std::string& t) override {
        if (busy) return false;
        others.clear();   // emptied first, as the system's is
        text = t;
        hasText = true;
        return true;
    }
    bool Save(ClipboardContents& contents) override {
        contents.formats.clear();
        if (busy) return false;
        if (hasText) contents.formats.push_back({kText, text});
        for (const auto& f : others) contents.formats.push_back({f.first, f.second});
        ++saves;
        return true;
    }
    bool Restore(const ClipboardContents& contents) override {
        if (busy) return false;
        Empty();
        for (const auto& f : contents.formats) {
            if (f.id == kText) {
                text = f.data;
                hasText = true;
            } else {
                others[f.id] = f.data;
            }
        }
        ++restores;
        return true;
    }
    void Empty() {
        hasText = false;
        text.clear();
        others.clear();
    }
    bool hasText = false;
    bool busy = false;   // another program holds the clipboard open: no reading or writing
    std::string text;
    std::map<unsigned, std::string> others;   // pictures, files, rich text...
    int saves = 0, restores = 0;
};

class Shell : public IShell {
public:
    bool NotifyIcon(unsigned message, const unsigned char* record) override {
        notifications.push_back({message, std::vector<unsigned char>(record, record + 88)});
        return true;
    }
    Handle LoadResourceIcon(const std::string& name, int w, int h) override { resourceLoads.push_back({name, w, h}); return 0x5000 + w; }
    Handle LoadFileIcon(const std::string& p, int w, int h) override { fileLoads.push_back({p, w, h}); return fileIcon; }
    Handle GetOwner(Handle w) override { auto it = owners.find(w); return it == owners.end() ? 0 : it->second; }
    int SystemMetric(int i) override { auto it = metrics.find(i); return it == metrics.end() ? 0 : it->second; }
    void SendSetIcon(Handle w, int which, Handle icon) override { setIcons.push_back({w, which, icon}); }
    void ShellOpen(const std::string& t) override { opened.push_back(t); }
    long ShellOpenIn(const std::string& file, const std::string& folder) override {
        openedIn.push_back({file, folder});
        return shellOpenResult;
    }
    unsigned RegisterMessage(const std::string& name) override {
        if (failRegister) return 0;
        auto it = registered.find(name);
        if (it != registered.end()) return it->second;
        return registered[name] = 0xC000 + static_cast<unsigned>(registered.size());
    }
    struct Load { std::string name; int w, h; };
    struct SetIconCall { Handle window; int which; Handle icon; };
    std::vector<std::pair<unsigned, std::vector<unsigned char>>> notifications;
    std::vector<Load> resourceLoads, fileLoads;
    std::map<Handle, Handle> owners;
    std::map<int, int> metrics = {{11, 32}, {12, 32}, {49, 16}, {50, 16}};
    std::vector<SetIconCall> setIcons;
    std::vector<std::string> opened;
    std::map<std::string, unsigned> registered;
    bool failRegister = false;
    Handle fileIcon = 0x7777;
    std::vector<std::pair<std::string, std::string>> openedIn;
    long shellOpenResult = 42;
};

class Hotkeys : public IHotkeys {
public:
    unsigned long Register(Handle w, int id, unsigned mods, unsigned vk) override {
        registrations.push_back({w, id, mods, vk});
        if (taken.count({mods, vk})) return 1409;
        armed[id] = {mods, vk};
        return 0;
    }
    void Unregister(Handle, int id) override { armed.erase(id); ++unregisters; }
    struct Reg { Handle w; int id; unsigned mods, vk; };
    std::vector<Reg> registrations;
    std::set<std::pair<unsigned, unsigned>> taken;
    std::map<int, std::pair<unsigned, unsigned>> armed;
    int unregisters = 0;
};

class Dialogs : public IDialogs {
public:
    bool OpenFile(Handle, const std::string& filter, std::string& name) override { return Answer(filter, name, openAnswers, false); }
    bool SaveFile(Handle, const std::string& filter, std::string& name) override { return Answer(filter, name, saveAnswers, true); }
    bool PickFont(Handle, unsigned flags, FontSpec& font) override {
        fontFlags.push_back(flags);
        fontShown.push_back(font);
        if (fontAnswers.empty()) return false;
        auto a = fontAnswers.front();
        fontAnswers.erase(fontAnswers.begin());
        if (!a.first) return false;
        font = a.second;
        return true;
    }
    // Each answer: chosen? and the name typed; an empty queue cancels.
    std::vector<std::pair<bool, std::string>> openAnswers, saveAnswers;
    std::vector<std::pair<bool, FontSpec>> fontAnswers;
    struct Shown { bool save; std::string filter, initialName; };
    std::vector<Shown> shown;
    std::vector<unsigned> fontFlags;
    std::vector<FontSpec> fontShown;
    // Printer dialog: each answer chosen? and the choice; an empty queue cancels.
    bool PickPrinter(Handle, PrinterChoice& p) override {
        printerShown.push_back(p);
        if (printerAnswers.empty()) return false;
        auto a = printerAnswers.front();
        printerAnswers.erase(printerAnswers.begin());
        if (a.first) p = a.second;
        return a.first;
    }
    std::vector<std::pair<bool, PrinterChoice>> printerAnswers;
    std::vector<PrinterChoice> printerShown;

private:
    bool Answer(const std::string& filter, std::string& name, std::vector<std::pair<bool, std::string>>& q, bool save) {
        shown.push_back({save, filter, name});
        if (q.empty()) return false;
        auto a = q.front();
        q.erase(q.begin());
        if (a.first) name = a.second;
        return a.first;
    }
};

// Folder watches: a test plays another program's change with Change(folder).
class FolderWatch : public IFolderWatch {
public:
    struct Entry {
        std::string folder;
        std::function<void()> changed;
        bool live = true;
    };
    std::unique_ptr<IWatching> Watch(const std::string& folder, std::function<void()> changed) override {
        if (refuse) return nullptr;
        auto e = std::make_shared<Entry>(Entry{folder, std::move(changed)});
        entries.push_back(e);
        return std::make_unique<Watching>(e);
    }
    // Something in the folder changed: every live watch of it hears. Returns how many did.
    int Change(const std::string& folder) {
        int n = 0;
        for (const auto& e : entries)
            if (e->live && e->folder == folder) {
                e->changed();
                ++n;
            }
        return n;
    }
    std::vector<std::string> Folders() const {
        std::vector<std::string> f;
        for (const auto& e : entries)
            if (e->live) f.push_back(e->folder);
        return f;
    }
    bool refuse = false;
    std::vector<std::shared_ptr<Entry>> entries;

private:
    struct Watching : IWatching {
        explicit Watching(std::shared_ptr<Entry> e) : entry(std::move(e)) {}
        ~Watching() override { entry->live = false; }
        std::shared_ptr<Entry> entry;
    };
};

// The whole set, wired into a Platform.
struct Fakes {
    Fakes() { platform.folderWatch = &folderWatch; }
    App app;
    Ui ui;
    FileSystem fs;
    Registry registry;
    Clipboard clipboard;
    Shell shell;
    Hotkeys hotkeys;
    Dialogs dialogs;
    FindDialogs findDialogs;
    FolderWatch folderWatch;
    Platform platform{app, ui, fs, registry, clipboard, shell, hotkeys, dialogs, &findDialogs};
};

}  // namespace pw::fake
