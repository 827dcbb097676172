#include "editor/view/TopLine.h"

#include "platform/WinNumbers.h"

namespace pw {

long TopChar(IControl& box) {
    const long line = box.Send(EM_GETFIRSTVISIBLELINE_, 0, 0);
    const long first = box.Send(EM_LINEINDEX_, static_cast<unsigned long>(line), 0);
    return first < 0 ? 0 : first;
}

void ScrollToTop(IControl& box, long topChar) {
    const long want = box.Send(EM_LINEFROMCHAR_, static_cast<unsigned long>(topChar), 0);
    const long now = box.Send(EM_GETFIRSTVISIBLELINE_, 0, 0);
    if (want != now) box.Send(EM_LINESCROLL_, 0, want - now);
}

}  // namespace pw
