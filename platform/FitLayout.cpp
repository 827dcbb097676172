#include "platform/FitLayout.h"

#include <algorithm>
#include <numeric>

namespace pw {

namespace {

bool SameRow(const FitBox& a, const FitBox& b) {
    return a.top < b.top + b.height && b.top < a.top + a.height;
}

}  // namespace

void FitBoxesToText(std::vector<FitBox>& boxes) {
    // Left to right, so a control that moved is measured again at its new place and its own
    // growth pushes the ones after it.
    std::vector<size_t> order(boxes.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return boxes[a].left < boxes[b].left; });
    for (size_t i : order) {
        FitBox& box = boxes[i];
        if (box.needHeight > box.height) box.height = box.needHeight;
        if (box.needWidth <= box.width) continue;
        const int oldRight = box.left + box.width;
        const int grow = box.needWidth - box.width;
        box.width = box.needWidth;
        for (size_t j = 0; j < boxes.size(); ++j) {
            if (j == i) continue;
            FitBox& other = boxes[j];
            if (other.left >= oldRight && SameRow(box, other)) other.left += grow;
        }
    }
}

}  // namespace pw
