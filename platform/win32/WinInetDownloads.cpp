#include "platform/win32/WinInetDownloads.h"

#include <wininet.h>

#include <deque>
#include <utility>

namespace pw::win32 {

namespace {

constexpr UINT kReportsWaiting = WM_APP + 1;
const char kWindowClass[] = "PagewickDownloads";
constexpr DWORD kChunk = 16384;
constexpr std::uint64_t kProgressStep = 65536;   // bytes between two progress reports

struct Report {
    long job = 0;
    bool done = false;
    std::uint64_t read = 0, max = 0;
    DownloadResult result;
};

std::string ErrorText(DWORD code) {
    char* text = nullptr;
    HMODULE wininet = ::GetModuleHandleA("wininet.dll");
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                   FORMAT_MESSAGE_IGNORE_INSERTS | (wininet ? FORMAT_MESSAGE_FROM_HMODULE : 0),
                               wininet, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string s = n && text ? std::string(text, n) : "Error " + std::to_string(code);
    if (text) ::LocalFree(text);
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ')) s.pop_back();
    return s;
}

}  // namespace

struct WinInetDownloads::Shared {
    CRITICAL_SECTION lock;
    std::deque<Report> reports;
    HWND window = nullptr;
    Shared() { ::InitializeCriticalSection(&lock); }
    ~Shared() { ::DeleteCriticalSection(&lock); }
    void Post(Report r) {
        ::EnterCriticalSection(&lock);
        reports.push_back(std::move(r));
        HWND w = window;
        ::LeaveCriticalSection(&lock);
        if (w) ::PostMessageA(w, kReportsWaiting, 0, 0);
    }
};

struct WinInetDownloads::Job {
    long id = 0;
    IDownloadSink* sink = nullptr;
    std::string url, target;
    volatile LONG cancelled = 0;
    std::shared_ptr<Shared> shared;
    std::shared_ptr<Job> self;   // held by the worker until it ends
};

namespace {

// Fetches one address on a worker thread; every outcome becomes one final report.
DWORD WINAPI Worker(void* arg) {
    auto* holder = static_cast<std::shared_ptr<WinInetDownloads::Job>*>(arg);
    std::shared_ptr<WinInetDownloads::Job> job = *holder;
    delete holder;
    Report done;
    done.job = job->id;
    done.done = true;
    auto fail = [&](const std::string& why) {
        done.result.ok = false;
        done.result.bytes.clear();
        done.result.error = why;
    };
    // The system's proxy settings; always from the server, never from or into the cache.
    HINTERNET net = ::InternetOpenA("Pagewick", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET req = nullptr;
    if (!net) {
        fail(ErrorText(::GetLastError()));
    } else {
        const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                            INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES;
        req = ::InternetOpenUrlA(net, job->url.c_str(), nullptr, 0, flags, 0);
        if (!req) fail(ErrorText(::GetLastError()));
    }
    if (req) {
        DWORD status = 0, size = sizeof status;
        if (!::HttpQueryInfoA(req, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) {
            fail(ErrorText(::GetLastError()));
        } else if (status < 200 || status > 299) {
            fail("HTTP status " + std::to_string(status));
        } else {
            DWORD length = 0;
            size = sizeof length;
            bool known = ::HttpQueryInfoA(req, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size,
                                          nullptr) != FALSE;
            std::string body;
            if (known) body.reserve(length);
            char buf[kChunk];
            std::uint64_t lastReported = 0;
            bool ok = true;
            while (true) {
                if (job->cancelled) {
                    ok = false;
                    fail("cancelled");
                    break;
                }
                DWORD got = 0;
                if (!::InternetReadFile(req, buf, kChunk, &got)) {
                    ok = false;
                    fail(ErrorText(::GetLastError()));   // a reset connection, for one
                    break;
                }
                if (got == 0) break;
                body.append(buf, got);
                if (body.size() - lastReported >= kProgressStep || (known && body.size() >= length)) {
                    lastReported = body.size();
                    Report r;
                    r.job = job->id;
                    r.read = body.size();
                    r.max = known ? length : 0;
                    job->shared->Post(std::move(r));
                }
            }
            // A connection closed early looks like the end of the body: only the size tells.
            if (ok && known && body.size() != length) {
                ok = false;
                fail("the connection ended after " + std::to_string(body.size()) + " of " + std::to_string(length) +
                     " bytes");
            }
            if (ok) {
                done.result.ok = true;
                done.result.bytes = std::move(body);
            }
        }
        ::InternetCloseHandle(req);
    }
    if (net) ::InternetCloseHandle(net);
    job->shared->Post(std::move(done));
    return 0;
}

}  // namespace

WinInetDownloads::WinInetDownloads(HINSTANCE instance) : shared_(std::make_shared<Shared>()) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &WndProc;
    wc.hInstance = instance;
    wc.lpszClassName = kWindowClass;
    ::RegisterClassA(&wc);
    window_ = ::CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::EnterCriticalSection(&shared_->lock);
    shared_->window = window_;
    ::LeaveCriticalSection(&shared_->lock);
}

WinInetDownloads::~WinInetDownloads() {
    ::EnterCriticalSection(&shared_->lock);
    shared_->window = nullptr;
    ::LeaveCriticalSection(&shared_->lock);
    for (auto& kv : jobs_) ::InterlockedExchange(&kv.second->cancelled, 1);
    jobs_.clear();
    if (window_) ::DestroyWindow(window_);
}

bool WinInetDownloads::Start(const std::string& url, const std::string& target, IDownloadSink& sink,
                             long& errorNumber, std::string& errorText) {
    URL_COMPONENTSA parts = {};
    parts.dwStructSize = sizeof parts;
    parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = 1;
    if (!::InternetCrackUrlA(url.c_str(), 0, 0, &parts) || parts.dwHostNameLength == 0) {
        errorNumber = ERROR_INTERNET_INVALID_URL;
        errorText = "The address \"" + url + "\" is not a valid web address.";
        return false;
    }
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) {
        errorNumber = ERROR_INTERNET_UNRECOGNIZED_SCHEME;
        errorText = "The address \"" + url + "\" does not start with http:// or https://.";
        return false;
    }
    auto job = std::make_shared<Job>();
    job->id = nextId_++;
    job->sink = &sink;
    job->url = url;
    job->target = target;
    job->shared = shared_;
    auto* holder = new std::shared_ptr<Job>(job);
    HANDLE thread = ::CreateThread(nullptr, 0, &Worker, holder, 0, nullptr);
    if (!thread) {
        delete holder;
        errorNumber = static_cast<long>(::GetLastError());
        errorText = "The download could not be started.";
        return false;
    }
    ::CloseHandle(thread);
    jobs_[job->id] = job;
    return true;
}

void WinInetDownloads::CancelAll(IDownloadSink& sink) {
    for (auto it = jobs_.begin(); it != jobs_.end();) {
        if (it->second->sink == &sink) {
            ::InterlockedExchange(&it->second->cancelled, 1);
            it = jobs_.erase(it);
        } else {
            ++it;
        }
    }
}

void WinInetDownloads::Deliver() {
    while (true) {
        Report r;
        ::EnterCriticalSection(&shared_->lock);
        if (shared_->reports.empty()) {
            ::LeaveCriticalSection(&shared_->lock);
            return;
        }
        r = std::move(shared_->reports.front());
        shared_->reports.pop_front();
        ::LeaveCriticalSection(&shared_->lock);
        auto it = jobs_.find(r.job);
        if (it == jobs_.end()) continue;   // cancelled: nobody listens any more
        std::shared_ptr<Job> job = it->second;
        if (r.done) {
            jobs_.erase(it);
            job->sink->DownloadComplete(job->target, r.result);
        } else {
            job->sink->DownloadProgress(job->target, r.read, r.max);
        }
    }
}

LRESULT CALLBACK WinInetDownloads::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kReportsWaiting) {
        auto* self = reinterpret_cast<WinInetDownloads*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self) self->Deliver();
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace pw::win32
