#include "platform/MenuItem.h"

namespace platform {

MenuItem::MenuItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut)
    : action_(menu->addAction(caption)) {
    if (!shortcut.isEmpty()) {
        action_->setShortcut(shortcut);
    }
    QObject::connect(action_, &QAction::triggered, action_, [this] {
        // Qt toggles a checkable action on its own; the mark is the program's to set.
        if (action_->isCheckable() && action_->isChecked() != checked_) {
            action_->setChecked(checked_);
        }
        if (Click) {
            Click();
        }
    });
}

MenuItem::~MenuItem() {
    // Its connection to this item goes with it.
    delete action_;
}

void MenuItem::SetChecked(bool checked) {
    checked_ = checked;
    // Only a checked item is checkable, so unchecked items show no empty box.
    action_->setCheckable(checked);
    action_->setChecked(checked);
}

}  // namespace platform
