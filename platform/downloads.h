// Downloads over HTTPS in the background. A download is started with a request that names the
// address, a key (the target path, which comes back with every report), the most bytes it may
// bring and, for large files, a new file to stream the body into. Every report is delivered on
// the user-interface thread, from its message loop, never from inside Start.
//
// The rules every download service follows (BodyBound, IsHttpsUrl) are written out here as
// plain code, so the services and their tests share them.
#pragma once
#include <cstdint>
#include <string>

namespace pw {

struct DownloadRequest {
    std::string url;
    std::string target;           // the key of the reports; nothing is written there
    std::uint64_t maxBytes = 0;   // a larger announced size is refused, a longer body cut off
    // Empty: the body comes back in DownloadResult::bytes. Otherwise a file that does not
    // exist yet: the body is streamed into it and the file is deleted again on any failure.
    std::string saveTo;
};

// Why a download failed.
enum class DownloadError {
    None,
    Connection,   // no connection, a reset, an error status, a body cut short, cancelled
    TooLarge,     // the announced size or the body passed DownloadRequest::maxBytes
    Empty,        // a 2xx answer without a single byte
    NotHttps,     // the address, or an address it redirected to, is not https://
    Write,        // the file to stream into could not be created or written
};

struct DownloadResult {
    bool ok = false;                // the whole body arrived with a 2xx status
    DownloadError failure = DownloadError::None;
    std::string bytes;              // the body, when it was not streamed to a file (empty on failure)
    std::uint64_t size = 0;         // bytes received
    std::string sha256;             // SHA-256 of the body, 64 lower-case hex digits (when ok)
    std::string error;              // on failure: what went wrong, for the curious (not shown as is)
};

class IDownloadSink {
public:
    virtual ~IDownloadSink() = default;
    // bytesMax is 0 while the size is unknown.
    virtual void DownloadProgress(const std::string& target, std::uint64_t bytesRead, std::uint64_t bytesMax) = 0;
    virtual void DownloadComplete(const std::string& target, const DownloadResult& result) = 0;
};

class IDownloads {
public:
    virtual ~IDownloads() = default;
    // Starts fetching the address fresh from the server (never from a cache), following
    // redirects only to https:// addresses. False, with the system's error number and text,
    // when it cannot start at all (a malformed address, one that is not https://).
    virtual bool Start(const DownloadRequest& request, IDownloadSink& sink, long& errorNumber,
                       std::string& errorText) = 0;
    // Drops every running download of `sink`: no further report reaches it.
    virtual void CancelAll(IDownloadSink& sink) = 0;
};

// The system's cryptography: the one SHA-256 of the program, and the signature check. VerifyP256
// is true when `signatureRS` (r then s, 32 bytes each) is a valid ECDSA P-256 signature of
// `digest` (a SHA-256 digest, 32 bytes) by the public key `keyXY` (X then Y, 32 bytes each).
class ISignatureCheck {
public:
    virtual ~ISignatureCheck() = default;
    // The SHA-256 of `data` as 32 bytes; false when the system cannot compute it.
    virtual bool Sha256(const std::string& data, std::string& digest) = 0;
    virtual bool VerifyP256(const std::string& keyXY, const std::string& digest, const std::string& signatureRS) = 0;
};

// True for an address that starts with "https://" (in any case) and names a host.
inline bool IsHttpsUrl(const std::string& url) {
    static const char kScheme[] = "https://";
    if (url.size() <= sizeof kScheme - 1) return false;
    for (std::size_t i = 0; i + 1 < sizeof kScheme; ++i) {
        char c = url[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != kScheme[i]) return false;
    }
    const char h = url[sizeof kScheme - 1];
    return h != '/' && h != '\\' && h != ':' && h != '?' && h != '#';
}

// A Content-Length header's text as a number; false for anything but 1 to 19 decimal digits
// (spaces around allowed).
inline bool ParseContentLength(const std::string& text, std::uint64_t& length) {
    std::size_t b = text.find_first_not_of(' '), e = text.find_last_not_of(' ');
    if (b == std::string::npos || e - b + 1 > 19) return false;
    length = 0;
    for (std::size_t i = b; i <= e; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        length = length * 10 + static_cast<std::uint64_t>(text[i] - '0');
    }
    return true;
}

// How much of a body may arrive: the announced size is checked before anything is read, every
// chunk as it comes, and the total at the end. No buffer is ever sized by the server's word.
class BodyBound {
public:
    explicit BodyBound(std::uint64_t limit) : limit_(limit) {}
    // The Content-Length, when the server sent one.
    DownloadError Announce(std::uint64_t length) {
        known_ = true;
        length_ = length;
        return length > limit_ ? DownloadError::TooLarge : DownloadError::None;
    }
    // `n` more bytes may be taken (false: they would pass the limit; take none).
    bool Take(std::uint64_t n) {
        if (n > limit_ - received_) return false;
        received_ += n;
        return true;
    }
    // After the last chunk: an empty body or one shorter or longer than announced fails.
    DownloadError Finish() const {
        if (received_ == 0) return known_ && length_ != 0 ? DownloadError::Connection : DownloadError::Empty;
        if (known_ && received_ != length_) return DownloadError::Connection;
        return DownloadError::None;
    }
    std::uint64_t received() const { return received_; }
    bool known() const { return known_; }
    std::uint64_t length() const { return length_; }

private:
    std::uint64_t limit_, received_ = 0, length_ = 0;
    bool known_ = false;
};

}  // namespace pw
