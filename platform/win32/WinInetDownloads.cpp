#include "platform/win32/WinInetDownloads.h"

#include <wininet.h>

#include "platform/win32/BcryptCrypto.h"
#include "platform/win32/WideText.h"

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
    wchar_t* text = nullptr;
    HMODULE wininet = ::GetModuleHandleW(L"wininet.dll");
    DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                   FORMAT_MESSAGE_IGNORE_INSERTS | (wininet ? FORMAT_MESSAGE_FROM_HMODULE : 0),
                               wininet, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string s = n && text ? Utf8(text, n) : "Error " + std::to_string(code);
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
    DownloadRequest request;
    volatile LONG cancelled = 0;
    std::shared_ptr<Shared> shared;
};

namespace {

constexpr int kMaxRedirects = 8;
constexpr DWORD kMaxHeader = 4096;   // longest Location or Content-Length taken from a server

bool IsRedirect(DWORD status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// One header as text; false when it is missing or longer than kMaxHeader.
bool QueryHeader(HINTERNET req, DWORD which, std::string& value) {
    char buf[kMaxHeader];
    DWORD size = sizeof buf;
    if (!::HttpQueryInfoA(req, which, buf, &size, nullptr) || size >= sizeof buf) return false;
    value.assign(buf, size);
    return true;
}

// The body of one download, into memory (bounded by the request) or into a new file.
class Body {
public:
    explicit Body(const DownloadRequest& r) : request_(r), bound_(r.maxBytes) {}
    ~Body() { Close(); }
    // Closes the file, and deletes it unless it was kept.
    void Close() {
        if (file_ != INVALID_HANDLE_VALUE) ::CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
        if (created_ && !kept_) ::DeleteFileW(Wide(request_.saveTo).c_str());
        created_ = false;
    }
    BodyBound& bound() { return bound_; }
    bool Open(std::string& error) {
        if (request_.saveTo.empty()) return true;
        // CREATE_NEW: never anything that is there already.
        file_ = ::CreateFileW(Wide(request_.saveTo).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file_ == INVALID_HANDLE_VALUE) {
            error = ErrorText(::GetLastError());
            return false;
        }
        created_ = true;
        return true;
    }
    // False with `failure` set when the bytes pass the bound or cannot be written.
    bool Add(const char* data, DWORD n, DownloadError& failure, std::string& error) {
        if (!bound_.Take(n)) {
            failure = DownloadError::TooLarge;
            error = "the body passed " + std::to_string(request_.maxBytes) + " bytes";
            return false;
        }
        hash_.Add(data, n);
        if (file_ == INVALID_HANDLE_VALUE) {
            memory_.append(data, n);
            return true;
        }
        DWORD put = 0;
        if (!::WriteFile(file_, data, n, &put, nullptr) || put != n) {
            failure = DownloadError::Write;
            error = ErrorText(::GetLastError());
            return false;
        }
        return true;
    }
    // Closes the file and hands over what arrived; the file stays only from here on.
    bool Keep(DownloadResult& result) {
        if (file_ != INVALID_HANDLE_VALUE) {
            const bool closed = ::CloseHandle(file_) != FALSE;
            file_ = INVALID_HANDLE_VALUE;
            if (!closed) {
                result.failure = DownloadError::Write;
                result.error = ErrorText(::GetLastError());
                return false;
            }
        }
        if (!hash_.Finish(result.sha256)) {
            result.failure = DownloadError::Connection;
            result.error = "the system could not compute the SHA-256 of the download";
            return false;
        }
        result.bytes = std::move(memory_);
        result.size = bound_.received();
        kept_ = true;
        return true;
    }

private:
    const DownloadRequest& request_;
    BodyBound bound_;
    BcryptSha256 hash_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    bool created_ = false, kept_ = false;
    std::string memory_;
};

// Opens the address, following redirects itself and only to https:// addresses. On success
// `req` holds the final answer, which has a 2xx status.
DownloadError OpenFinal(HINTERNET net, const std::string& url, HINTERNET& req, std::string& error) {
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                        INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_AUTO_REDIRECT;
    std::string at = url;
    for (int hop = 0; hop <= kMaxRedirects; ++hop) {
        if (!IsHttpsUrl(at)) {
            error = "not an https:// address: " + at;
            return DownloadError::NotHttps;
        }
        req = ::InternetOpenUrlA(net, at.c_str(), nullptr, 0, flags, 0);
        if (!req) {
            error = ErrorText(::GetLastError());
            return DownloadError::Connection;
        }
        DWORD status = 0, size = sizeof status;
        if (!::HttpQueryInfoA(req, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) {
            error = ErrorText(::GetLastError());
            return DownloadError::Connection;
        }
        if (status >= 200 && status <= 299) return DownloadError::None;
        std::string location;
        if (!IsRedirect(status) || !QueryHeader(req, HTTP_QUERY_LOCATION, location)) {
            error = "HTTP status " + std::to_string(status);
            return DownloadError::Connection;
        }
        ::InternetCloseHandle(req);
        req = nullptr;
        // A relative Location is taken relative to the address that sent it.
        char combined[INTERNET_MAX_URL_LENGTH];
        DWORD length = sizeof combined;
        if (!::InternetCombineUrlA(at.c_str(), location.c_str(), combined, &length, ICU_NO_ENCODE)) {
            error = "a redirect to an address that cannot be read: " + location;
            return DownloadError::Connection;
        }
        at.assign(combined, length);
    }
    error = "more than " + std::to_string(kMaxRedirects) + " redirects";
    return DownloadError::Connection;
}

// Fetches one address on a worker thread; every outcome becomes one final report. Nothing here
// allocates by a size the server names.
DWORD WINAPI Worker(void* arg) {
    auto* holder = static_cast<std::shared_ptr<WinInetDownloads::Job>*>(arg);
    std::shared_ptr<WinInetDownloads::Job> job = *holder;
    delete holder;
    Report done;
    done.job = job->id;
    done.done = true;
    DownloadResult& result = done.result;
    Body body(job->request);
    // The system's proxy settings; always from the server, never from or into the cache.
    HINTERNET net = ::InternetOpenA("Pagewick", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET req = nullptr;
    if (!net) {
        result.failure = DownloadError::Connection;
        result.error = ErrorText(::GetLastError());
    } else {
        result.failure = OpenFinal(net, job->request.url, req, result.error);
    }
    if (result.failure == DownloadError::None) {
        std::string text;
        std::uint64_t length = 0;
        if (QueryHeader(req, HTTP_QUERY_CONTENT_LENGTH, text)) {
            if (!ParseContentLength(text, length)) {
                result.failure = DownloadError::Connection;
                result.error = "a Content-Length that is not a number: " + text;
            } else if (body.bound().Announce(length) != DownloadError::None) {
                result.failure = DownloadError::TooLarge;
                result.error = "the server announced " + text + " bytes";
            }
        }
    }
    if (result.failure == DownloadError::None && !body.Open(result.error)) result.failure = DownloadError::Write;
    if (result.failure == DownloadError::None) {
        char buf[kChunk];
        std::uint64_t lastReported = 0;
        while (true) {
            if (job->cancelled) {
                result.failure = DownloadError::Connection;
                result.error = "cancelled";
                break;
            }
            DWORD got = 0;
            if (!::InternetReadFile(req, buf, kChunk, &got)) {
                result.failure = DownloadError::Connection;   // a reset connection, for one
                result.error = ErrorText(::GetLastError());
                break;
            }
            if (got == 0) break;
            if (!body.Add(buf, got, result.failure, result.error)) break;
            const std::uint64_t received = body.bound().received();
            if (received - lastReported >= kProgressStep ||
                (body.bound().known() && received >= body.bound().length())) {
                lastReported = received;
                Report r;
                r.job = job->id;
                r.read = received;
                r.max = body.bound().known() ? body.bound().length() : 0;
                job->shared->Post(std::move(r));
            }
        }
        // A connection closed early looks like the end of the body: only the size tells.
        if (result.failure == DownloadError::None) {
            result.failure = body.bound().Finish();
            if (result.failure == DownloadError::Empty) {
                result.error = "an empty answer";
            } else if (result.failure != DownloadError::None) {
                result.error = "the connection ended after " + std::to_string(body.bound().received()) + " of " +
                               std::to_string(body.bound().length()) + " bytes";
            }
        }
    }
    if (req) ::InternetCloseHandle(req);
    if (net) ::InternetCloseHandle(net);
    if (result.failure == DownloadError::None && body.Keep(result)) result.ok = true;
    if (!result.ok) {
        result.bytes.clear();
        result.sha256.clear();
    }
    body.Close();   // before the report: a failed download has left no file when it arrives
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

bool WinInetDownloads::Start(const DownloadRequest& request, IDownloadSink& sink, long& errorNumber,
                             std::string& errorText) {
    const std::string& url = request.url;
    URL_COMPONENTSA parts = {};
    parts.dwStructSize = sizeof parts;
    parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = 1;
    if (!::InternetCrackUrlA(url.c_str(), 0, 0, &parts) || parts.dwHostNameLength == 0) {
        errorNumber = ERROR_INTERNET_INVALID_URL;
        errorText = "The address \"" + url + "\" is not a valid web address.";
        return false;
    }
    if (parts.nScheme != INTERNET_SCHEME_HTTPS || !IsHttpsUrl(url)) {
        errorNumber = ERROR_INTERNET_UNRECOGNIZED_SCHEME;
        errorText = "The address \"" + url + "\" does not start with https://.";
        return false;
    }
    auto job = std::make_shared<Job>();
    job->id = nextId_++;
    job->sink = &sink;
    job->request = request;
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
            job->sink->DownloadComplete(job->request.target, r.result);
        } else {
            job->sink->DownloadProgress(job->request.target, r.read, r.max);
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
