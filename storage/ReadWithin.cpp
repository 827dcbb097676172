#include "storage/ReadWithin.h"

#include "storage/NoteLimits.h"

namespace pw {

ReadOutcome ReadWithin(IFileSystem& fs, const std::string& path, long long maxBytes, std::string& data,
                       std::string& why) {
    data.clear();
    why.clear();
    if (!fs.FileExists(path)) return ReadOutcome::Missing;
    const long long size = fs.FileSize(path);
    if (size > maxBytes) {
        why = "it is " + Megabytes(static_cast<unsigned long long>(size)) + ", more than the " +
              Megabytes(static_cast<unsigned long long>(maxBytes)) + " such a file may be";
        return ReadOutcome::TooLarge;
    }
    const FileError err = fs.ReadAll(path, data);
    if (err.failed) {
        data.clear();
        why = "it could not be read: " + err.reason;
        return ReadOutcome::Failed;
    }
    // Grown since its size was asked: judged as if it had been that size then.
    if (static_cast<long long>(data.size()) > maxBytes) {
        why = "it is " + Megabytes(data.size()) + ", more than the " + Megabytes(static_cast<unsigned long long>(maxBytes)) +
              " such a file may be";
        std::string().swap(data);
        return ReadOutcome::TooLarge;
    }
    return ReadOutcome::Read;
}

}  // namespace pw
