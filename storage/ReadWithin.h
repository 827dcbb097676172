// The program's own small files (settings, the user's word list, the recovery copy) are read
// whole, each within a bound of its own. A file past its bound, whether damaged or another
// program's file under our name, is judged by its size and never read, so it cannot take
// the program's memory at every start.
#pragma once
#include <string>

#include "platform/system.h"

namespace pw {

enum class ReadOutcome { Read, Missing, TooLarge, Failed };

// Reads the whole file into data when it holds at most maxBytes. For TooLarge and Failed,
// why says it for a message ("it is 12 MB, more than the 4 MB such a file may be", "it could
// not be read: Access is denied."), data is empty and the file is left as it is.
ReadOutcome ReadWithin(IFileSystem& fs, const std::string& path, long long maxBytes, std::string& data,
                       std::string& why);

}  // namespace pw
