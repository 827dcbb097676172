// The download service on WinINet: one worker thread per download, which reads the body (into
// memory or streamed into a file), hashes it with the system's SHA-256, and hands progress and
// the result to the user-interface thread through a message-only window.
#pragma once
#include <windows.h>

#include <map>
#include <memory>

#include "platform/downloads.h"

namespace pw::win32 {

class WinInetDownloads : public IDownloads {
public:
    explicit WinInetDownloads(HINSTANCE instance);
    ~WinInetDownloads() override;
    bool Start(const DownloadRequest& request, IDownloadSink& sink, long& errorNumber,
               std::string& errorText) override;
    void CancelAll(IDownloadSink& sink) override;

    struct Shared;   // what the workers and the UI thread share
    struct Job;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Deliver();

    std::shared_ptr<Shared> shared_;
    std::map<long, std::shared_ptr<Job>> jobs_;   // running downloads, UI thread only
    long nextId_ = 1;
    HWND window_ = nullptr;
};

}  // namespace pw::win32
