#pragma once

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QPointer>
#include <functional>

namespace platform {

// A menu item: caption, shortcut, enabled, visible and check mark. The check mark changes only
// where the program sets it; a click runs Click. A disabled item's shortcut does nothing.
// The item's action belongs to the item: it leaves the menu when the item is destroyed.
class MenuItem {
  public:
    MenuItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut = {});
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    QString Caption() const { return action_->text(); }
    void SetCaption(const QString& caption) { action_->setText(caption); }
    bool Enabled() const { return action_->isEnabled(); }
    void SetEnabled(bool enabled) { action_->setEnabled(enabled); }
    bool Visible() const { return action_->isVisible(); }
    void SetVisible(bool visible) { action_->setVisible(visible); }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

    QAction* Action() const { return action_; }

    std::function<void()> Click;

  private:
    // Null once the menu has deleted it.
    QPointer<QAction> action_;
    bool checked_ = false;
};

}  // namespace platform
