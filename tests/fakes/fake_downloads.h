// A download service that records what was asked and lets a test deliver progress and
// completion reports when it likes, as the user-interface thread would receive them. It keeps
// the rules every download service keeps (BodyBound): a body past the request's limit, an
// empty one or one shorter than announced fails, and a streamed body lands in the fake files.
#pragma once
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "platform/downloads.h"
#include "fakes/openssl_signatures.h"

namespace pw::fake {

class Downloads : public IDownloads {
public:
    struct Started { DownloadRequest request; IDownloadSink* sink; bool live; };

    // Streamed bodies are written into `files` (when given).
    explicit Downloads(FileSystem* files = nullptr) : files_(files) {}

    bool Start(const DownloadRequest& request, IDownloadSink& sink, long& errorNumber,
               std::string& errorText) override {
        if (failStart) {
            errorNumber = failNumber;
            errorText = failText;
            return false;
        }
        started.push_back({request, &sink, true});
        return true;
    }
    void CancelAll(IDownloadSink& sink) override {
        for (Started& s : started)
            if (s.sink == &sink) s.live = false;
        ++cancels;
    }

    // Reports for the most recent download (a dropped one receives nothing).
    void Progress(std::uint64_t read, std::uint64_t max) {
        Started& s = started.back();
        if (s.live) s.sink->DownloadProgress(s.request.target, read, max);
    }
    // The server sends `bytes`, announcing `announced` bytes (-1: no Content-Length; left out:
    // the size of `bytes`).
    void Complete(const std::string& bytes, long long announced = -2) {
        Started& s = started.back();
        if (!s.live) return;
        s.live = false;
        BodyBound bound(s.request.maxBytes);
        DownloadResult r;
        if (announced == -2) announced = static_cast<long long>(bytes.size());
        if (announced >= 0) r.failure = bound.Announce(static_cast<std::uint64_t>(announced));
        if (r.failure == DownloadError::None && !bound.Take(bytes.size())) r.failure = DownloadError::TooLarge;
        if (r.failure == DownloadError::None) r.failure = bound.Finish();
        if (r.failure == DownloadError::None && !s.request.saveTo.empty() && files_) {
            if (files_->FileExists(s.request.saveTo)) {
                r.failure = DownloadError::Write;
                r.error = "The file exists.";
            } else {
                files_->files[s.request.saveTo] = bytes;
            }
        }
        if (r.failure == DownloadError::None) {
            r.ok = true;
            r.size = bytes.size();
            r.sha256 = Sha256Hex(bytes);
            if (s.request.saveTo.empty()) r.bytes = bytes;
        } else if (r.error.empty()) {
            r.error = "failed";
        }
        s.sink->DownloadComplete(s.request.target, r);
    }
    void Fail(const std::string& why = "HTTP status 404", DownloadError failure = DownloadError::Connection) {
        Started& s = started.back();
        if (!s.live) return;
        s.live = false;
        DownloadResult r;
        r.failure = failure;
        r.error = why;
        s.sink->DownloadComplete(s.request.target, r);
    }

    std::vector<Started> started;
    int cancels = 0;
    bool failStart = false;
    long failNumber = 12005;
    std::string failText = "The address is not a valid web address.";

private:
    FileSystem* files_;
};

}  // namespace pw::fake
