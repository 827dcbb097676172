// The key Live Update trusts, built into each program on its own: pagewick.exe carries the
// publisher's key (or none), the end-to-end suite's build the test key (see CMakeLists.txt).
#include "update/UpdateSignature.h"

#include PAGEWICK_UPDATE_KEY_HEADER   // the key this target is built with

namespace pw {

const std::string& PublisherKey() {
#if PAGEWICK_UPDATE_HAS_KEY
    static const unsigned char kKey[64] = PAGEWICK_UPDATE_PUBLIC_KEY_XY;
    static const std::string key(reinterpret_cast<const char*>(kKey), sizeof kKey);
#else
    static const std::string key;
#endif
    return key;
}

}  // namespace pw
