// Measures what the note's text box can hold: the time a multi-line, word-wrapping EDIT
// control of the main window's kind (558 x 431 px client, Tahoma 9.75 pt, vertical scroll
// bar, no text limit) takes to take a text by WM_SETTEXT, for notes of growing total size and
// growing longest line. Each case runs in a child process of its own with a deadline, so a
// case that crashes or hangs the control is reported as such and the next one goes on.
//
// usage: pagewick_edit_limits [--deadline-s N] [--quick]     (the parent: every case)
//        pagewick_edit_limits --case KIND BYTES LINE          (one case, prints milliseconds)
// KIND: "lines" (a note of BYTES in lines of LINE characters) or "line" (one line of BYTES).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

double NowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// Words of ordinary prose, so the control wraps at word boundaries as it would for a note.
std::string Text(size_t bytes, size_t lineLength) {
    static const char* const kWords[] = {"the ", "quick ", "brown ", "fox ", "jumps ", "over ", "lazy ", "dog ",
                                         "again ", "and ", "note ", "pagewick "};
    std::string s;
    s.reserve(bytes + 16);
    size_t inLine = 0;
    unsigned w = 0;
    while (s.size() < bytes) {
        if (inLine >= lineLength) {
            s += "\r\n";
            inLine = 0;
            continue;
        }
        const char* word = kWords[w++ % 12];
        size_t n = std::strlen(word);
        if (inLine + n > lineLength) n = lineLength - inLine;
        s.append(word, n);
        inLine += n;
    }
    s.resize(bytes);
    return s;
}

int RunCase(const char* kind, size_t bytes, size_t line) {
    const std::string text = std::strcmp(kind, "line") == 0 ? Text(bytes, bytes) : Text(bytes, line);
    HWND frame = ::CreateWindowExA(0, "STATIC", "edit limits", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 574, 520,
                                   nullptr, nullptr, nullptr, nullptr);
    HWND edit = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN |
                                      ES_AUTOVSCROLL | ES_NOHIDESEL,
                                  0, 0, 558, 431, frame, nullptr, nullptr, nullptr);
    ::SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    HDC dc = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
    ::ReleaseDC(nullptr, dc);
    HFONT font = ::CreateFontA(-MulDiv(975, dpi, 7200), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                               "Tahoma");
    ::SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    const double t0 = NowMs();
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ::UpdateWindow(edit);
    const double ms = NowMs() - t0;
    const LRESULT held = ::SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
    std::printf("%.0f %ld\n", ms, static_cast<long>(held));
    std::fflush(stdout);
    return held == static_cast<LRESULT>(text.size()) ? 0 : 2;
}

struct Result {
    bool finished = false;
    unsigned long exitCode = 0;
    double ms = -1;
    long held = -1;
    double wallMs = 0;
};

Result RunChild(const std::string& self, const char* kind, size_t bytes, size_t line, unsigned deadlineMs) {
    Result r;
    char tmpDir[MAX_PATH], tmp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, tmpDir);
    ::GetTempFileNameA(tmpDir, "elm", 0, tmp);
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE out = ::CreateFileA(tmp, GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
    std::string cmd = "\"" + self + "\" --case " + kind + " " + std::to_string(bytes) + " " + std::to_string(line);
    std::vector<char> buf(cmd.begin(), cmd.end());
    buf.push_back(0);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = out;
    si.hStdError = out;
    PROCESS_INFORMATION pi = {};
    const double t0 = NowMs();
    if (!::CreateProcessA(nullptr, buf.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        ::CloseHandle(out);
        return r;
    }
    ::CloseHandle(out);
    r.finished = ::WaitForSingleObject(pi.hProcess, deadlineMs) == WAIT_OBJECT_0;
    r.wallMs = NowMs() - t0;
    if (!r.finished) {
        ::TerminateProcess(pi.hProcess, 9);
        ::WaitForSingleObject(pi.hProcess, 5000);
    }
    ::GetExitCodeProcess(pi.hProcess, &r.exitCode);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    if (FILE* f = std::fopen(tmp, "r")) {
        if (std::fscanf(f, "%lf %ld", &r.ms, &r.held) != 2) r.ms = -1;
        std::fclose(f);
    }
    ::DeleteFileA(tmp);
    return r;
}

void Report(const char* what, size_t bytes, size_t line, const Result& r) {
    char size[32];
    if (bytes >= (1u << 20)) std::snprintf(size, sizeof size, "%.1f MB", bytes / 1048576.0);
    else std::snprintf(size, sizeof size, "%zu B", bytes);
    if (!r.finished)
        std::printf("%-6s %10s  longest line %8zu  HUNG (killed after %.0f s)\n", what, size, line, r.wallMs / 1000);
    else if (r.ms < 0 || r.exitCode != 0)
        std::printf("%-6s %10s  longest line %8zu  FAILED (exit code 0x%lx after %.1f s)\n", what, size, line,
                    r.exitCode, r.wallMs / 1000);
    else
        std::printf("%-6s %10s  longest line %8zu  WM_SETTEXT %8.0f ms  (process %6.0f ms)\n", what, size, line, r.ms,
                    r.wallMs);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "--case") == 0)
        return RunCase(argv[2], std::strtoul(argv[3], nullptr, 10), std::strtoul(argv[4], nullptr, 10));
    unsigned deadlineS = 60;
    bool quick = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--deadline-s") == 0 && i + 1 < argc) deadlineS = std::atoi(argv[++i]);
        if (std::strcmp(argv[i], "--quick") == 0) quick = true;
    }
    char self[MAX_PATH];
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    const unsigned deadlineMs = deadlineS * 1000;
    const size_t MB = 1u << 20;

    std::printf("Total size, lines of 70 characters:\n");
    std::vector<size_t> totals = {1 * MB, 4 * MB, 8 * MB, 16 * MB, 32 * MB, 64 * MB};
    if (quick) totals = {1 * MB, 4 * MB};
    for (size_t b : totals) Report("lines", b, 70, RunChild(self, "lines", b, 70, deadlineMs));

    std::printf("One line:\n");
    std::vector<size_t> lines = {5000, 10000, 20000, 40000, 80000, 160000};
    if (quick) lines = {5000, 20000};
    for (size_t n : lines) Report("line", n, n, RunChild(self, "line", n, n, deadlineMs));

    std::printf("Many long lines (1 MB and 8 MB notes made of lines of one length):\n");
    std::vector<size_t> many = {1000, 4000, 10000, 20000};
    if (quick) many = {4000};
    for (size_t n : many) {
        Report("lines", MB, n, RunChild(self, "lines", MB, n, deadlineMs));
        if (!quick) Report("lines", 8 * MB, n, RunChild(self, "lines", 8 * MB, n, deadlineMs));
    }
    return 0;
}
