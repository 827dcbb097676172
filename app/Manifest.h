// The visual-styles manifest beside the executable, and the start-up step that writes it.
#pragma once
#include <string>

#include "platform/system.h"

namespace pw {

std::string AddBackslash(const std::string& path);
std::string ManifestPath(const IApp& app);
const std::string& ManifestText();

enum class ManifestOutcome {
    Present,      // the manifest was there: go on
    Relaunched,   // written, a fresh copy started, this process ended with code 1
    NotWritten,   // could not be written (read-only folder): go on without relaunching
    NotRelaunched,   // written, but the fresh copy could not be started: go on
};

// Makes sure the manifest exists. When it had to be written, starts a fresh copy of the
// program with this one's arguments and ends this process with exit code 1.
ManifestOutcome EnsureManifest(IApp& app, IFileSystem& fs);

}  // namespace pw
