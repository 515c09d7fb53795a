#include "ui/platform/QtPlatform.h"

namespace quaderna::ui {

bool QtPlatform::print(const Report&) {
    return false;
}
void QtPlatform::preview(const Report&) {}

} // namespace quaderna::ui
