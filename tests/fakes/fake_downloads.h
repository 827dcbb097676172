// A download service that records what was asked and lets a test deliver progress and
// completion reports when it likes, as the user-interface thread would receive them.
#pragma once
#include <string>
#include <vector>

#include "platform/downloads.h"

namespace pw::fake {

class Downloads : public IDownloads {
public:
    struct Started { std::string url, target; IDownloadSink* sink; bool live; };

    bool Start(const std::string& url, const std::string& target, IDownloadSink& sink, long& errorNumber,
               std::string& errorText) override {
        if (failStart) {
            errorNumber = failNumber;
            errorText = failText;
            return false;
        }
        started.push_back({url, target, &sink, true});
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
        if (s.live) s.sink->DownloadProgress(s.target, read, max);
    }
    void Complete(const std::string& bytes) {
        Started& s = started.back();
        if (!s.live) return;
        s.live = false;
        DownloadResult r;
        r.ok = true;
        r.bytes = bytes;
        s.sink->DownloadComplete(s.target, r);
    }
    void Fail(const std::string& why = "HTTP status 404") {
        Started& s = started.back();
        if (!s.live) return;
        s.live = false;
        DownloadResult r;
        r.error = why;
        s.sink->DownloadComplete(s.target, r);
    }

    std::vector<Started> started;
    int cancels = 0;
    bool failStart = false;
    long failNumber = 12005;
    std::string failText = "The address is not a valid web address.";
};

}  // namespace pw::fake
