#include "app/frmPagewick.h"

namespace pw {

void frmPagewick::SetWindowIcons() {}

}  // namespace pw
