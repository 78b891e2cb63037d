#pragma once

#include <QString>
#include <QWidget>

namespace platform {

// A text box that holds its text. The main window keeps its read-out boxes outside the visible
// area, so this one draws nothing and never takes the focus.
class TextBox : public QWidget {
    Q_OBJECT
  public:
    explicit TextBox(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }

    const QString& Text() const { return text_; }
    void SetText(const QString& text) { text_ = text; }

  private:
    QString text_;
};

}  // namespace platform
