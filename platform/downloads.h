// Downloads over HTTP(S) in the background. A download is started with an address and a
// target path; the target path is only a key here (nothing is written by the service) and
// comes back with every report. Every report is delivered on the user-interface thread,
// from its message loop, never from inside Start.
#pragma once
#include <cstdint>
#include <string>

namespace pw {

struct DownloadResult {
    bool ok = false;             // the whole body arrived with a 2xx status
    std::string bytes;           // the body (empty on failure)
    std::string error;           // on failure: what went wrong, for the curious (not shown as is)
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
    // Starts fetching `url` fresh from the server (never from a cache). False, with the
    // system's error number and text, when it cannot start at all (a malformed address).
    virtual bool Start(const std::string& url, const std::string& target, IDownloadSink& sink,
                       long& errorNumber, std::string& errorText) = 0;
    // Drops every running download of `sink`: no further report reaches it.
    virtual void CancelAll(IDownloadSink& sink) = 0;
};

}  // namespace pw
